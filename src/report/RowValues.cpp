#include "report/RowValues.h"

#include <cmath>
#include <cstdarg>
#include <cstdint>
#include <cstdio>

namespace {

// MinGW is built with its own printf, which follows the GNU formats.
#if defined(__MINGW32__)
__attribute__((format(gnu_printf, 1, 2)))
#elif defined(__GNUC__)
__attribute__((format(printf, 1, 2)))
#endif
std::string
FormatValue(const char* format, ...) {
  // The longest formatted value, the float of -FLT_MAX, is 43 bytes.
  char buffer[256];
  va_list arguments;
  va_start(arguments, format);
  std::vsnprintf(buffer, sizeof buffer, format, arguments);
  va_end(arguments);
  return buffer;
}

}  // namespace

std::string FormFlagValue(int flagValue) {
  return flagValue != 0 ? "Yes" : "No";
}

std::string FormDwordValue(DWORD value) {
  return FormatValue("%lu", static_cast<unsigned long>(value));
}

std::string FormUintValue(UINT value) {
  return FormatValue("%u", static_cast<unsigned>(value));
}

std::string FormFloatValue(float value) {
  // printf spells these differently from one C library to the next.
  if (std::isnan(value)) return "nan";
  if (std::isinf(value)) return value < 0 ? "-inf" : "inf";
  return FormatValue("%.2f", static_cast<double>(value));
}

std::string FormGuidValue(const GUID& value) {
  // Data4 read as one big-endian number keeps every bit of the GUID.
  unsigned long long data4 = 0;
  for (const unsigned char byte : value.Data4) data4 = data4 << 8 | byte;
  return FormatValue("{%lu-%lu-%lu-%llu}",
                     static_cast<unsigned long>(value.Data1),
                     static_cast<unsigned long>(value.Data2),
                     static_cast<unsigned long>(value.Data3), data4);
}

std::string FormDeviceTypeValue(D3DDEVTYPE value) {
  const auto type = static_cast<std::uint32_t>(value);
  switch (type) {
    case D3DDEVTYPE_HAL:
      return "D3DDEVTYPE_HAL";
    case D3DDEVTYPE_REF:
      return "D3DDEVTYPE_REF";
    case D3DDEVTYPE_SW:
      return "D3DDEVTYPE_SW";
    default:
      return FormatValue("%lu", static_cast<unsigned long>(type));
  }
}

std::string FormWhqlValue(DWORD value) {
  if (value == 0) return "Not certified";
  if (value == 1) return "Certified (No date)";
  const unsigned day = value & 0xFF;
  const unsigned month = value >> 8 & 0xFF;
  const unsigned year = value >> 16 & 0xFFFF;
  return FormatValue("%u.%u.%u", day, month, year);
}

std::string FormShaderVersionValue(DWORD value) {
  const int major = static_cast<int>(value >> 8 & 0xFF);
  const int minor = static_cast<int>(value & 0xFF);
  return FormatValue("%d.%d", major, minor);
}

std::string FormDriverVersionValue(LARGE_INTEGER value) {
  const auto high = static_cast<std::uint32_t>(value.HighPart);
  const auto low = static_cast<std::uint32_t>(value.LowPart);
  return FormatValue("%d.%d.%d.%d", static_cast<int>(high >> 16),
                     static_cast<int>(high & 0xFFFF),
                     static_cast<int>(low >> 16),
                     static_cast<int>(low & 0xFFFF));
}
