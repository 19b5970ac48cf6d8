#include "Fleet.h"

#include <filesystem>
#include <iterator>

#include "driver/DeviceCapsReport.h"
#include "support/Files.h"
#include "support/SampleRecords.h"
#include "support/ScriptedSource.h"

namespace {

constexpr unsigned kKinds = 8;

// Eight machines, some with more of the limits and flags than others.
D3DCAPS8 KindCaps(unsigned kind) {
  D3DCAPS8 caps = MakeSampleCaps(0);
  caps.MaxTextureWidth = caps.MaxTextureHeight = 1024u << (kind % 4);
  if (kind >= 5) caps.TextureCaps &= ~DWORD{D3DPTEXTURECAPS_CUBEMAP};
  if (kind % 3 == 1) caps.TextureCaps &= ~DWORD{D3DPTEXTURECAPS_VOLUMEMAP};
  if (kind < 2) caps.PixelShaderVersion = 0xFFFF0101;
  return caps;
}

// How often each kind comes: the first ones are the common machines.
constexpr unsigned kShares[] = {0, 0, 0, 0, 0, 1, 1, 1, 1, 2,
                                2, 2, 3, 3, 4, 4, 5, 6, 7, 0};

}  // namespace

std::vector<std::string> WriteFleet(const std::string& folder,
                                    unsigned reports) {
  std::vector<std::string> kinds;
  for (unsigned k = 0; k < kKinds; ++k) {
    Script script;
    script.adapters.push_back({MakeSampleIdentifier(k), KindCaps(k)});
    if (WriteDeviceCapsReport(UseScript(script)) != 0) return {};
    kinds.push_back(ReadFileBytes("DeviceCaps.html"));
  }
  std::filesystem::remove("DeviceCaps.html");
  std::vector<std::string> files;
  for (unsigned n = 0; n < reports; ++n) {
    const std::string subfolder = folder + "/" + std::to_string(n % 100);
    std::filesystem::create_directories(subfolder);
    files.push_back(subfolder + "/report-" + std::to_string(n) + ".html");
    WriteFileBytes(files.back(), kinds[kShares[n % std::size(kShares)]]);
  }
  return files;
}
