// The flag groups that end the "DirectGraphics HAL DeviceCaps" table: one
// group per bit-mask field of the caps, one Yes/No row per named bit.
#pragma once

#include <cstddef>

#include "platform/D3d8Records.h"

struct FlagEntry {
  const char* label;
  DWORD mask;
};

struct FlagList {
  const FlagEntry* entries;
  std::size_t count;
};

struct FlagGroup {
  const char* title;
  DWORD D3DCAPS8::*field;
  FlagList flags;
};

extern const FlagGroup FlagGroups[23];

void WriteFlagGroups(const D3DCAPS8& caps);
