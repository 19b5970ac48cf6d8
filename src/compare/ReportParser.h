// Reads the fixed line structure that kelvane.exe writes. Driver texts go
// into the page unescaped and may hold markup and line feeds, so this is no
// HTML parser: it follows the lines the program writes, and nothing else.
#pragma once

#include <string>
#include <string_view>

#include "compare/Report.h"

namespace kelvane {

// One pass over the bytes; CR LF and LF line ends alike. Throws ReportError
// naming the file and the line where the structure breaks.
Report ParseReport(std::string_view bytes, const std::string& file);

// Reads and parses a file; a file that cannot be read is a ReportError too.
Report ReadReport(const std::string& file);

}  // namespace kelvane
