// How many rows and groups each adapter's tables hold, pinned once for the
// tests, the fuzzer and the benchmark. A catalogue that loses or gains a row
// fails the build here, with the count it must have.
#pragma once

#include <cstddef>
#include <iterator>

#include "catalogue/FlagGroups.h"
#include "catalogue/HalLimitRows.h"
#include "catalogue/IdentityRows.h"

inline constexpr std::size_t kIdentityRowCount = 9;
inline constexpr std::size_t kHalLimitRowCount = 28;
inline constexpr std::size_t kFlagGroupCount = 23;
inline constexpr std::size_t kFlagRowCount = 204;

constexpr std::size_t CountFlagRows() {
  std::size_t rows = 0;
  for (const FlagGroup& group : FlagGroups) rows += group.flags.count;
  return rows;
}

static_assert(std::size(IdentityRows) == kIdentityRowCount,
              "IdentityRows must hold 9 rows");
static_assert(std::size(HalLimitRows) == kHalLimitRowCount,
              "HalLimitRows must hold 28 rows");
static_assert(std::size(FlagGroups) == kFlagGroupCount,
              "FlagGroups must hold 23 groups");
static_assert(CountFlagRows() == kFlagRowCount,
              "FlagGroups must hold 204 flag rows");

// Lines: a table heading is 8, a value row 4, a group header 3, and the
// driver closes each table with "</table>" and "<br>".
inline constexpr std::size_t kHeadLines = 4;  // <html> to </head>
inline constexpr std::size_t kTailLines = 2;  // credit line, </html>
inline constexpr std::size_t kIdentityTableLines = 8 + kIdentityRowCount * 4;
inline constexpr std::size_t kCapsTableLines =
    8 + kHalLimitRowCount * 4 + kFlagGroupCount * 3 + kFlagRowCount * 4;
inline constexpr std::size_t kAdapterLines =
    kIdentityTableLines + 2 + kCapsTableLines + 2;
