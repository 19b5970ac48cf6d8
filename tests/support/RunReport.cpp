#include "support/RunReport.h"

#include <gtest/gtest.h>

#include "driver/DeviceCapsReport.h"

RunOutcome RunReport(Script& script) {
  testing::internal::CaptureStdout();
  const int exitCode = WriteDeviceCapsReport(UseScript(script));
  return {exitCode, testing::internal::GetCapturedStdout()};
}
