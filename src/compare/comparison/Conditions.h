// --where: which adapters take part. LABEL=VALUE, LABEL!=VALUE, and for rows
// that hold numbers or versions LABEL<VALUE, <=, > and >=; for texts
// LABEL~PART, a part of the text. = and != take a list, VALUE,VALUE: any of
// them. A flag that stands in several groups is named GROUP/LABEL, and any
// flag may be.
#pragma once

#include <cstddef>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace kelvane {

enum class Comparator {
  Equal,
  NotEqual,
  Less,
  AtMost,
  Greater,
  AtLeast,
  Contains
};

struct Condition {
  std::size_t row;  // of AdapterRows()
  Comparator comparator;
  std::string value;  // UTF-8
};

// An expression that names no row, or asks what its row cannot answer.
class ConditionError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

Condition ParseCondition(std::string_view expression);

// "GROUP/LABEL>=VALUE": a condition as --where takes it.
std::string FormatCondition(const Condition& condition);

// Which machines (reports) take part, by their adapters that meet --where:
// any one of them, every one, or the primary one (AdapterOrdinal 0). In a
// machine that takes part, the adapters that meet it take part.
enum class MachineRule { Any, All, Primary };

// Whether an adapter's values (UTF-8, one per row) meet every condition.
bool MeetsAll(const std::vector<Condition>& conditions,
              const std::vector<std::string>& values);

}  // namespace kelvane
