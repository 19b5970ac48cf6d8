#include "Fleet.h"

#include <algorithm>
#include <filesystem>
#include <map>
#include <tuple>

#include "driver/DeviceCapsReport.h"
#include "support/Files.h"
#include "support/SampleRecords.h"
#include "support/ScriptedSource.h"

namespace {

constexpr unsigned kModels = 60;
constexpr unsigned kVendors[] = {4318, 4098, 32902, 5348};

unsigned DriversOf(unsigned model) { return 3 + model % 4; }
unsigned BoardsOf(unsigned model) { return 1 + model % 3; }

// One adapter: its model's capabilities, which some newer drivers widen.
ScriptedAdapter MakeAdapter(unsigned model, unsigned driver, unsigned board,
                            unsigned ordinal) {
  D3DADAPTER_IDENTIFIER8 identifier = MakeSampleIdentifier(0);
  const unsigned vendor = kVendors[model % std::size(kVendors)];
  SetText(identifier.Description, "Vendor " + std::to_string(vendor) +
                                      " Model " + std::to_string(model));
  SetText(identifier.Driver, "vendor" + std::to_string(vendor) + ".dll");
  identifier.VendorId = vendor;
  identifier.DeviceId = 0x100 + model;
  identifier.DriverVersion.HighPart = 6 << 16 | 14;
  identifier.DriverVersion.LowPart = (10u + driver) << 16 | (1000 + model);
  identifier.SubSysId = (0x1000u + board) << 16 | vendor;
  identifier.Revision = model % 5;
  identifier.DeviceIdentifier.Data1 = 0x1000 * model + driver;

  D3DCAPS8 caps = MakeSampleCaps(0);
  caps.AdapterOrdinal = ordinal;
  caps.MaxTextureWidth = caps.MaxTextureHeight = 512u << (model % 6);
  caps.MaxAnisotropy = 1u << (model % 5);
  caps.MaxPointSize = static_cast<float>(64 << (model % 4));
  if (model % 7 == 0) caps.TextureCaps &= ~DWORD{D3DPTEXTURECAPS_CUBEMAP};
  if (model % 5 == 1) caps.TextureCaps &= ~DWORD{D3DPTEXTURECAPS_VOLUMEMAP};
  caps.VertexShaderVersion = 0xFFFE0100 | (model % 2);
  caps.PixelShaderVersion = 0xFFFF0100 | (model % 5);
  if (driver >= 2 && model % 2 == 0) caps.RasterCaps |= D3DPRASTERCAPS_ZBIAS;
  return {identifier, caps};
}

// A stream of numbers that is the same on every run.
struct Draws {
  unsigned state = 12345;
  unsigned Next(unsigned below) {
    state = state * 1103515245u + 12345u;
    return (state >> 8) % below;
  }
};

}  // namespace

std::vector<std::string> WriteFleet(const std::string& folder,
                                    unsigned reports) {
  // model, driver, board, second model (kModels for none)
  using Machine = std::tuple<unsigned, unsigned, unsigned, unsigned>;
  std::map<Machine, std::string> written;
  Draws draws;
  std::vector<std::string> files;
  for (unsigned n = 0; n < reports; ++n) {
    const std::string subfolder = folder + "/" + std::to_string(n % 100);
    std::filesystem::create_directories(subfolder);
    files.push_back(subfolder + "/report-" + std::to_string(n) + ".html");
    // Some reports are sent twice.
    if (n > 0 && draws.Next(100) == 0) {
      WriteFileBytes(files.back(), ReadFileBytes(files[draws.Next(n)]));
      continue;
    }
    // The common models are the first ones.
    const unsigned model = std::min(draws.Next(kModels), draws.Next(kModels));
    const Machine machine{
        model, draws.Next(DriversOf(model)), draws.Next(BoardsOf(model)),
        draws.Next(10) == 0 ? (model + 17) % kModels : kModels};
    auto [at, isNew] = written.try_emplace(machine);
    if (isNew) {
      Script script;
      script.adapters.push_back(
          MakeAdapter(model, std::get<1>(machine), std::get<2>(machine), 0));
      if (std::get<3>(machine) != kModels)
        script.adapters.push_back(MakeAdapter(std::get<3>(machine), 0, 0, 1));
      if (WriteDeviceCapsReport(UseScript(script)) != 0) return {};
      at->second = ReadFileBytes("DeviceCaps.html");
    }
    WriteFileBytes(files.back(), at->second);
  }
  std::filesystem::remove("DeviceCaps.html");
  return files;
}
