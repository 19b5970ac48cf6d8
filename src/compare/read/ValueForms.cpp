#include "compare/read/ValueForms.h"

#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <optional>
#include <vector>

#include "report/RowValues.h"

namespace kelvane {
namespace {

std::optional<std::uint64_t> ReadNumber(std::string_view text,
                                        std::uint64_t largest) {
  std::uint64_t value = 0;
  const char* end = text.data() + text.size();
  const auto [stop, error] = std::from_chars(text.data(), end, value);
  if (text.empty() || error != std::errc() || stop != end || value > largest)
    return std::nullopt;
  return value;
}

// The numbers between the separators, each at most `largest`.
std::optional<std::vector<std::uint64_t>> ReadNumbers(std::string_view text,
                                                      char separator,
                                                      std::size_t count,
                                                      std::uint64_t largest) {
  std::vector<std::uint64_t> numbers;
  for (std::size_t i = 0; i < count; ++i) {
    const std::size_t end = i + 1 == count ? text.size() : text.find(separator);
    if (end == std::string_view::npos) return std::nullopt;
    const auto number = ReadNumber(text.substr(0, end), largest);
    if (!number) return std::nullopt;
    numbers.push_back(*number);
    text.remove_prefix(i + 1 == count ? end : end + 1);
  }
  return numbers;
}

// Every form is checked by forming the value again: only the writer's own
// spelling of a value comes back the same.
template <typename Value>
bool IsNumberForm(std::string_view text, std::string (*form)(Value)) {
  const auto number = ReadNumber(text, UINT32_MAX);
  return number && form(static_cast<Value>(*number)) == text;
}

// The writer's texts of the values that are no number.
bool IsNotANumberForm(std::string_view text) {
  for (const float value : {NAN, INFINITY, -INFINITY})
    if (text == FormFloatValue(value)) return true;
  return false;
}

bool IsFloatForm(std::string_view text) {
  if (IsNotANumberForm(text)) return true;
  double value = 0;
  const char* end = text.data() + text.size();
  const auto [stop, error] =
      std::from_chars(text.data(), end, value, std::chars_format::fixed);
  if (text.empty() || error != std::errc() || stop != end) return false;
  // The float nearest to the text, or one beside it, is the one it shows.
  const float nearest = static_cast<float>(value);
  for (const float candidate : {nearest, std::nextafter(nearest, -INFINITY),
                                std::nextafter(nearest, INFINITY)})
    if (std::isfinite(candidate) && FormFloatValue(candidate) == text)
      return true;
  return false;
}

bool IsGuidForm(std::string_view text) {
  if (text.size() < 2 || text.front() != '{' || text.back() != '}')
    return false;
  const auto numbers =
      ReadNumbers(text.substr(1, text.size() - 2), '-', 4, UINT64_MAX);
  if (!numbers || (*numbers)[0] > UINT32_MAX || (*numbers)[1] > UINT16_MAX ||
      (*numbers)[2] > UINT16_MAX)
    return false;
  GUID guid{};
  guid.Data1 = static_cast<std::uint32_t>((*numbers)[0]);
  guid.Data2 = static_cast<std::uint16_t>((*numbers)[1]);
  guid.Data3 = static_cast<std::uint16_t>((*numbers)[2]);
  for (int i = 7; i >= 0; --i)
    guid.Data4[7 - i] = static_cast<unsigned char>((*numbers)[3] >> (8 * i));
  return FormGuidValue(guid) == text;
}

bool IsDeviceTypeForm(std::string_view text) {
  std::uint32_t number = 0;
  if (const auto read = ReadNumber(text, UINT32_MAX)) {
    number = static_cast<std::uint32_t>(*read);
  } else {
    // The named types, as the writer names them.
    for (const D3DDEVTYPE named :
         {D3DDEVTYPE_HAL, D3DDEVTYPE_REF, D3DDEVTYPE_SW})
      if (text == FormDeviceTypeValue(named)) return true;
    return false;
  }
  D3DDEVTYPE type;
  static_assert(sizeof type == sizeof number);
  std::memcpy(&type, &number, sizeof type);
  return FormDeviceTypeValue(type) == text;
}

bool IsWhqlForm(std::string_view text) {
  // Levels 0 and 1 are words; any other is a date.
  if (text == FormWhqlValue(0) || text == FormWhqlValue(1)) return true;
  const auto parts = ReadNumbers(text, '.', 3, UINT16_MAX);
  if (!parts || (*parts)[0] > 0xFF || (*parts)[1] > 0xFF) return false;
  const auto level =
      static_cast<DWORD>((*parts)[2] << 16 | (*parts)[1] << 8 | (*parts)[0]);
  return FormWhqlValue(level) == text;
}

bool IsShaderVersionForm(std::string_view text) {
  const auto parts = ReadNumbers(text, '.', 2, 0xFF);
  return parts && FormShaderVersionValue(static_cast<DWORD>(
                      (*parts)[0] << 8 | (*parts)[1])) == text;
}

bool IsDriverVersionForm(std::string_view text) {
  const auto parts = ReadNumbers(text, '.', 4, UINT16_MAX);
  if (!parts) return false;
  LARGE_INTEGER version{};
  version.HighPart = static_cast<LONG>((*parts)[0] << 16 | (*parts)[1]);
  version.LowPart = static_cast<DWORD>((*parts)[2] << 16 | (*parts)[3]);
  return FormDriverVersionValue(version) == text;
}

}  // namespace

bool IsWrittenForm(RowKind kind, std::string_view text) {
  switch (kind) {
    case RowKind::Flag:
      return text == FormFlagValue(1) || text == FormFlagValue(0);
    case RowKind::Text:
      return text.size() <= kLongestText &&
             text.find('\0') == std::string_view::npos;
    case RowKind::Dword:
      return IsNumberForm(text, FormDwordValue);
    case RowKind::Uint:
      return IsNumberForm(text, FormUintValue);
    case RowKind::Float:
      return IsFloatForm(text);
    case RowKind::Guid:
      return IsGuidForm(text);
    case RowKind::DeviceType:
      return IsDeviceTypeForm(text);
    case RowKind::Whql:
      return IsWhqlForm(text);
    case RowKind::ShaderVersion:
      return IsShaderVersionForm(text);
    case RowKind::DriverVersion:
      return IsDriverVersionForm(text);
  }
  return false;
}

const char* DescribeForm(RowKind kind) {
  switch (kind) {
    case RowKind::Flag:
      return "Yes or No";
    case RowKind::Text:
      return "a text of at most 512 bytes, without NUL";
    case RowKind::Dword:
    case RowKind::Uint:
      return "a decimal number";
    case RowKind::Float:
      return "a number with two decimals, inf, -inf or nan";
    case RowKind::Guid:
      return "an identifier {N-N-N-N}";
    case RowKind::DeviceType:
      return "D3DDEVTYPE_HAL, D3DDEVTYPE_REF, D3DDEVTYPE_SW or the number of "
             "another type";
    case RowKind::Whql:
      return "Not certified, Certified (No date) or a date D.M.YYYY";
    case RowKind::ShaderVersion:
      return "a version MAJOR.MINOR";
    case RowKind::DriverVersion:
      return "a version A.B.C.D";
  }
  return "a value";
}

}  // namespace kelvane
