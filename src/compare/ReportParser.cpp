#include "compare/ReportParser.h"

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <unordered_set>

namespace kelvane {
namespace {

constexpr std::string_view kTableOpen =
    "<table border=\"1\" cellspacing=\"0\" cellpadding=\"5\" "
    "bgcolor=\"#EEEEEE\" bordercolor=\"#B4B4B4\" bordercolorlight=\"#D8D8D8\" "
    "bordercolordark=\"#8A8A8A\">";
constexpr std::string_view kCaptionRow = "<tr bgcolor=\"#CCCCCC\">";
constexpr std::string_view kTitleRow = "<tr bgcolor=\"#DDDDDD\">";
constexpr std::string_view kTitleStart = "<th colspan=2><div align=\"left\">";
constexpr std::string_view kTitleEnd = "</div></th>";
constexpr std::string_view kCreditStart = "Extracted by Kelvane ";

bool StartsWith(std::string_view text, std::string_view start) {
  return text.substr(0, start.size()) == start;
}

bool EndsWith(std::string_view text, std::string_view end) {
  return text.size() >= end.size() &&
         text.substr(text.size() - end.size()) == end;
}

// What a line held, for a message: printable, and not too long.
std::string Shown(std::string_view line) {
  std::string shown = "\"";
  for (const char c : line.substr(0, 60))
    shown += static_cast<unsigned char>(c) < 0x20 ? '?' : c;
  return shown + (line.size() > 60 ? "...\"" : "\"");
}

class Lines {
 public:
  Lines(std::string_view bytes, const std::string& file)
      : bytes_(bytes), file_(file) {
    Advance();
  }

  bool AtEnd() const { return atEnd_; }
  std::string_view Peek() const { return line_; }
  std::size_t Number() const { return number_; }

  std::string_view Take() {
    if (atEnd_) Fail("more lines");
    const std::string_view line = line_;
    Advance();
    return line;
  }

  void Expect(std::string_view line) {
    if (atEnd_ || line_ != line) Fail("\"" + std::string(line) + "\"");
    Advance();
  }

  [[noreturn]] void Fail(const std::string& expected) const {
    FailAt(number_, expected);
  }

  [[noreturn]] void FailAt(std::size_t number,
                           const std::string& expected) const {
    Complain(number,
             "expected " + expected + ", found " +
                 (atEnd_ ? std::string("the end of the file") : Shown(line_)));
  }

  [[noreturn]] void Complain(std::size_t number,
                             const std::string& what) const {
    throw ReportError(file_ + ":" + std::to_string(number) + ": " + what);
  }

 private:
  void Advance() {
    if (next_ >= bytes_.size()) {
      // What is missing would have been the next line.
      if (!atEnd_) ++number_;
      atEnd_ = true;
      line_ = {};
      return;
    }
    const std::size_t end = bytes_.find('\n', next_);
    const std::size_t stop =
        end == std::string_view::npos ? bytes_.size() : end;
    line_ = bytes_.substr(next_, stop - next_);
    // One CR belongs to the line end; one more is the text's own.
    if (!line_.empty() && line_.back() == '\r') line_.remove_suffix(1);
    next_ = end == std::string_view::npos ? bytes_.size() : end + 1;
    ++number_;
  }

