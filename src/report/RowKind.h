// The kinds of value row. Each kind's value text is formed in one place
// (RowValues.h) and written by one row writer (RowWriters.h).
#pragma once

enum class RowKind {
  Flag,
  Text,
  Dword,
  Uint,
  Float,
  Guid,
  DeviceType,
  Whql,
  ShaderVersion,
  DriverVersion,
};
