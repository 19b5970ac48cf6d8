#include "compare/read/Inputs.h"

#include <algorithm>
#include <unordered_set>

#include "compare/cli/FileNames.h"
#include "compare/cli/Utf8.h"
#include "compare/output/TerminalText.h"

namespace kelvane {
namespace {

namespace fs = std::filesystem;

// Longer than any path a system takes (32,767 UTF-16 units on Windows, as
// UTF-8): a list line beyond it is no path.
constexpr std::size_t kLongestPath = 3 * 32767;

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

std::string Named(const fs::path& path) { return ShownText(ShownName(path)); }

const char* WhatIsNotAFile(fs::file_type type) {
  switch (type) {
    case fs::file_type::fifo:
      return ": is a FIFO, not a report";
    case fs::file_type::socket:
      return ": is a socket, not a report";
    case fs::file_type::block:
    case fs::file_type::character:
      return ": is a device, not a report";
    default:
      return ": is not a regular file";
  }
}

class Expansion {
 public:
  Expansion(Inputs& inputs, const std::function<void(std::size_t)>& found,
            bool followLinks)
      : inputs_(inputs), found_(found), followLinks_(followLinks) {}

  // A folder and every folder beneath it, one at a time: only one folder is
  // open at once, however deep the tree.
  void AddFolder(const fs::path& top, const std::string& place) {
    std::vector<fs::path::string_type> found;
    std::vector<fs::path> pending{top};
    while (!pending.empty()) {
      const fs::path folder = std::move(pending.back());
      pending.pop_back();
      // A link may lead back up the tree: each folder once.
      if (const auto identity = IdentityOf(folder))
        if (!folders_.insert(*identity).second) continue;
      std::vector<fs::path> subfolders =
          ReadFolder(folder, folder == top ? place : std::string(), found);
      if (found_) found_(inputs_.reports.size() + found.size());
      pending.insert(pending.end(),
                     std::make_move_iterator(subfolders.rbegin()),
                     std::make_move_iterator(subfolders.rend()));
    }
    // In the order of the names' bytes (of their UTF-16 on Windows).
    std::sort(found.begin(), found.end());
    for (fs::path::string_type& name : found)
      inputs_.reports.push_back(
          {std::move(name), InputReport::kNoList, 0, true});
  }

  void AddPath(const fs::path& path, std::uint32_t list, std::uint32_t line,
               const std::string& place) {
    std::error_code error;
    if (fs::is_directory(path, error))
      AddFolder(path, place);
    else
      inputs_.reports.push_back({path.native(), list, line, false});
  }

  void AddList(const Argument& argument) {
    const std::string shown = ShownText(NameToUtf8(argument.text));
    try {
      InputFile file(argument.path.native().substr(1), shown,
                     Readable::FilesAndPipes);
      const auto list = static_cast<std::uint32_t>(inputs_.lists.size());
      inputs_.lists.push_back({argument.text, file.Identity()});
      ReadList(file, shown, list);
    } catch (const InputError& error) {
      inputs_.troubles.push_back(error.what());
    }
  }

 private:
  // Lists a folder's entries: its report files into `found`, its folders
  // returned. An entry that cannot be read is a trouble of its own.
  std::vector<fs::path> ReadFolder(const fs::path& folder,
                                   const std::string& place,
                                   std::vector<fs::path::string_type>& found) {
    std::vector<fs::path> subfolders;
    std::error_code error;
    fs::directory_iterator entries(folder, error);
    for (; !error && entries != fs::directory_iterator();
         entries.increment(error)) {
      const fs::directory_entry& entry = *entries;
      // The types the listing gave: no call of the system's but for links.
      std::error_code typeError;
      if (entry.is_directory(typeError)) {
        if (IsWalked(entry)) subfolders.push_back(entry.path());
        continue;
      }
      if (!IsReportName(entry.path())) continue;
      if (entry.is_regular_file(typeError)) {
        found.push_back(entry.path().native());
        continue;
      }
      const bool link = entry.is_symlink(typeError);
      const fs::file_type type = entry.status(typeError).type();
      if (link && type == fs::file_type::not_found)
        Trouble(place, Named(entry.path()) + ": is a link to nothing");
      else if (typeError || type == fs::file_type::not_found)
        Trouble(place, Named(entry.path()) +
                           ": cannot be read: " + typeError.message());
      else
        Trouble(place, Named(entry.path()) + WhatIsNotAFile(type));
    }
    if (error)
      Trouble(place, Named(folder) + ": cannot be read: " + error.message());
    return subfolders;
  }

