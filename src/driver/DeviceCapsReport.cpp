#include "driver/DeviceCapsReport.h"

#include <cstdio>

#include "catalogue/FlagGroups.h"
#include "catalogue/HalLimitRows.h"
#include "catalogue/IdentityRows.h"
#include "driver/DriverState.h"
#include "driver/FailureExit.h"
#include "kelvane/Version.h"
#include "report/ReportFile.h"
#include "report/ReportMarkup.h"

const CapabilitySource* g_capabilitySource = nullptr;
Direct3DHandle g_direct3d = nullptr;

namespace {

const char kCreationMessage[] =
    "Error creating Direct3D8 object. You need to have DirectX 8 "
    "installed!\n\n";
const char kCapsMessage[] =
    "Error retrieving caps form D3DCAPS8 using D3DDEVTYPE_HAL\n\n";
const char kIdentifierMessage[] =
    "Error retrieving adapter identifier form D3DADAPTER_IDENTIFIER8\n\n";
const char kWriteMessage[] = "Error writing DeviceCaps.html\n\n";

// Once each for the run, overwritten by every adapter.
D3DADAPTER_IDENTIFIER8 g_identifier;
D3DCAPS8 g_caps;

void CloseTable() {
  for (const std::string_view line : kTableClosing)
    AppendReportLine(std::string(line));
}

}  // namespace

int WriteDeviceCapsReport(const CapabilitySource& source) {
  std::fputs("Kelvane " KELVANE_VERSION "\n\n", stdout);

  g_capabilitySource = &source;
  g_direct3d = source.Direct3DCreate8(kDirect3DSdkVersion);
  if (g_direct3d == nullptr) return FailAndExit(kCreationMessage, -1);
  const UINT adapterCount = source.GetAdapterCount(g_direct3d);

  CreateReportFile(std::string(kReportStart) + "\n");
  for (const std::string_view line : kReportHead)
    AppendReportLine(std::string(line));

  for (UINT adapter = 0; adapter < adapterCount; ++adapter) {
    // Both records first, so a failing adapter writes nothing of its own.
    // Only D3D_OK counts: a success code other than zero is a failure too.
    if (source.GetAdapterIdentifier(g_direct3d, adapter, 0, &g_identifier) !=
        D3D_OK)
      return FailAndExit(kIdentifierMessage, -3);
    if (source.GetDeviceCaps(g_direct3d, adapter, D3DDEVTYPE_HAL, &g_caps) !=
        D3D_OK)
      return FailAndExit(kCapsMessage, -2);

    WriteIdentityRows(g_identifier);
    CloseTable();

    WriteHalLimitRows(g_caps);
    WriteFlagGroups(g_caps);
    CloseTable();
  }

  AppendReportLine(FormCreditLine());
  AppendReportLine(std::string(kReportEnd));
  // A report that lost lines is not announced as created.
  if (!IsReportWhole()) return FailAndExit(kWriteMessage, -4);

  std::fputs("DeviceCaps.html has been created.\n\n", stdout);
  ReleaseDirect3D();
  return 0;
}
