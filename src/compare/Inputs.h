// The reports that the command line names: a REPORT as it is, a FOLDER as
// every *.html file beneath it, @LISTFILE as the paths on its lines.
#pragma once

#include <filesystem>
#include <string>
#include <vector>

namespace kelvane {

// One argument: as text for options and messages (UTF-8 on Windows), and
// as the name the file system knows.
struct Argument {
  std::string text;
  std::filesystem::path path;
};

// Off Windows a name is its bytes.
std::vector<Argument> ArgumentsOf(const std::vector<std::string>& texts);

struct Inputs {
  // Names as the system spells them: a path keeps its parts besides, which
  // a fleet of paths would pay for several times over.
  std::vector<std::filesystem::path::string_type> reports;
  // "NAME: why it cannot be read", for folders and list files.
  std::vector<std::string> troubles;
};

// Folders are walked recursively, their files in byte order of path; a
// list file's paths are read as UTF-8, one a line, CR LF or LF.
Inputs ExpandInputs(const std::vector<Argument>& arguments);

}  // namespace kelvane
