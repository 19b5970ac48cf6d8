// The whole run: banner, report, exit code.
#pragma once

#include <string>

#include "platform/CapabilitySource.h"

// The program's home page, linked from the end of every report.
extern const char kHomePageAddress[];

// The last line before "</html>"; its link text is the home page's address
// without the scheme and the page's file name.
std::string FormCreditLine();

// Returns the process exit code: 0, or -1 (no Direct3D), -2 (no HAL caps),
// -3 (no adapter identifier), -4 (the report did not reach the disk whole).
int WriteDeviceCapsReport(const CapabilitySource& source);
