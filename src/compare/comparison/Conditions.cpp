#include "compare/comparison/Conditions.h"

#include <algorithm>
#include <cmath>

#include "compare/comparison/ValueOrder.h"
#include "compare/output/TerminalText.h"
#include "compare/read/ReportLayout.h"
#include "compare/read/ValueForms.h"
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
    {"~", Comparator::Contains},
};

std::string_view Trimmed(std::string_view label);

// How far apart two names are, case aside: the edits that make one the
// other.
std::size_t Distance(std::string_view a, std::string_view b) {
  const auto lower = [](char c) {
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
  };
  std::vector<std::size_t> row(b.size() + 1);
  for (std::size_t j = 0; j <= b.size(); ++j) row[j] = j;
  for (std::size_t i = 1; i <= a.size(); ++i) {
    std::size_t diagonal = row[0];
    row[0] = i;
    for (std::size_t j = 1; j <= b.size(); ++j) {
      const std::size_t above = row[j];
      const std::size_t change =
          diagonal + (lower(a[i - 1]) != lower(b[j - 1]) ? 1 : 0);
      row[j] = std::min(std::min(row[j], row[j - 1]) + 1, change);
      diagonal = above;
    }
  }
  return row[b.size()];
}

// " (did you mean A or B?)" for the rows named most like `label`, if any
// are near.
std::string Closest(std::string_view label) {
  const std::vector<RowPlace>& rows = AdapterRows();
  std::size_t best = std::max<std::size_t>(2, label.size() / 3) + 1;
  std::vector<std::string> names;
  for (const RowPlace& row : rows) {
    const std::string_view candidate = Trimmed(row.label);
    const std::size_t distance = Distance(label, candidate);
    if (distance > best) continue;
    if (distance < best) names.clear();
    best = distance;
    std::string name(candidate);
    if (std::find(names.begin(), names.end(), name) == names.end())
      names.push_back(std::move(name));
  }
  if (names.empty()) return "";
  std::string text = " (did you mean ";
  for (std::size_t i = 0; i < names.size() && i < 3; ++i)
    text += (i == 0                                            ? ""
             : i + 1 == std::min<std::size_t>(names.size(), 3) ? " or "
                                                               : ", ") +
            names[i];
  return text + "?)";
}

// A label as written, less the blank that one label ends in.
std::string_view Trimmed(std::string_view label) {
  while (!label.empty() && label.back() == ' ') label.remove_suffix(1);
  return label;
}

