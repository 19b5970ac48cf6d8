#include <cmath>
#include <cstdio>

#include "compare/cli/Utf8.h"
#include "compare/output/Outputs.h"
#include "compare/read/ReportLayout.h"
#include "report/RowValues.h"

namespace kelvane {
namespace {

// A JSON string. The texts here are UTF-8 already: only quotes,
// backslashes and controls are escaped, as JSON has it.
std::string Quote(std::string_view text) {
  std::string quoted = "\"";
  quoted.reserve(text.size() + 2);
  for (const char c : text) {
    const auto byte = static_cast<unsigned char>(c);
    if (c == '"' || c == '\\') {
      (quoted += '\\') += c;
    } else if (byte < 0x20) {
      char escaped[8];
      std::snprintf(escaped, sizeof escaped, "\\u%04x", byte);
      quoted += escaped;
    } else {
      quoted += c;
    }
  }
  return quoted += '"';
}

// "file" as UTF-8; a name that is not (its bytes are no code page's) shows
// U+FFFD there, and its bytes in "file_hex", so names stay apart and can be
// had back (xxd -r -p).
std::string FileKeys(const std::string& name) {
  if (IsValidUtf8(name)) return "\"file\":" + Quote(name);
  std::string hex;
  for (const char c : name) {
    char pair[3];
    std::snprintf(pair, sizeof pair, "%02x", static_cast<unsigned char>(c));
    hex += pair;
  }
  return "\"file\":" + Quote(NameToUtf8(name)) + ",\"file_hex\":\"" + hex +
         "\"";
}

// Every row's label as a JSON key, quoted once.
const std::vector<std::string>& QuotedLabels() {
  static const std::vector<std::string> labels = [] {
    std::vector<std::string> quoted;
    for (const RowPlace& row : AdapterRows())
      quoted.push_back(Quote(row.label) + ":");
    return quoted;
  }();
  return labels;
}

bool IsVersion(RowKind kind) {
  return kind == RowKind::DriverVersion || kind == RowKind::ShaderVersion;
}

// A version that compares as text as it does part by part: each part in
// five digits (a part is 16 bits), "6.14.10.9" as "00006.00014.00010.00009".
std::string VersionOrderKey(const std::string& version) {
  std::string key, part;
  const auto flush = [&key, &part] {
    if (!key.empty()) key += '.';
    key += std::string(part.size() < 5 ? 5 - part.size() : 0, '0') + part;
    part.clear();
  };
  for (const char c : version) {
    if (c == '.')
      flush();
    else
      part += c;
  }
  flush();
  return key;
}

// The cell as JSON: numbers as the report writes them, which JSON reads.
std::string ValueJson(RowKind kind, const std::string& text) {
  switch (kind) {
    case RowKind::Flag:
      return text == FormFlagValue(1) ? "true" : "false";
    case RowKind::Dword:
    case RowKind::Uint:
      return text;
    case RowKind::Float:
      // JSON has no number for them, and a parser may refuse 9e999.
      for (const float value : {NAN, INFINITY, -INFINITY})
        if (text == FormFloatValue(value)) return Quote(text);
      return text;
    default:
      return Quote(text);
  }
}

// {"LABEL":VALUE,...} of the rows that `take` picks.
template <typename Take>
std::string ObjectOf(const Configuration& configuration, Take take) {
  std::string object = "{";
  const auto& rows = AdapterRows();
  for (std::size_t row = 0; row < rows.size(); ++row) {
    if (!take(row)) continue;
    if (object.size() > 1) object += ',';
    object += QuotedLabels()[row] +
              ValueJson(rows[row].kind, configuration.values[row]);
    if (IsVersion(rows[row].kind))
      object += ',' + Quote(std::string(rows[row].label) + "_order") + ':' +
                Quote(VersionOrderKey(configuration.values[row]));
  }
  return object + "}";
}

std::string CapabilitiesRecord(const Configuration& configuration,
                               std::size_t number) {
  const auto& rows = AdapterRows();
  std::string flags = "{";
  for (std::size_t row = 0; row < rows.size(); ++row) {
    if (rows[row].kind != RowKind::Flag) continue;
    const bool opens = row == 0 || rows[row - 1].group != rows[row].group;
    if (opens)
      flags += std::string(flags.size() > 1 ? "}," : "") +
               Quote(rows[row].group) + ":{";
    else
      flags += ',';
    flags += QuotedLabels()[row] +
             ValueJson(RowKind::Flag, configuration.values[row]);
  }
  flags += "}}";
  const std::string limits = ObjectOf(configuration, [&rows](std::size_t row) {
    return IsCapability(row) && rows[row].kind != RowKind::Flag;
  });
  return "{\"configuration\":" + std::to_string(number) +
         ",\"limits\":" + limits + ",\"flags\":" + flags + "}";
}

std::string IdentityPart(const Configuration& configuration) {
  const auto& rows = AdapterRows();
  return ",\"identity\":" +
         ObjectOf(configuration,
                  [&rows](std::size_t row) {
                    return rows[row].table == rows.front().table;
                  }) +
         ",\"AdapterOrdinal\":" +
         ValueJson(rows[kAdapterOrdinalRow].kind,
                   configuration.values[kAdapterOrdinalRow]) +
         "}";
}

}  // namespace

std::vector<std::string> JsonRecords::TakeNew(const Comparison& comparison) {
  std::vector<std::string> records;
  const auto& configurations = comparison.Configurations();
  const auto& adapters = comparison.Adapters();
  for (; adapters_ < adapters.size(); ++adapters_) {
    const AdapterEntry& entry = adapters[adapters_];
    const Configuration& configuration = configurations[entry.configuration];
    // Sets are numbered as they first come, so a new one is the next.
    if (configuration.capabilities == sets_)
      records.push_back(CapabilitiesRecord(configuration, ++sets_));
    while (identities_.size() < configurations.size())
      identities_.push_back(IdentityPart(configurations[identities_.size()]));
    records.push_back(
        "{" + FileKeys(comparison.Files()[entry.report]) +
        ",\"adapter\":" + std::to_string(entry.number) +
        ",\"configuration\":" + std::to_string(configuration.capabilities + 1) +
        identities_[entry.configuration]);
  }
  return records;
}

JsonWriter::JsonWriter(bool lines, Sink write)
    : lines_(lines), write_(std::move(write)) {
  if (!lines_) write_("{\"records\": [\n");
}

void JsonWriter::Write(const Comparison& comparison) {
  for (const std::string& record : records_.TakeNew(comparison)) {
    if (!lines_ && !first_) write_(",\n");
    write_(record);
    if (lines_) write_("\n");
    first_ = false;
  }
}

void JsonWriter::Finish() {
  if (!lines_) write_("\n]}\n");
}

}  // namespace kelvane
