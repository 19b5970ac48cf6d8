#include "driver/FailureExit.h"

#include <cstdio>

#include "driver/DriverState.h"
#include "report/ReportFile.h"
#include "report/TextFile.h"

namespace {
const char kErrorFileName[] = "error.txt";
}

int FailAndExit(std::string message, int code) {
  std::fputs(message.c_str(), stdout);
  // Nothing below depends on error.txt: a directory that refuses it still
  // gets its report removed and the right exit code.
  WriteTextFile(kErrorFileName, FileOpening::CreateOrEmpty, message);
  if (!RemoveFile(kReportFileName))
    WriteTextFile(kErrorFileName, FileOpening::Append,
                  "Error deleting DeviceCaps.html");
  ReleaseDirect3D();
  return code;
}

void ReleaseDirect3D() {
  if (g_direct3d == nullptr) return;
  g_capabilitySource->Release(g_direct3d);
  g_direct3d = nullptr;
}