  std::string_view bytes_;
  const std::string& file_;
  std::size_t next_ = 0;
  std::size_t number_ = 0;
  std::string_view line_;
  bool atEnd_ = false;
};

// The middle of a line between a fixed start and end; a view into the
// report's bytes.
std::string_view Unwrap(Lines& lines, std::string_view start,
                        std::string_view end, const std::string& what) {
  const std::string_view line = lines.Peek();
  if (lines.AtEnd() || !StartsWith(line, start) ||
      line.size() < start.size() + end.size() || !EndsWith(line, end))
    lines.Fail(what);
  lines.Take();
  return line.substr(start.size(), line.size() - start.size() - end.size());
}

void ParseHeading(Lines& lines, std::string_view caption) {
  lines.Expect(kTableOpen);
  lines.Expect(kCaptionRow);
  lines.Expect(std::string(kTitleStart) + std::string(caption) +
               std::string(kTitleEnd));
  lines.Expect("</tr>");
  lines.Expect(kTitleRow);
  lines.Expect("<td><b>Name</b></td>");
  lines.Expect("<td><b>Value</b></td>");
  lines.Expect("</tr>");
}

// A value cell runs from "<td>" to the first "</td>" that ends a line and is
// followed by "</tr>": a text may hold line feeds, so it may span lines.
std::string ParseValueCell(Lines& lines) {
  const std::size_t start = lines.Number();
  if (lines.AtEnd() || !StartsWith(lines.Peek(), "<td>"))
    lines.Fail("a value cell \"<td>...</td>\"");
  std::string value;
  std::string_view line = lines.Take().substr(4);
  for (;;) {
    if (EndsWith(line, "</td>") && !lines.AtEnd() && lines.Peek() == "</tr>") {
      value.append(line.substr(0, line.size() - 5));
      return value;
    }
    value.append(line);
    value += '\n';
    if (lines.AtEnd())
      lines.FailAt(start, "the value cell begun here to end in \"</td>\"");
    line = lines.Take();
  }
}

// Labels and titles are views into the report's bytes, which outlive the
// parse.
using Names = std::unordered_set<std::string_view>;

std::string_view ParseLabel(Lines& lines, Names& seen) {
  const std::size_t number = lines.Number();
  const std::string_view label =
      Unwrap(lines, "<td>", "</td>", "a label cell \"<td>...</td>\"");
  if (!seen.insert(label).second)
    lines.Complain(number,
                   "expected each label once in a table or group, but \"" +
                       std::string(label) + "\" came again");
  return label;
}

std::vector<Cell> ParseValueRows(Lines& lines) {
  std::vector<Cell> cells;
  Names labels;
  while (!lines.AtEnd() && lines.Peek() == "<tr>") {
    lines.Take();
    Cell cell;
    cell.label = ParseLabel(lines, labels);
    cell.value = ParseValueCell(lines);
    lines.Expect("</tr>");
    cells.push_back(std::move(cell));
  }
  return cells;
}

std::vector<FlagGroupCells> ParseFlagGroups(Lines& lines) {
  std::vector<FlagGroupCells> groups;
  Names titles;
  while (!lines.AtEnd() && lines.Peek() == kTitleRow) {
    const std::size_t number = lines.Number();
    lines.Take();
    const std::string_view title =
        Unwrap(lines, kTitleStart, kTitleEnd, "a flag group's title");
    lines.Expect("</tr>");
    if (!titles.insert(title).second)
      lines.Complain(number, "expected each flag group once, but \"" +
                                 std::string(title) + "\" came again");
    FlagGroupCells group;
    group.title = title;
    Names labels;
    while (!lines.AtEnd() && lines.Peek() == "<tr>") {
      lines.Take();
      Cell flag;
      flag.label = ParseLabel(lines, labels);
      if (lines.Peek() != "<td>Yes</td>" && lines.Peek() != "<td>No</td>")
        lines.Fail("\"<td>Yes</td>\" or \"<td>No</td>\"");
      flag.value = lines.Take() == "<td>Yes</td>" ? "Yes" : "No";
      lines.Expect("</tr>");
      group.flags.push_back(std::move(flag));
    }
    groups.push_back(std::move(group));
  }
  return groups;
}

AdapterCells ParseAdapter(Lines& lines) {
  AdapterCells adapter;
  ParseHeading(lines, kIdentityTable);
  adapter.identity = ParseValueRows(lines);
  lines.Expect("</table>");
  lines.Expect("<br>");
  ParseHeading(lines, kCapsTable);
  adapter.limits = ParseValueRows(lines);
  adapter.groups = ParseFlagGroups(lines);
  lines.Expect("</table>");
  lines.Expect("<br>");
  return adapter;
}

}  // namespace

Report ParseReport(std::string_view bytes, const std::string& file) {
  Lines lines(bytes, file);
  Report report;
  report.file = file;
  lines.Expect("<html>");
  lines.Expect("<head>");
  lines.Expect("<title>DeviceCaps</title>");
  lines.Expect("</head>");
  while (!lines.AtEnd() && lines.Peek() == kTableOpen)
    report.adapters.push_back(ParseAdapter(lines));
  if (lines.AtEnd() || !StartsWith(lines.Peek(), kCreditStart) ||
      !EndsWith(lines.Peek(), "</a>"))
    lines.Fail(
        "an adapter's table or the credit line \"Extracted by Kelvane ...\"");
  lines.Take();
  lines.Expect("</html>");
  if (!lines.AtEnd()) lines.Fail("the end of the file after \"</html>\"");
  return report;
}

Report ReadReport(const std::string& file) {
  std::error_code error;
  if (std::filesystem::is_directory(file, error))
    throw ReportError(file + ": is a directory, not a report");
  std::ifstream stream(file, std::ios::binary);
  if (!stream)
    throw ReportError(file + ": cannot be read: " + std::strerror(errno));
  const std::string bytes(std::istreambuf_iterator<char>(stream), {});
  if (stream.bad()) throw ReportError(file + ": cannot be read");
  return ParseReport(bytes, file);
}

}  // namespace kelvane
