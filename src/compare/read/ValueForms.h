// Which value texts each row kind's writer can form: a value cell is taken
// only in a form that the program itself writes.
#pragma once

#include <cstddef>
#include <string_view>

#include "report/RowKind.h"

namespace kelvane {

// Longer than any text the platform's 512-byte arrays can hold.
inline constexpr std::size_t kLongestText = 512;

bool IsWrittenForm(RowKind kind, std::string_view text);

// The form, for a message: "a decimal number".
const char* DescribeForm(RowKind kind);

}  // namespace kelvane
