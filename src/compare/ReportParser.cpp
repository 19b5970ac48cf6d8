#include "compare/ReportParser.h"

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <fstream>

#include "compare/FileNames.h"
#include "compare/ReportLayout.h"
#include "compare/ValueForms.h"
#include "report/ReportMarkup.h"

namespace kelvane {
namespace {

bool StartsWith(std::string_view text, std::string_view start) {
  return text.substr(0, start.size()) == start;
}

bool EndsWith(std::string_view text, std::string_view end) {
  return text.size() >= end.size() &&
         text.substr(text.size() - end.size()) == end;
}

std::string Quoted(std::string_view text) {
  return "\"" + std::string(text) + "\"";
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
  // Whether the last line taken ended in a line feed.
  bool LastLineEnded() const { return lastEnded_; }

  std::string_view Take() {
    if (atEnd_) Fail("more lines");
    const std::string_view line = line_;
    Advance();
    return line;
  }

  void Expect(std::string_view line) {
    Expect(line, [line] { return Quoted(line); });
  }

  // `describe` forms the message only when the line is not there.
  template <typename Describe>
  void Expect(std::string_view line, Describe describe) {
    if (atEnd_ || line_ != line) Fail(describe());
    Advance();
  }

  [[noreturn]] void Fail(const std::string& expected) const {
    FailAt(number_, expected);
  }

  [[noreturn]] void FailAt(std::size_t number,
                           const std::string& expected) const {
    FailAt(number, expected,
           atEnd_ ? std::string("the end of the file") : Shown(line_));
  }

  [[noreturn]] void FailAt(std::size_t number, const std::string& expected,
                           const std::string& found) const {
    throw ReportError(file_ + ":" + std::to_string(number) + ": expected " +
                      expected + ", found " + found);
  }

 private:
  void Advance() {
    lastEnded_ = lineEnded_;
    if (next_ >= bytes_.size()) {
      // What is missing would have been the next line.
      if (!atEnd_) ++number_;
      atEnd_ = true;
      line_ = {};
      return;
    }
    const std::size_t end = bytes_.find('\n', next_);
    lineEnded_ = end != std::string_view::npos;
    const std::size_t stop = lineEnded_ ? end : bytes_.size();
    line_ = bytes_.substr(next_, stop - next_);
    // One CR belongs to the line end; one more is the text's own.
    if (!line_.empty() && line_.back() == '\r') line_.remove_suffix(1);
    next_ = lineEnded_ ? end + 1 : bytes_.size();
    ++number_;
  }

  std::string_view bytes_;
  const std::string& file_;
  std::size_t next_ = 0;
  std::size_t number_ = 0;
  std::string_view line_;
  bool atEnd_ = false;
  bool lineEnded_ = false;
  bool lastEnded_ = false;
};

template <typename Texts>
void ExpectAll(Lines& lines, const Texts& texts) {
  for (const auto& line : texts) lines.Expect(line);
}

// A text's cell runs from "<td>" to the first line that ends in "</td>" and
// is followed by "</tr>": a text may hold line feeds, so it may span lines.
std::string ReadTextCell(Lines& lines, const std::string& what) {
  const std::size_t start = lines.Number();
  if (lines.AtEnd() || !StartsWith(lines.Peek(), kCellStart)) lines.Fail(what);
  std::string value;
  std::string_view line = lines.Take().substr(kCellStart.size());
  for (;;) {
    if (EndsWith(line, kCellEnd) && !lines.AtEnd() && lines.Peek() == kRowEnd) {
      value.append(line.substr(0, line.size() - kCellEnd.size()));
      return value;
    }
    value.append(line);
    value += '\n';
    if (lines.AtEnd())
      lines.FailAt(start, what + " begun here to end in " + Quoted(kCellEnd) +
                              " before " + Quoted(kRowEnd));
    line = lines.Take();
  }
}

std::string DescribeValue(const RowPlace& row) {
  return "the value of " + std::string(row.label) + " (" +
         DescribeForm(row.kind) + ")";
}

std::string ReadValueCell(Lines& lines, const RowPlace& row) {
  if (row.kind == RowKind::Text) {
    const std::size_t number = lines.Number();
    std::string text = ReadTextCell(lines, DescribeValue(row));
    if (!IsWrittenForm(row.kind, text))
      lines.FailAt(
          number, DescribeValue(row),
          "a text of " + std::to_string(text.size()) + " bytes" +
              (text.find('\0') != std::string::npos ? " with NUL" : ""));
    return text;
  }
  const std::string_view line = lines.Peek();
  const std::size_t marks = kCellStart.size() + kCellEnd.size();
  const std::string_view value =
      line.size() < marks ? std::string_view()
                          : line.substr(kCellStart.size(), line.size() - marks);
  if (lines.AtEnd() || line.size() < marks || !StartsWith(line, kCellStart) ||
      !EndsWith(line, kCellEnd) || !IsWrittenForm(row.kind, value))
    lines.Fail(DescribeValue(row));
  lines.Take();
  return std::string(value);
}

AdapterCells ReadAdapter(Lines& lines) {
  const std::vector<RowLines>& rowLines = AdapterRowLines();
  const std::vector<RowPlace>& rows = AdapterRows();
  AdapterCells adapter;
  adapter.values.reserve(rows.size());
  for (std::size_t i = 0; i < rows.size(); ++i) {
    const RowPlace& row = rows[i];
    for (const FixedLine& expected : rowLines[i].before)
      lines.Expect(expected.line,
                   [&] { return expected.what + " " + Quoted(expected.line); });
    lines.Expect(kRowStart, [&] {
      return "the row of " + std::string(row.label) + " " + Quoted(kRowStart);
    });
    const std::string& labelCell = rowLines[i].labelCell;
    lines.Expect(labelCell, [&] {
      return "the label of " + std::string(row.label) + " " + Quoted(labelCell);
    });
    adapter.values.push_back(ReadValueCell(lines, row));
    lines.Expect(kRowEnd, [&] {
      return "the end of the row of " + std::string(row.label) + " " +
             Quoted(kRowEnd);
    });
  }
  ExpectAll(lines, kTableClosing);
  return adapter;
}

}  // namespace

Report ParseReport(std::string_view bytes, const std::string& file) {
  Lines lines(bytes, file);
  Report report;
  report.file = file;
  lines.Expect(kReportStart);
  ExpectAll(lines, kReportHead);
  while (!lines.AtEnd() && lines.Peek() == kTableOpening)
    report.adapters.push_back(ReadAdapter(lines));
  const std::string credit = FormCreditLine();
  lines.Expect(credit, [&] {
    return "an adapter's table or the credit line " + Quoted(credit);
  });
  lines.Expect(kReportEnd);
  if (!lines.LastLineEnded())
    lines.FailAt(lines.Number() - 1, "a line end after " + Quoted(kReportEnd));
  if (!lines.AtEnd())
    lines.Fail("the end of the file after " + Quoted(kReportEnd));
  return report;
}

Report ReadReport(const std::filesystem::path& file) {
  const std::string shown = ShownName(file);
  std::error_code error;
  if (std::filesystem::is_directory(file, error))
    throw ReportError(shown + ": is a directory, not a report");
  std::ifstream stream(file, std::ios::binary | std::ios::ate);
  if (!stream)
    throw ReportError(shown + ": cannot be read: " + std::strerror(errno));
  std::string bytes(static_cast<std::size_t>(stream.tellg()), '\0');
  stream.seekg(0);
  if (!stream.read(bytes.data(), static_cast<std::streamsize>(bytes.size())))
    throw ReportError(shown + ": cannot be read");
  return ParseReport(bytes, shown);
}

}  // namespace kelvane
