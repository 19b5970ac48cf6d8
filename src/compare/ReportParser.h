// Reads the fixed line structure that kelvane.exe writes, row by row as its
// catalogues give them. Driver texts go into the page unescaped and may hold
// markup and line feeds, so this is no HTML parser: it follows the lines the
// program writes, and nothing else.
#pragma once

#include <filesystem>
#include <string>
#include <string_view>

#include "compare/Report.h"

namespace kelvane {

// One pass over the bytes; CR LF and LF line ends alike. Throws ReportError
// naming the file and the line where the report is not what the program
// writes. `file` is the name to show, as UTF-8.
Report ParseReport(std::string_view bytes, const std::string& file);

// Reads and parses a file; a file that cannot be read is a ReportError too.
Report ReadReport(const std::filesystem::path& file);

}  // namespace kelvane
