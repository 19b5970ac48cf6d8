// One catalogue entry: a row showing one field of a platform record with one
// row kind. The label is spelled from the field's own name, so the two cannot
// drift apart.
#pragma once

#include <cstddef>
#include <cstring>
#include <string>
#include <type_traits>

#include "report/RowWriters.h"

template <typename Record>
struct ValueRow {
  const char* label;
  RowKind kind;  // what the value cell can hold, for readers of the report
  // Reads the row's field from the record and hands it to the row's writer.
  void (*writeRow)(const std::string& label, const Record& record);
};

// A text field is shown up to its first NUL, and never beyond its array.
template <std::size_t Size>
std::string ReadField(const char (&text)[Size]) {
  const void* end = std::memchr(text, '\0', Size);
  return std::string(
      text, end != nullptr ? static_cast<const char*>(end) - text : Size);
}

template <typename Value>
const Value& ReadField(const Value& value) {
  return value;
}

// The value type that a row writer takes.
template <typename Value>
struct WriterValue;
template <typename Value>
struct WriterValue<void (*)(const std::string&, Value)> {
  using Type = std::decay_t<Value>;
};

template <typename Record, auto Field, auto Writer>
void WriteFieldRow(const std::string& label, const Record& record) {
  using FieldValue = std::decay_t<decltype(ReadField(record.*Field))>;
  static_assert(
      std::is_same_v<FieldValue, typename WriterValue<decltype(Writer)>::Type>,
      "a row writer must take its field's own type");
  Writer(label, ReadField(record.*Field));
}

// clang-format off
#define KELVANE_VALUE_ROW(Record, Field, Writer)                  \
  ValueRow<Record> {                                               \
    #Field, RowKindOf<Writer>::kind,                               \
        &WriteFieldRow<Record, &Record::Field, Writer>             \
  }
// clang-format on

template <typename Record, std::size_t Count>
void WriteValueRows(const ValueRow<Record> (&rows)[Count],
                    const Record& record) {
  for (const ValueRow<Record>& row : rows) row.writeRow(row.label, record);
}
