#include "compare/read/ReportParser.h"

#include <algorithm>
#include <cstring>
#include <filesystem>
#include <memory>
#include <unordered_set>
#include <vector>

#include "compare/cli/FileNames.h"
#include "compare/cli/Utf8.h"
#include "compare/output/TerminalText.h"
#include "compare/read/ReportLayout.h"
#include "compare/read/ValueForms.h"
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

// The longest line a report can hold: a text's cell of 512 bytes and its
// marks. A longer one is no report's, so it is never taken whole.
constexpr std::size_t kLongestLine = 1024;
// What is read at once.
constexpr std::size_t kPiece = 1 << 16;

// What a line held, for a message: printable, short, and never a part of a
// character.
std::string Shown(std::string_view line, bool overlong) {
  if (overlong)
    return "a line of more than " + std::to_string(kLongestLine) + " bytes";
  const std::string text = ToUtf8(line);
  const std::string_view cut = CutUtf8(text, 60);
  return "\"" + EscapeControls(cut) +
         (cut.size() < text.size() ? "...\"" : "\"");
}

// The report's lines, read in pieces: the line last taken and the next one
// stay valid until the next is taken, and no more than that and a piece is
// ever held, whatever the file's size.
class Lines {
 public:
  Lines(const ReadBytes& read, const std::string& file)
      : read_(read), file_(file), buffer_(new char[kCapacity]) {
    Advance();
  }

  bool AtEnd() const { return atEnd_; }
  std::string_view Peek() const { return View(current_); }
  // The line in view is longer than any line of a report.
  bool Overlong() const { return current_.overlong; }
  std::size_t Number() const { return number_; }
  // Whether the last line taken ended in a line feed.
  bool LastLineEnded() const { return lastEnded_; }

  std::string_view Take() {
    if (atEnd_) Fail("more lines");
    if (current_.overlong) Fail("a line of a report");
    taken_ = current_;
    Advance();
    return View(taken_);
  }

  void Expect(std::string_view line) {
    Expect(line, [line] { return Quoted(line); });
  }

  // `describe` forms the message only when the line is not there.
  template <typename Describe>
  void Expect(std::string_view line, Describe describe) {
    if (atEnd_ || current_.overlong || Peek() != line) Fail(describe());
    taken_ = current_;
    Advance();
  }

  [[noreturn]] void Fail(const std::string& expected) const {
    FailAt(number_, expected);
  }

  [[noreturn]] void FailAt(std::size_t number,
                           const std::string& expected) const {
    FailAt(number, expected,
           atEnd_ ? std::string("the end of the file")
                  : Shown(Peek(), current_.overlong));
  }

  [[noreturn]] void FailAt(std::size_t number, const std::string& expected,
                           const std::string& found) const {
    throw ReportError(ShownText(file_) + ":" + std::to_string(number) +
                      ": expected " + expected + ", found " + found);
  }

 private:
  struct Span {
    std::size_t begin = 0, length = 0;
    bool overlong = false;
  };

  std::string_view View(const Span& span) const {
    return std::string_view(buffer_.get() + span.begin, span.length);
  }

  // Makes room for a piece after what must stay: the line last taken.
  void ReadPiece() {
    const std::size_t keep = std::min(taken_.begin, next_);
    std::memmove(buffer_.get(), buffer_.get() + keep, size_ - keep);
    size_ -= keep;
    taken_.begin -= std::min(taken_.begin, keep);
    next_ -= keep;
    scanned_ -= keep;
    const std::size_t got = read_(buffer_.get() + size_, kPiece);
    size_ += got;
    ended_ = got == 0;
  }

  void Advance() {
    lastEnded_ = lineEnded_;
    // Past a line that was too long there is nothing to read: it fails.
    for (;;) {
      const void* found =
          std::memchr(buffer_.get() + scanned_, '\n', size_ - scanned_);
      if (found != nullptr) {
        const std::size_t end = static_cast<std::size_t>(
            static_cast<const char*>(found) - buffer_.get());
        if (end - next_ <= kLongestLine) {
          SetLine(end - next_, true);
          next_ = scanned_ = end + 1;
          return;
        }
      }
      scanned_ = size_;
      if (scanned_ - next_ > kLongestLine) {
        current_ = {next_, kLongestLine + 1, true};
        ++number_;
        return;
      }
      if (ended_) break;
      ReadPiece();
    }
    if (next_ >= size_) {
      // What is missing would have been the next line.
      if (!atEnd_) ++number_;
      atEnd_ = true;
      current_ = {};
      return;
    }
    SetLine(size_ - next_, false);
    next_ = scanned_ = size_;
  }

  void SetLine(std::size_t length, bool ended) {
    lineEnded_ = ended;
    current_ = {next_, length, false};
    // One CR belongs to the line end; one more is the text's own.
    if (length > 0 && buffer_[next_ + length - 1] == '\r') --current_.length;
    ++number_;
  }

  // What is kept (two lines at most, and a part of the next) and a piece.
  static constexpr std::size_t kCapacity = kPiece + 4 * (kLongestLine + 1);

