#include "Fleet.h"

#include <filesystem>

#include "driver/DeviceCapsReport.h"
#include "support/Files.h"
#include "support/SampleRecords.h"
#include "support/ScriptedSource.h"

std::vector<std::string> WriteFleet(const std::string& folder,
                                    unsigned reports) {
  constexpr unsigned kKinds = 8;
  std::vector<std::string> kinds;
  for (unsigned k = 0; k < kKinds; ++k) {
    Script script;
    script.adapters.push_back({MakeSampleIdentifier(k), MakeSampleCaps(k % 4)});
    if (WriteDeviceCapsReport(UseScript(script)) != 0) return {};
    kinds.push_back(ReadFileBytes("DeviceCaps.html"));
  }
  std::filesystem::remove("DeviceCaps.html");
  std::vector<std::string> files;
  for (unsigned n = 0; n < reports; ++n) {
    const std::string subfolder = folder + "/" + std::to_string(n % 100);
    std::filesystem::create_directories(subfolder);
    files.push_back(subfolder + "/report-" + std::to_string(n) + ".html");
    WriteFileBytes(files.back(), kinds[n % kKinds]);
  }
  return files;
}
