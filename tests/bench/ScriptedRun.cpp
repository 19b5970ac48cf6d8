// The whole program natively over N sample adapters, in the current
// directory: for counting what it asks of the system.
#include <cstdlib>

#include "driver/DeviceCapsReport.h"
#include "support/SampleRecords.h"
#include "support/ScriptedSource.h"

int main(int argc, char** argv) {
  const unsigned adapters = argc > 1 ? std::atoi(argv[1]) : 1;
  Script script = MakeSampleScript(adapters);
  return WriteDeviceCapsReport(UseScript(script));
}
