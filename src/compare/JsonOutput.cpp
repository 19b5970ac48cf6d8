#include <nlohmann/json.hpp>

#include "compare/Outputs.h"
#include "compare/ReportLayout.h"

namespace kelvane {
namespace {

using Json = nlohmann::ordered_json;

std::string Quote(const std::string& text) { return Json(text).dump(); }

std::string AdapterStart(const Comparison& comparison, std::size_t adapter) {
  const AdapterEntry& entry = comparison.Adapters()[adapter];
  return "{\"file\":" + Quote(comparison.Files()[entry.report]) +
         ",\"adapter\":" + std::to_string(entry.number) +
         ",\"configuration\":" + std::to_string(entry.configuration + 1) + ",";
}

}  // namespace

std::string FormatJsonBody(const Configuration& configuration) {
  Json identity = Json::object(), limits = Json::object(),
       flags = Json::object();
  const auto& rows = AdapterRows();
  for (std::size_t row = 0; row < rows.size(); ++row) {
    const RowPlace& place = rows[row];
    const std::string label(place.label);
    const std::string& value = configuration.values[row];
    if (place.kind == RowKind::Flag)
      flags[std::string(place.group)][label] = value == "Yes";
    else if (place.table == rows.front().table)
      identity[label] = value;
    else
      limits[label] = value;
  }
  return "\"identity\":" + identity.dump() + ",\"limits\":" + limits.dump() +
         ",\"flags\":" + flags.dump();
}

std::string FormatJsonStart() { return "{\"reports\": [\n"; }

std::string FormatJsonReport(const Comparison& comparison, std::size_t report,
                             std::size_t firstAdapter,
                             const std::vector<std::string>& bodies) {
  const auto& adapters = comparison.Adapters();
  std::string json = report == 0 ? "" : ",\n";
  json += "{\"file\":" + Quote(comparison.Files()[report]) + ",\"adapters\":[";
  for (std::size_t a = firstAdapter; a < adapters.size(); ++a) {
    json += a == firstAdapter ? "{" : ",{";
    json +=
        "\"configuration\":" + std::to_string(adapters[a].configuration + 1) +
        "," + bodies[adapters[a].configuration] + "}";
  }
  return json + "]}";
}

std::string FormatJsonEnd() { return "\n]}\n"; }

std::string FormatJsonLines(const Comparison& comparison,
                            std::size_t firstAdapter,
                            const std::vector<std::string>& bodies) {
  std::string lines;
  const auto& adapters = comparison.Adapters();
  for (std::size_t a = firstAdapter; a < adapters.size(); ++a)
    lines +=
        AdapterStart(comparison, a) + bodies[adapters[a].configuration] + "}\n";
  return lines;
}

}  // namespace kelvane
