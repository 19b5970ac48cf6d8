#include <nlohmann/json.hpp>

#include "compare/Outputs.h"
#include "compare/ReportLayout.h"
#include "compare/Utf8.h"

namespace kelvane {
namespace {

using Json = nlohmann::ordered_json;

// The adapter's fields after those that `entry` holds already.
Json AdapterJson(Json entry, const AdapterCells& adapter,
                 std::size_t configuration) {
  Json identity = Json::object(), limits = Json::object(),
       flags = Json::object();
  const auto& rows = AdapterRows();
  for (std::size_t row = 0; row < rows.size(); ++row) {
    const RowPlace& place = rows[row];
    const std::string label(place.label);
    const std::string& value = adapter.values[row];
    if (place.kind == RowKind::Flag)
      flags[std::string(place.group)][label] = value == "Yes";
    else if (place.table == rows.front().table)
      identity[label] = ToUtf8(value);
    else
      limits[label] = ToUtf8(value);
  }
  entry["configuration"] = configuration + 1;
  entry["identity"] = std::move(identity);
  entry["limits"] = std::move(limits);
  entry["flags"] = std::move(flags);
  return entry;
}

}  // namespace

std::string FormatJsonStart() { return "{\"reports\": [\n"; }

std::string FormatJsonReport(const Report& report,
                             const std::vector<std::size_t>& configurations,
                             bool first) {
  Json adapters = Json::array();
  for (std::size_t n = 0; n < report.adapters.size(); ++n)
    adapters.push_back(
        AdapterJson(Json::object(), report.adapters[n], configurations[n]));
  const Json entry = {{"file", NameToUtf8(report.file)},
                      {"adapters", std::move(adapters)}};
  return (first ? "" : ",\n") + entry.dump();
}

std::string FormatJsonEnd() { return "\n]}\n"; }

std::string FormatJsonLines(const Report& report,
                            const std::vector<std::size_t>& configurations) {
  std::string lines;
  const std::string file = NameToUtf8(report.file);
  for (std::size_t n = 0; n < report.adapters.size(); ++n) {
    const Json line = AdapterJson({{"file", file}, {"adapter", n}},
                                  report.adapters[n], configurations[n]);
    lines += line.dump() + '\n';
  }
  return lines;
}

}  // namespace kelvane