  const ReadBytes& read_;
  const std::string& file_;
  // Never moves, and is never filled with anything but what was read.
  std::unique_ptr<char[]> buffer_;
  std::size_t size_ = 0;
  std::size_t next_ = 0;     // where the line after the current one begins
  std::size_t scanned_ = 0;  // up to where no line feed is
  std::size_t number_ = 0;
  Span current_, taken_;
  bool ended_ = false;
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
  if (lines.AtEnd() || lines.Overlong() ||
      !StartsWith(lines.Peek(), kCellStart))
    lines.Fail(what);
  std::string value;
  std::string_view line = lines.Take().substr(kCellStart.size());
  for (;;) {
    if (EndsWith(line, kCellEnd) && !lines.AtEnd() && !lines.Overlong() &&
        lines.Peek() == kRowEnd) {
      value.append(line.substr(0, line.size() - kCellEnd.size()));
      return value;
    }
    value.append(line);
    value += '\n';
    // Junk of any size fails here, once it is longer than any text.
    if (value.size() > kLongestText + 1)
      lines.FailAt(
          start, what,
          "a text of more than " + std::to_string(kLongestText) + " bytes");
    if (lines.AtEnd() || lines.Overlong())
      lines.FailAt(start, what + " begun here to end in " + Quoted(kCellEnd) +
                              " before " + Quoted(kRowEnd));
    line = lines.Take();
  }
}

std::string DescribeValue(const RowPlace& row) {
  return "the value of " + std::string(row.label) + " (" +
         DescribeForm(row.kind) + ")";
}

// Most values repeat across a fleet: a row's forms, once checked by forming
// them again, are known. A few hundred a row at most.
bool IsKnownWrittenForm(std::size_t index, RowKind kind,
                        std::string_view value) {
  thread_local std::vector<std::unordered_set<std::string>> known(
      AdapterRows().size());
  std::unordered_set<std::string>& forms = known[index];
  std::string text(value);
  if (forms.count(text) > 0) return true;
  if (!IsWrittenForm(kind, value)) return false;
  if (forms.size() < 512) forms.insert(std::move(text));
  return true;
}

std::string ReadValueCell(Lines& lines, std::size_t index) {
  const RowPlace& row = AdapterRows()[index];
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
      !EndsWith(line, kCellEnd) || !IsKnownWrittenForm(index, row.kind, value))
    lines.Fail(DescribeValue(row));
  std::string taken(value);
  lines.Take();
  return taken;
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
    adapter.values.push_back(ReadValueCell(lines, i));
    lines.Expect(kRowEnd, [&] {
      return "the end of the row of " + std::string(row.label) + " " +
             Quoted(kRowEnd);
    });
  }
  ExpectAll(lines, kTableClosing);
  return adapter;
}

}  // namespace

Report ParseReport(const ReadBytes& read, const std::string& file) {
  Lines lines(read, file);
  Report report;
  report.file = file;
  try {
    lines.Expect(kReportStart);
    ExpectAll(lines, kReportHead);
  } catch (const ReportError& error) {
    // Another page, or no page at all: the line alone would not say so.
    throw ReportError(std::string(error.what()) + " (not a Kelvane report)");
  }
  while (!lines.AtEnd() && lines.Peek() == kTableOpening) {
    // A report is read whole before it is compared: so that its memory
    // stays that of a machine, more adapters than any machine has are no
    // report of one.
    if (report.adapters.size() == kMostAdapters)
      lines.FailAt(lines.Number(),
                   "at most " + std::to_string(kMostAdapters) +
                       " adapters, as a machine has",
                   "another");
    report.adapters.push_back(ReadAdapter(lines));
  }
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

Report ParseReport(std::string_view bytes, const std::string& file) {
  const ReadBytes read = [&bytes](char* into, std::size_t most) {
    const std::size_t count = std::min(most, bytes.size());
    bytes.copy(into, count);
    bytes.remove_prefix(count);
    return count;
  };
  return ParseReport(read, file);
}

Report ReadReport(InputFile& file, const std::string& shown) {
  const ReadBytes read = [&file](char* into, std::size_t most) {
    try {
      return file.Read(into, most);
    } catch (const InputError& error) {
      throw ReportError(error.what());
    }
  };
  return ParseReport(read, shown);
}

bool BeginsWith(InputFile& file, std::string_view start) {
  std::string begun(start.size(), '\0');
  std::size_t got = 0;
  try {
    for (std::size_t more = 1; more > 0 && got < begun.size(); got += more)
      more = file.Read(begun.data() + got, begun.size() - got);
  } catch (const InputError&) {
    return false;
  }
  return got == start.size() && begun == start;
}

bool BeginsLikeReport(InputFile& file) {
  char start[16];
  std::size_t got = 0;
  try {
    for (std::size_t more = 1; more > 0 && got < sizeof start; got += more)
      more = file.Read(start + got, sizeof start - got);
  } catch (const InputError&) {
    return false;
  }
  const std::string_view begun(start, got);
  const std::string line(kReportStart);
  return begun.substr(0, line.size() + 1) == line + "\n" ||
         begun.substr(0, line.size() + 2) == line + "\r\n";
}

Report ReadReport(const std::filesystem::path& file) {
  const std::string shown = ShownName(file);
  try {
    InputFile input(file, ShownText(shown));
    return ReadReport(input, shown);
  } catch (const InputError& error) {
    throw ReportError(error.what());
  }
}

}  // namespace kelvane
