#include "compare/Inputs.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <fstream>
#include <iterator>

#include "compare/FileNames.h"

namespace kelvane {
namespace {

namespace fs = std::filesystem;

fs::path PathOfUtf8(const std::string& text) {
#ifdef _WIN32
  return fs::u8path(text);
#else
  return fs::path(text);
#endif
}

// "*.html" in any case, as Windows matches it.
bool IsReportName(const fs::path& path) {
  const fs::path::string_type extension = path.extension().native();
  constexpr char kHtml[] = ".html";
  if (extension.size() != sizeof kHtml - 1) return false;
  for (std::size_t i = 0; i < extension.size(); ++i) {
    const auto c = extension[i];
    const auto lower = c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c;
    if (lower != kHtml[i]) return false;
  }
  return true;
}

void AddFolder(const fs::path& folder, Inputs& inputs) {
  std::vector<fs::path::string_type> found;
  std::error_code error;
  fs::recursive_directory_iterator walk(folder, error), end;
  for (; !error && walk != end; walk.increment(error)) {
    std::error_code typeError;
    if (walk->is_regular_file(typeError) && IsReportName(walk->path()))
      found.push_back(walk->path().native());
  }
  if (error)
    inputs.troubles.push_back(ShownName(folder) +
                              ": cannot be read: " + error.message());
  // In the order of the names' bytes (of their UTF-16 on Windows).
  std::sort(found.begin(), found.end());
  inputs.reports.insert(inputs.reports.end(),
                        std::make_move_iterator(found.begin()),
                        std::make_move_iterator(found.end()));
}

void AddPath(const fs::path& path, Inputs& inputs) {
  std::error_code error;
  if (fs::is_directory(path, error))
    AddFolder(path, inputs);
  else
    inputs.reports.push_back(path.native());
}

void AddList(const Argument& argument, Inputs& inputs) {
  fs::path list = argument.path.native().substr(1);
  std::ifstream stream(list, std::ios::binary);
  const std::string shown = argument.text;
  if (!stream) {
    inputs.troubles.push_back(shown +
                              ": cannot be read: " + std::strerror(errno));
    return;
  }
  const std::string bytes(std::istreambuf_iterator<char>(stream), {});
  if (stream.bad()) {
    inputs.troubles.push_back(shown + ": cannot be read");
    return;
  }
  std::size_t start = 0, number = 0;
  while (start < bytes.size()) {
    std::size_t end = bytes.find('\n', start);
    if (end == std::string::npos) end = bytes.size();
    std::string line = bytes.substr(start, end - start);
    start = end + 1;
    ++number;
    if (!line.empty() && line.back() == '\r') line.pop_back();
    if (line.empty()) continue;
    try {
      AddPath(PathOfUtf8(line), inputs);
    } catch (const std::exception&) {
      inputs.troubles.push_back(shown + ":" + std::to_string(number) +
                                ": expected a path in UTF-8");
    }
  }
}

}  // namespace

std::vector<Argument> ArgumentsOf(const std::vector<std::string>& texts) {
  std::vector<Argument> arguments;
  for (const std::string& text : texts)
    arguments.push_back({text, PathOfUtf8(text)});
  return arguments;
}

Inputs ExpandInputs(const std::vector<Argument>& arguments) {
  Inputs inputs;
  for (const Argument& argument : arguments) {
    if (argument.text.size() > 1 && argument.text[0] == '@')
      AddList(argument, inputs);
    else
      AddPath(argument.path, inputs);
  }
  return inputs;
}

}  // namespace kelvane
