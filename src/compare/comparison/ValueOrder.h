// The order of a row's values where they are numbers or versions: what
// "at least 4096" and "shader 1.1 or later" ask of a fleet.
#pragma once

#include <optional>
#include <string_view>

#include "report/RowKind.h"

namespace kelvane {

// Numbers (the DWORD and UINT limits, the PCI ids, the floats) and versions
// (the driver's and the shaders').
bool IsOrdered(RowKind kind);

// -1, 0 or 1 as `a` stands before, with or after `b` in the row's order;
// none where either is no value of that order (not a number, or NaN).
// Numbers compare exactly as their decimal texts say (-0.00 is 0.00);
// versions part by part, a missing part as 0.
std::optional<int> CompareValues(RowKind kind, std::string_view a,
                                 std::string_view b);

// Whether the text is a value of the row's order: what --where may ask.
bool IsOrderedValue(RowKind kind, std::string_view text);

}  // namespace kelvane
