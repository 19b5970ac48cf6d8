#include "compare/comparison/ValueOrder.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <string>
#include <vector>

#include "report/RowValues.h"

namespace kelvane {
namespace {

bool IsVersion(RowKind kind) {
  return kind == RowKind::DriverVersion || kind == RowKind::ShaderVersion;
}

// A number as its decimal text says it, compared exactly: a double would
// take 4096.0000000000001 for 4096.
struct Decimal {
  int infinite = 0;  // -1 or 1 for -inf and inf
  bool negative = false;
  std::string_view whole;     // no leading zeros
  std::string_view fraction;  // no trailing zeros
};

std::optional<Decimal> ReadNumber(std::string_view text) {
  Decimal number;
  for (const float infinite : {INFINITY, -INFINITY})
    if (text == FormFloatValue(infinite)) {
      number.infinite = infinite > 0 ? 1 : -1;
      return number;
    }
  if (!text.empty() && (text.front() == '-' || text.front() == '+')) {
    number.negative = text.front() == '-';
    text.remove_prefix(1);
  }
  const std::size_t point = text.find('.');
  number.whole = text.substr(0, point);
  number.fraction = point == std::string_view::npos ? std::string_view()
                                                    : text.substr(point + 1);
  const auto digits = [](std::string_view part) {
    return part.find_first_not_of("0123456789") == std::string_view::npos;
  };
  if ((number.whole.empty() && number.fraction.empty()) ||
      !digits(number.whole) || !digits(number.fraction) ||
      (point != std::string_view::npos && number.fraction.empty()))
    return std::nullopt;
  while (!number.whole.empty() && number.whole.front() == '0')
    number.whole.remove_prefix(1);
  while (!number.fraction.empty() && number.fraction.back() == '0')
    number.fraction.remove_suffix(1);
  // -0.00 is 0.
  if (number.whole.empty() && number.fraction.empty()) number.negative = false;
  return number;
}

int OrderOfMagnitudes(const Decimal& a, const Decimal& b) {
  if (a.whole.size() != b.whole.size())
    return a.whole.size() < b.whole.size() ? -1 : 1;
  if (const int order = a.whole.compare(b.whole)) return order < 0 ? -1 : 1;
  const int order = a.fraction.compare(b.fraction);
  return order < 0 ? -1 : order > 0 ? 1 : 0;
}

int OrderOfNumbers(const Decimal& a, const Decimal& b) {
  if (a.infinite != 0 || b.infinite != 0)
    return a.infinite < b.infinite ? -1 : a.infinite > b.infinite ? 1 : 0;
  if (a.negative != b.negative) return a.negative ? -1 : 1;
  const int order = OrderOfMagnitudes(a, b);
  return a.negative ? -order : order;
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
  return OrderOfNumbers(*first, *second);
}

bool IsOrderedValue(RowKind kind, std::string_view text) {
  return IsVersion(kind) ? ReadVersion(text).has_value()
                         : ReadNumber(text).has_value();
}

}  // namespace kelvane
