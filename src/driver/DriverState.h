// Run-long state of the driver, reached by the failure exit without being
// passed to it.
#pragma once

#include "platform/CapabilitySource.h"

extern const CapabilitySource* g_capabilitySource;
extern Direct3DHandle g_direct3d;  // null when not held
