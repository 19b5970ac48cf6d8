// Fuzzes kelvane-compare's report parser: any bytes give a report or a clean
// error naming the file and line, and whatever parses compares equal to
// itself, adapter for adapter, and comes out as valid JSON and an escaped
// page.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <nlohmann/json.hpp>
#include <string>
#include <string_view>

#include "compare/Comparison.h"
#include "compare/Outputs.h"
#include "compare/ReportParser.h"

namespace {

void Check(bool holds, const char* what) {
  if (holds) return;
  std::fprintf(stderr, "invariant broken: %s\n", what);
  std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data,
                                      std::size_t size) {
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  kelvane::Report report;
  try {
    report = kelvane::ParseReport(bytes, "fuzz.html");
  } catch (const kelvane::ReportError& error) {
    Check(std::string_view(error.what()).substr(0, 10) == "fuzz.html:",
          "an error names the file and the line");
    return 0;
  }
  // Against itself, every adapter's column equals its twin's.
  const kelvane::Comparison comparison =
      kelvane::CompareReports({report, report});
  const std::size_t adapters = report.adapters.size();
  Check(comparison.columns.size() == 2 * adapters, "a column per adapter");
  for (const kelvane::ComparedRow& row : comparison.rows)
    for (std::size_t i = 0; i < adapters; ++i)
      Check(row.values[i] == row.values[adapters + i],
            "a report shows the same the second time");
  Check(!nlohmann::json::parse(kelvane::FormatJson({report}), nullptr, false)
             .is_discarded(),
        "the JSON is valid");
  const std::string page = kelvane::FormatHtml(comparison);
  Check(page.find("<script") == std::string::npos, "the page has no script");
  return 0;
}
