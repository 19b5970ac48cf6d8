#include "compare/comparison/ValueOrder.h"

#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

#include "report/RowValues.h"

namespace kelvane {
namespace {

bool IsVersion(RowKind kind) {
  return kind == RowKind::DriverVersion || kind == RowKind::ShaderVersion;
}

std::optional<double> ReadNumber(std::string_view text) {
  for (const float infinite : {INFINITY, -INFINITY})
    if (text == FormFloatValue(infinite)) return infinite;
  double value = 0;
  const char* end = text.data() + text.size();
  const auto [stop, error] = std::from_chars(text.data(), end, value);
  if (text.empty() || error != std::errc() || stop != end || std::isnan(value))
    return std::nullopt;
  return value;
}

std::optional<std::vector<std::uint64_t>> ReadVersion(std::string_view text) {
  std::vector<std::uint64_t> parts;
  for (;;) {
    const std::size_t dot = text.find('.');
    const std::string_view part = text.substr(0, dot);
    std::uint64_t value = 0;
    const auto [stop, error] =
        std::from_chars(part.data(), part.data() + part.size(), value);
    if (part.empty() || error != std::errc() ||
        stop != part.data() + part.size())
      return std::nullopt;
    parts.push_back(value);
    if (dot == std::string_view::npos) return parts;
    text.remove_prefix(dot + 1);
  }
}

template <typename T>
int Order(const T& a, const T& b) {
  return a < b ? -1 : b < a ? 1 : 0;
}

}  // namespace

bool IsOrdered(RowKind kind) {
  return kind == RowKind::Dword || kind == RowKind::Uint ||
         kind == RowKind::Float || IsVersion(kind);
}

std::optional<int> CompareValues(RowKind kind, std::string_view a,
                                 std::string_view b) {
  if (IsVersion(kind)) {
    auto first = ReadVersion(a), second = ReadVersion(b);
    if (!first || !second) return std::nullopt;
    const std::size_t parts = std::max(first->size(), second->size());
    first->resize(parts);
    second->resize(parts);
    return Order(*first, *second);
  }
  const auto first = ReadNumber(a), second = ReadNumber(b);
  if (!first || !second) return std::nullopt;
  return Order(*first, *second);
}

bool IsOrderedValue(RowKind kind, std::string_view text) {
  return IsVersion(kind) ? ReadVersion(text).has_value()
                         : ReadNumber(text).has_value();
}

}  // namespace kelvane
