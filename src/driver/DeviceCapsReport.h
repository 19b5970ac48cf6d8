// The whole run: banner, report, exit code.
#pragma once

#include <string>

#include "platform/CapabilitySource.h"

// Returns the process exit code: 0, or -1 (no Direct3D), -2 (no HAL caps),
// -3 (no adapter identifier), -4 (the report did not reach the disk whole).
int WriteDeviceCapsReport(const CapabilitySource& source);
