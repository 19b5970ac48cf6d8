#include "support/SampleRecords.h"

#include "support/SampleAdapter.h"
#include "support/ScriptedSource.h"

D3DADAPTER_IDENTIFIER8 MakeSampleIdentifier(unsigned adapter) {
  D3DADAPTER_IDENTIFIER8 identifier;
  FillSampleIdentifier(adapter, identifier);
  return identifier;
}

D3DCAPS8 MakeSampleCaps(unsigned adapter) {
  D3DCAPS8 caps;
  FillSampleCaps(adapter, caps);
  return caps;
}

Script MakeSampleScript(unsigned count) {
  Script script;
  for (unsigned adapter = 0; adapter < count; ++adapter)
    script.adapters.push_back(
        {MakeSampleIdentifier(adapter), MakeSampleCaps(adapter)});
  return script;
}
