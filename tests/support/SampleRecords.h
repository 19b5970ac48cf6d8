// Records with a distinct, recognisable value in every field, so a test can
// tell which adapter and which field a cell came from.
#pragma once

#include <string>

#include "platform/D3d8Records.h"

D3DADAPTER_IDENTIFIER8 MakeSampleIdentifier(unsigned adapter);
D3DCAPS8 MakeSampleCaps(unsigned adapter);

template <std::size_t Size>
void SetText(char (&field)[Size], const std::string& text) {
  for (std::size_t i = 0; i < Size; ++i)
    field[i] = i < text.size() ? text[i] : '\0';
}

struct Script;
// A script serving `count` sample adapters, all of whose calls succeed.
Script MakeSampleScript(unsigned count);
