#include <nlohmann/json.hpp>

#include "compare/Outputs.h"
#include "compare/Utf8.h"

namespace kelvane {
namespace {

using Json = nlohmann::ordered_json;

Json Texts(const std::vector<Cell>& cells) {
  Json object = Json::object();
  for (const Cell& cell : cells)
    object[ToUtf8(cell.label)] = ToUtf8(cell.value);
  return object;
}

}  // namespace

std::string FormatJson(const std::vector<Report>& reports) {
  Json list = Json::array();
  for (const Report& report : reports) {
    Json adapters = Json::array();
    for (const AdapterCells& adapter : report.adapters) {
      Json flags = Json::object();
      for (const FlagGroupCells& group : adapter.groups) {
        Json values = Json::object();
        for (const Cell& flag : group.flags)
          values[ToUtf8(flag.label)] = flag.value == "Yes";
        flags[ToUtf8(group.title)] = std::move(values);
      }
      adapters.push_back({{"identity", Texts(adapter.identity)},
                          {"limits", Texts(adapter.limits)},
                          {"flags", std::move(flags)}});
    }
    list.push_back(
        {{"file", ToUtf8(report.file)}, {"adapters", std::move(adapters)}});
  }
  return Json{{"reports", std::move(list)}}.dump(1) + '\n';
}

}  // namespace kelvane
