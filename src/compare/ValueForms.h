// Which value texts each row kind's writer can form: a value cell is taken
// only in a form that the program itself writes.
#pragma once

#include <string_view>

#include "report/RowKind.h"

namespace kelvane {

bool IsWrittenForm(RowKind kind, std::string_view text);

// The form, for a message: "a decimal number".
const char* DescribeForm(RowKind kind);

}  // namespace kelvane