// A row by any name the outputs give it: LABEL, GROUP/LABEL, or as the text
// output and the page print it, "TABLE / GROUP / LABEL" and "GROUP / LABEL".
std::size_t FindRow(std::string_view name) {
  std::vector<std::string_view> parts;
  for (std::size_t start = 0;;) {
    const std::size_t slash = name.find('/', start);
    std::string_view part = name.substr(start, slash - start);
    while (!part.empty() && part.front() == ' ') part.remove_prefix(1);
    parts.push_back(Trimmed(part));
    if (slash == std::string_view::npos) break;
    start = slash + 1;
  }
  const std::string_view label = Trimmed(parts.back());
  parts.pop_back();
  const auto placed = [&parts](const RowPlace& row) {
    switch (parts.size()) {
      case 0:
        return true;
      case 1:
        return parts[0] == row.group || parts[0] == row.table;
      case 2:
        return parts[0] == row.table && parts[1] == row.group;
      default:
        return false;
    }
  };
  const std::vector<RowPlace>& rows = AdapterRows();
  std::vector<std::size_t> found;
  for (std::size_t row = 0; row < rows.size(); ++row)
    if (Trimmed(rows[row].label) == label && placed(rows[row]))
      found.push_back(row);
  if (found.empty())
    throw ConditionError("--where: no row is named " + ShownText(name) +
                         Closest(label));
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

bool NamesRow(std::string_view name) {
  try {
    FindRow(name);
    return true;
  } catch (const ConditionError&) {
    return false;
  }
}

// "4318,4098": each value of a list, or the one value.
std::vector<std::string> ListOf(const std::string& value) {
  std::vector<std::string> values;
  std::size_t start = 0;
  for (std::size_t comma; (comma = value.find(',', start)) != std::string::npos;
       start = comma + 1)
    values.push_back(value.substr(start, comma - start));
  values.push_back(value.substr(start));
  return values;
}

// Equal in the row's order, or as text where it has none (NaN, texts).
bool Equals(RowKind kind, const std::string& value, const std::string& asked) {
  if (IsOrdered(kind))
    if (const auto order = CompareValues(kind, value, asked))
      return *order == 0;
  return value == asked;
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
  if (found == nullptr) {
    // The shell took what followed an unquoted > or < as a file to write.
    if (NamesRow(expression))
      throw ConditionError("--where: " + ShownText(expression) +
                           " has no operator: quote the whole expression, as "
                           "in --where '" +
                           std::string(expression) +
                           ">=2048' (an unquoted > or < is the shell's)");
    throw ConditionError(
        "--where takes LABEL=VALUE, LABEL!=VALUE or a "
        "comparison such as MaxTextureWidth>=4096, not " +
        ShownText(expression));
  }
  Condition condition{FindRow(expression.substr(0, at)), found->comparator,
                      std::string(expression.substr(at + found->text.size()))};
  const RowPlace& row = AdapterRows()[condition.row];
  const bool equality = condition.comparator == Comparator::Equal ||
                        condition.comparator == Comparator::NotEqual;
  if (row.kind == RowKind::Flag && condition.value != FormFlagValue(1) &&
      condition.value != FormFlagValue(0))
    throw ConditionError("--where: the flag " + std::string(row.label) +
                         " is Yes or No, not " + ShownText(condition.value));
  if (condition.comparator == Comparator::Contains) {
    if (row.kind != RowKind::Text)
      throw ConditionError("--where: ~ looks for a part of a text; " +
                           std::string(row.label) + " is no text");
    return condition;
  }
  if (!equality && !IsOrdered(row.kind))
    throw ConditionError("--where: " + std::string(found->text) +
                         " compares numbers and versions; " +
                         std::string(row.label) +
                         (row.kind == RowKind::Text ? " takes =, != and ~"
                                                    : " takes = and != alone"));
  // A value no report could hold matches nothing: say what it could be.
  if (equality && !IsOrdered(row.kind) && row.kind != RowKind::Text &&
      row.kind != RowKind::Flag)
    for (const std::string& one : ListOf(condition.value))
      if (!IsWrittenForm(row.kind, one))
        throw ConditionError("--where: " + std::string(row.label) + " is " +
                             DescribeForm(row.kind) + ", not " +
                             ShownText(one));
  // NaN, as the report shows it, is asked for by its text.
  const auto unordered = [&](const std::string& one) {
    const bool nan =
        row.kind == RowKind::Float && equality && one == FormFloatValue(NAN);
    return !nan && !IsOrderedValue(row.kind, one);
  };
  const std::vector<std::string> values =
      equality ? ListOf(condition.value)
               : std::vector<std::string>{condition.value};
  if (IsOrdered(row.kind) &&
      std::any_of(values.begin(), values.end(), unordered))
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
    if (condition.comparator == Comparator::Contains) {
      if (value.find(condition.value) == std::string::npos) return false;
      continue;
    }
    if (condition.comparator == Comparator::Equal ||
        condition.comparator == Comparator::NotEqual) {
      // Any of a list; a text is also itself whole, commas and all.
      bool equal = value == condition.value;
      for (const std::string& one : ListOf(condition.value))
        equal = equal || Equals(kind, value, one);
      if (equal != (condition.comparator == Comparator::Equal)) return false;
      continue;
    }
    std::optional<int> order;
    if (IsOrdered(kind)) order = CompareValues(kind, value, condition.value);
    bool meets = false;
    switch (condition.comparator) {
      case Comparator::Equal:
      case Comparator::NotEqual:
      case Comparator::Contains:
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
