// A parsed report written out again through the program's own markup: the
// bytes the program would have written for those cells.
#pragma once

#include <string>
#include <string_view>

#include "compare/read/Report.h"

std::string FormReportBytes(const kelvane::Report& report);

// The bytes with every line end made CR LF as a reader takes them: a line
// feed without its CR gets one.
std::string WithCrLfEnds(std::string_view bytes);
