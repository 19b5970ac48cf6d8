// The reports that the command line names: a REPORT as it is, a FOLDER as
// every *.html file beneath it, @LISTFILE as the paths on its lines.
#pragma once

#include <cstdint>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "compare/read/InputFile.h"

namespace kelvane {

// One argument: as text for options and messages (UTF-8 on Windows), and
// as the name the file system knows.
struct Argument {
  std::string text;
  std::filesystem::path path;
};

// Off Windows a name is its bytes.
std::vector<Argument> ArgumentsOf(const std::vector<std::string>& texts);

struct InputReport {
  // As the system spells it: a path keeps its parts besides, which a fleet
  // of paths would pay for several times over.
  std::filesystem::path::string_type name;
  // Where a list named it: an index into Inputs::lists, and its line.
  static constexpr std::uint32_t kNoList = UINT32_MAX;
  std::uint32_t list = kNoList;
  std::uint32_t line = 0;
  bool inFolder = false;  // found by walking a folder
};

struct ListFile {
  std::string shown;  // "@LIST", as UTF-8
  FileIdentity identity;
};

struct Inputs {
  std::vector<InputReport> reports;
  std::vector<ListFile> lists;
  // "NAME: why it cannot be read", one for each folder entry, folder or
  // list (or list line) that could not be read; each counts as a report
  // left out.
  std::vector<std::string> troubles;
};

// Folders are walked recursively, links to folders followed and each folder
// read once, their files in byte order of path; what cannot be read is a
// trouble of its own, and the walk goes on. A list file's paths are read as
// UTF-8, one a line, CR LF or LF, after a byte-order mark if there is one.
// `found` is told how many reports are found as the folders are walked.
// With `followLinks` false, a link to a folder inside a walked folder is
// passed over, as find -P does; either way /proc, /sys and /dev are never
// walked into from a folder named above them.
Inputs ExpandInputs(const std::vector<Argument>& arguments,
                    const std::function<void(std::size_t)>& found = {},
                    bool followLinks = true);

// "LIST:LINE: " for a report a list named, else "".
std::string ListPlace(const Inputs& inputs, const InputReport& report);

}  // namespace kelvane
