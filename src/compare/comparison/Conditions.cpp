#include "compare/comparison/Conditions.h"

#include <cmath>

#include "compare/comparison/ValueOrder.h"
#include "compare/output/TerminalText.h"
#include "compare/read/ReportLayout.h"
#include "report/RowValues.h"

namespace kelvane {
namespace {

struct Operator {
  std::string_view text;
  Comparator comparator;
};

// Two-character operators first, so that "<=" is not read as "<".
constexpr Operator kOperators[] = {
    {"!=", Comparator::NotEqual}, {"<=", Comparator::AtMost},
    {">=", Comparator::AtLeast},  {"=", Comparator::Equal},
    {"<", Comparator::Less},      {">", Comparator::Greater},
};

// A label as written, less the blank that one label ends in.
std::string_view Trimmed(std::string_view label) {
  while (!label.empty() && label.back() == ' ') label.remove_suffix(1);
  return label;
}

std::size_t FindRow(std::string_view name) {
  const std::vector<RowPlace>& rows = AdapterRows();
  const std::size_t slash = name.find('/');
  const std::string_view group = slash == std::string_view::npos
                                     ? std::string_view()
                                     : name.substr(0, slash);
  const std::string_view label =
      Trimmed(slash == std::string_view::npos ? name : name.substr(slash + 1));
  std::vector<std::size_t> found;
  for (std::size_t row = 0; row < rows.size(); ++row)
    if (Trimmed(rows[row].label) == label &&
        (slash == std::string_view::npos || rows[row].group == group))
      found.push_back(row);
  if (found.empty())
    throw ConditionError("--where: no row is named " + ShownText(name));
  if (found.size() > 1) {
    std::string groups;
    for (const std::size_t row : found)
      groups += (groups.empty() ? "" : ", ") + std::string(rows[row].group) +
                "/" + std::string(label);
    throw ConditionError("--where: " + ShownText(name) +
                         " stands in several groups; name one: " + groups);
  }
  return found.front();
}

}  // namespace

Condition ParseCondition(std::string_view expression) {
  std::size_t at = std::string_view::npos;
  const Operator* found = nullptr;
  for (const Operator& candidate : kOperators) {
    const std::size_t position = expression.find(candidate.text);
    if (position != std::string_view::npos &&
        (found == nullptr || position < at ||
         (position == at && candidate.text.size() > found->text.size()))) {
      at = position;
      found = &candidate;
    }
  }
  if (found == nullptr)
    throw ConditionError(
        "--where takes LABEL=VALUE, LABEL!=VALUE or a "
        "comparison such as MaxTextureWidth>=4096, not " +
        ShownText(expression));
  Condition condition{FindRow(expression.substr(0, at)), found->comparator,
                      std::string(expression.substr(at + found->text.size()))};
  const RowPlace& row = AdapterRows()[condition.row];
  const bool equality = condition.comparator == Comparator::Equal ||
                        condition.comparator == Comparator::NotEqual;
  if (row.kind == RowKind::Flag && condition.value != FormFlagValue(1) &&
      condition.value != FormFlagValue(0))
    throw ConditionError("--where: the flag " + std::string(row.label) +
                         " is Yes or No, not " + ShownText(condition.value));
  if (!equality && !IsOrdered(row.kind))
    throw ConditionError("--where: " + std::string(found->text) +
                         " compares numbers and versions; " +
                         std::string(row.label) + " takes = and != alone");
  // NaN, as the report shows it, is asked for by its text.
  const bool nan = row.kind == RowKind::Float && equality &&
                   condition.value == FormFloatValue(NAN);
  if (IsOrdered(row.kind) && !nan && !IsOrderedValue(row.kind, condition.value))
    throw ConditionError("--where: " + std::string(row.label) + " takes a " +
                         (row.kind == RowKind::DriverVersion ||
                                  row.kind == RowKind::ShaderVersion
                              ? "version"
                              : "number") +
                         ", not " + ShownText(condition.value));
  return condition;
}

std::string FormatCondition(const Condition& condition) {
  const RowPlace& row = AdapterRows()[condition.row];
  std::string text;
  if (row.kind == RowKind::Flag) (text += row.group) += '/';
  text += Trimmed(row.label);
  for (const Operator& candidate : kOperators)
    if (candidate.comparator == condition.comparator) text += candidate.text;
  return text += condition.value;
}

bool MeetsAll(const std::vector<Condition>& conditions,
              const std::vector<std::string>& values) {
  for (const Condition& condition : conditions) {
    const std::string& value = values[condition.row];
    const RowKind kind = AdapterRows()[condition.row].kind;
    std::optional<int> order;
    if (IsOrdered(kind)) order = CompareValues(kind, value, condition.value);
    // What has no order (NaN) is equal to its own text alone.
    if (!order && value == condition.value) order = 0;
    bool meets = false;
    switch (condition.comparator) {
      case Comparator::Equal:
        meets = order == 0;
        break;
      case Comparator::NotEqual:
        meets = order != 0;
        break;
      case Comparator::Less:
        meets = order && *order < 0;
        break;
      case Comparator::AtMost:
        meets = order && *order <= 0;
        break;
      case Comparator::Greater:
        meets = order && *order > 0;
        break;
      case Comparator::AtLeast:
        meets = order && *order >= 0;
        break;
    }
    if (!meets) return false;
  }
  return true;
}

}  // namespace kelvane
