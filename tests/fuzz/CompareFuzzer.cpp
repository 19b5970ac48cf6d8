// Fuzzes kelvane-compare's report parser: any bytes give a report or a clean
// error naming the file and line. Whatever parses is in the program's own
// form (written out again, it is the input's bytes), compares equal to
// itself adapter for adapter, is grouped into configurations that partition
// its adapters, and comes out as valid JSON and an escaped page.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <nlohmann/json.hpp>
#include <sstream>
#include <string>
#include <string_view>

#include "compare/ReportBytes.h"
#include "compare/comparison/Columns.h"
#include "compare/comparison/Comparison.h"
#include "compare/output/Outputs.h"
#include "compare/read/ReportParser.h"

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
  Check(FormReportBytes(report) == WithCrLfEnds(bytes),
        "what is taken is what the program writes, line ends aside");

  // Against itself, every adapter is in its twin's configuration.
  kelvane::Comparison comparison;
  const auto first = comparison.Add(report);
  const auto second = comparison.Add(report);
  Check(first == second, "a report falls the same the second time");
  std::size_t counted = 0;
  for (const kelvane::Configuration& configuration :
       comparison.Configurations())
    counted += configuration.adapterCount;
  Check(counted == 2 * report.adapters.size(),
        "the configurations' counts add up to the adapters");
  std::size_t inSets = 0;
  for (const kelvane::CapabilitySet& set : comparison.CapabilitySets())
    inSets += set.adapterCount;
  Check(inSets == counted, "the sets of capabilities' counts add up too");
  for (std::size_t a = 0; a < comparison.Adapters().size(); ++a) {
    const auto& entry = comparison.Adapters()[a];
    Check(entry.configuration < comparison.Configurations().size(),
          "every adapter is in a configuration");
    Check(comparison.Configurations()[entry.configuration].values ==
              comparison.Configurations()[first[entry.number]].values,
          "an adapter's configuration holds its values");
  }

  std::string json;
  kelvane::JsonWriter document(
      false, [&json](std::string_view bytes) { json.append(bytes); });
  std::string lines;
  kelvane::JsonWriter jsonLines(
      true, [&lines](std::string_view bytes) { lines.append(bytes); });
  document.Write(comparison);
  document.Finish();
  jsonLines.Write(comparison);
  std::istringstream lineStream(lines);
  for (std::string line; std::getline(lineStream, line);)
    Check(!nlohmann::json::parse(line, nullptr, false).is_discarded(),
          "every JSON line is valid");
  Check(!nlohmann::json::parse(json, nullptr, false).is_discarded(),
        "the JSON is valid");
  for (const auto grouping :
       {kelvane::Grouping::EveryRow, kelvane::Grouping::Capabilities}) {
    const kelvane::Columns columns(comparison, grouping);
    const std::string page = kelvane::FormatHtml(columns, "summary");
    Check(page.find("<script") == std::string::npos, "the page has no script");
    (void)kelvane::FormatLegend(columns);
    (void)kelvane::FormatDifferences(columns);
  }
  (void)kelvane::FormatCoverage(comparison);
  return 0;
}
