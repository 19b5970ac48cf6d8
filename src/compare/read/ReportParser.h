// Reads the fixed line structure that kelvane.exe writes, row by row as its
// catalogues give them. Driver texts go into the page unescaped and may hold
// markup and line feeds, so this is no HTML parser: it follows the lines the
// program writes, and nothing else.
#pragma once

#include <cstddef>
#include <filesystem>
#include <functional>
#include <string>
#include <string_view>

#include "compare/read/InputFile.h"
#include "compare/read/Report.h"

namespace kelvane {

// Up to `most` of a report's bytes into `into`; 0 at the end.
using ReadBytes = std::function<std::size_t(char* into, std::size_t most)>;

// One pass over the bytes, read in pieces, so that memory never grows with
// a file's size: junk fails at its first line that no report holds. CR LF
// and LF line ends alike. Throws ReportError naming the file and the line
// where the report is not what the program writes. `file` is the name to
// show, as UTF-8.
Report ParseReport(const ReadBytes& read, const std::string& file);
Report ParseReport(std::string_view bytes, const std::string& file);

// Reads and parses an open file.
Report ReadReport(InputFile& file, const std::string& shown);

// More adapters than Windows gives one machine: a report holding more is
// malformed.
inline constexpr std::size_t kMostAdapters = 64;

// Whether the file begins as a report does; reads its first line at most.
bool BeginsLikeReport(InputFile& file);

// Whether the file's first bytes are `start`; reads no more than those.
bool BeginsWith(InputFile& file, std::string_view start);

// Opens, reads and parses a file; a file that cannot be read, or is not a
// regular file, is a ReportError too.
Report ReadReport(const std::filesystem::path& file);

}  // namespace kelvane
