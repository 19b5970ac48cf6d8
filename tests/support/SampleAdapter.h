// The sample records' every field, filled without any library: the tests'
// stand-in d3d8.dll for the 32-bit Pentium loader serves them too, built
// with no C or C++ runtime.
#pragma once

#include "platform/D3d8Records.h"

void FillSampleIdentifier(unsigned adapter, D3DADAPTER_IDENTIFIER8& identifier);
void FillSampleCaps(unsigned adapter, D3DCAPS8& caps);
