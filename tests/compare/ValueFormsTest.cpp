// A value is taken only in a form that its row kind's writer forms.
#include <gtest/gtest.h>

#include <string>

#include "compare/read/ValueForms.h"

namespace {

struct FormCase {
  RowKind kind;
  std::string text;
  bool written;
};

TEST(ValueForms, OnlyTheWritersOwnSpellingIsTaken) {
  const FormCase cases[] = {
      {RowKind::Dword, "0", true},
      {RowKind::Dword, "4294967295", true},
      {RowKind::Dword, "4294967296", false},
      {RowKind::Dword, "abc2048", false},
      {RowKind::Dword, "2048 ", false},
      {RowKind::Dword, "02048", false},
      {RowKind::Dword, "+2048", false},
      {RowKind::Dword, "-1", false},
      {RowKind::Dword, "", false},
      {RowKind::Uint, "4294967295", true},
      {RowKind::Uint, "0x10", false},
      {RowKind::Float, "10000000000.00", true},
      {RowKind::Float, "-0.00", true},
      {RowKind::Float, "0.01", true},
      {RowKind::Float, "-340282346638528859811704183484516925440.00", true},
      {RowKind::Float, "inf", true},
      {RowKind::Float, "-inf", true},
      {RowKind::Float, "nan", true},
      {RowKind::Float, "-nan", false},
      {RowKind::Float, "1.0", false},
      {RowKind::Float, "1.000", false},
      {RowKind::Float, "01.00", false},
      {RowKind::Float, "1e3", false},
      // Floats near 2^24 are even: no float is shown as this.
      {RowKind::Float, "16777217.00", false},
      {RowKind::Float, "16777218.00", true},
      {RowKind::Float, "1000000000000000000000000000000000000000.00", false},
      {RowKind::Guid, "{0-0-0-0}", true},
      {RowKind::Guid, "{4294967295-65535-65535-18446744073709551615}", true},
      {RowKind::Guid, "{1-65536-0-0}", false},
      {RowKind::Guid, "{1-2-3}", false},
      {RowKind::Guid, "1-2-3-4", false},
      {RowKind::DeviceType, "D3DDEVTYPE_HAL", true},
      {RowKind::DeviceType, "D3DDEVTYPE_SW", true},
      {RowKind::DeviceType, "7", true},
      {RowKind::DeviceType, "1", false},
      {RowKind::DeviceType, "D3DDEVTYPE_NULLREF", false},
      {RowKind::Whql, "Not certified", true},
      {RowKind::Whql, "Certified (No date)", true},
      {RowKind::Whql, "30.9.2001", true},
      {RowKind::Whql, "0.0.0", false},
      {RowKind::Whql, "1.0.0", false},
      {RowKind::Whql, "256.1.2001", false},
      {RowKind::Whql, "30.09.2001", false},
      {RowKind::ShaderVersion, "1.1", true},
      {RowKind::ShaderVersion, "255.255", true},
      {RowKind::ShaderVersion, "256.0", false},
      {RowKind::ShaderVersion, "1.1.0", false},
      {RowKind::DriverVersion, "4.12.10.276", true},
      {RowKind::DriverVersion, "65535.65535.65535.65535", true},
      {RowKind::DriverVersion, "65536.0.0.0", false},
      {RowKind::DriverVersion, "4.12.10", false},
      {RowKind::Flag, "Yes", true},
      {RowKind::Flag, "No", true},
      {RowKind::Flag, "yes", false},
      {RowKind::Text, "", true},
      {RowKind::Text, "<b>any</b>\nlines & 100%", true},
      {RowKind::Text, std::string(512, 'x'), true},
      {RowKind::Text, std::string(513, 'x'), false},
      {RowKind::Text, std::string("a\0b", 3), false},
  };
  for (const FormCase& c : cases)
    EXPECT_EQ(kelvane::IsWrittenForm(c.kind, c.text), c.written)
        << kelvane::DescribeForm(c.kind) << ": \"" << c.text.substr(0, 50)
        << "\"";
}

}  // namespace
