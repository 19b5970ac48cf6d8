// What kelvane-compare writes: the differing rows and their coverage as
// text, the adapters as JSON records, and the comparison as one
// self-contained HTML page. Every text is UTF-8.
#pragma once

#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "compare/comparison/Columns.h"
#include "compare/comparison/Comparison.h"

namespace kelvane {

// "[K] FILE #N (DESCRIPTION)" a line per column, with the adapters alike;
// by capabilities, each column's adapters, models and drivers.
std::string FormatLegend(const Columns& columns);

// "TABLE / [GROUP / ]LABEL: V1 | V2 | ..." a line per differing row, a
// value per column, "(N values)" where it varies within one.
std::string FormatDifferences(const Columns& columns);

// "TABLE / [GROUP / ]LABEL: V on N (P%); ..." a line per differing row in
// the order of ShareValues, numbers and versions with the adapters at or
// above each; a flag row says how many show Yes.
std::string FormatCoverage(const Comparison& comparison);

// "51 of 241 rows differ across 2000 adapters (8 configurations) in 2000
// reports"; the configurations only where adapters are alike, by
// capabilities how many sets they show, and how many reports were left out.
std::string Summarize(const Columns& columns, std::size_t skipped);

// How the page begins: a page of this tool's own is known by it.
inline constexpr std::string_view kPageStart =
    "<!DOCTYPE html>\n<html lang=\"en\">\n<head>\n<meta charset=\"utf-8\">\n"
    "<title>Kelvane comparison</title>";

// The reports that hold an adapter taking part, by the bytes of their names
// (as grep -l), each ended by `end`: a line feed, or NUL for xargs -0.
std::string FormatFiles(const Comparison& comparison, char end);

// The adapters as JSON records, each set of capabilities once:
//   {"configuration":N,"limits":{...},"flags":{GROUP:{LABEL:true|false}}}
//   {"file":...,"adapter":I,"configuration":N,"identity":{...},
//    "AdapterOrdinal":O}
// A configuration's record comes before the first adapter that refers to
// it. Numbers are JSON numbers, but for a float's "inf", "-inf" and "nan",
// which JSON has no number for; versions, the identifier, the WHQL level and
// the device type are strings.
class JsonRecords {
 public:
  // The records of the adapters added since the last call, one text each.
  std::vector<std::string> TakeNew(const Comparison& comparison);

 private:
  std::size_t sets_ = 0, adapters_ = 0;
  // Each configuration's identity and AdapterOrdinal, formed once.
  std::vector<std::string> identities_;
};

// Writes the records as JSON Lines, or as one document {"records": [...]}.
class JsonWriter {
 public:
  using Sink = std::function<void(std::string_view)>;
  JsonWriter(bool lines, Sink write);
  void Write(const Comparison& comparison);
  void Finish();

 private:
  bool lines_;
  Sink write_;
  JsonRecords records_;
  bool first_ = true;
};

// The page, handed to `write` piece by piece: a fleet's lists of adapters
// never sit whole in memory. No script, nothing fetched; every report text
// HTML-escaped.
void WriteHtml(const Columns& columns, const std::string& summary,
               const std::function<void(std::string_view)>& write);

// The same page as one text.
std::string FormatHtml(const Columns& columns, const std::string& summary);

}  // namespace kelvane