  // A folder inside a walk: not through a link unless links are followed,
  // and never into the system's views of processes and devices, whose
  // entries are no reports and may never end.
  bool IsWalked(const fs::directory_entry& entry) const {
    std::error_code error;
    const bool link = entry.is_symlink(error);
    if (link && !followLinks_) return false;
    const fs::path real = link ? fs::canonical(entry.path(), error)
                               : fs::absolute(entry.path(), error);
#ifdef _WIN32
    return true;
#else
    for (const char* system : {"/proc", "/sys", "/dev"})
      if (real == system) return false;
    return true;
#endif
  }

  void ReadList(InputFile& file, const std::string& shown, std::uint32_t list) {
    std::string pending;
    std::uint32_t number = 0;
    char piece[1 << 14];
    bool first = true;
    for (;;) {
      const std::size_t got = file.Read(piece, sizeof piece);
      pending.append(piece, got);
      if (first && pending.size() >= 3) {
        // Notepad's "UTF-8 with BOM".
        if (pending.compare(0, 3, "\xEF\xBB\xBF") == 0) pending.erase(0, 3);
        first = false;
      }
      std::size_t start = 0;
      for (std::size_t end;
           (end = pending.find('\n', start)) != std::string::npos;
           start = end + 1)
        TakeListLine(pending.substr(start, end - start), shown, list, ++number);
      pending.erase(0, start);
      if (pending.size() > kLongestPath) {
        Trouble({}, shown + ":" + std::to_string(number + 1) +
                        ": a line longer than any path; the rest of the list "
                        "is not read");
        return;
      }
      if (got == 0) break;
    }
    if (!pending.empty()) TakeListLine(pending, shown, list, ++number);
  }

  void TakeListLine(std::string line, const std::string& shown,
                    std::uint32_t list, std::uint32_t number) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    if (line.empty()) return;
    const std::string place = shown + ":" + std::to_string(number) + ": ";
    if (line.size() > kLongestPath) {
      Trouble({}, place + "a line longer than any path");
      return;
    }
    if (line.find('\0') != std::string::npos) {
      Trouble({}, place + "a path cannot hold NUL");
      return;
    }
    fs::path path;
    try {
      path = PathOfUtf8(line);
    } catch (const std::exception&) {
      Trouble({}, place + "expected a path in UTF-8");
      return;
    }
    AddPath(path, list, number, place);
  }

  void Trouble(const std::string& place, std::string what) {
    inputs_.troubles.push_back(place + std::move(what));
  }

  Inputs& inputs_;
  const std::function<void(std::size_t)>& found_;
  bool followLinks_;
  std::unordered_set<FileIdentity, FileIdentityHash> folders_;
};

}  // namespace

std::vector<Argument> ArgumentsOf(const std::vector<std::string>& texts) {
  std::vector<Argument> arguments;
  for (const std::string& text : texts)
    arguments.push_back({text, PathOfUtf8(text)});
  return arguments;
}

Inputs ExpandInputs(const std::vector<Argument>& arguments,
                    const std::function<void(std::size_t)>& found,
                    bool followLinks) {
  Inputs inputs;
  Expansion expansion(inputs, found, followLinks);
  for (const Argument& argument : arguments) {
    if (argument.text.size() > 1 && argument.text[0] == '@')
      expansion.AddList(argument);
    else
      expansion.AddPath(argument.path, InputReport::kNoList, 0, {});
  }
  return inputs;
}

std::string ListPlace(const Inputs& inputs, const InputReport& report) {
  if (report.list == InputReport::kNoList) return {};
  return ShownText(NameToUtf8(inputs.lists[report.list].shown)) + ":" +
         std::to_string(report.line) + ": ";
}

}  // namespace kelvane
