// kelvane_write_fleet FOLDER COUNT: a fleet of reports to try kelvane-compare
// on (scripts/write-fleet.sh) and to measure it (scripts/measure.sh).
#include <cstdio>
#include <cstdlib>
#include <string>

#include "Fleet.h"

int main(int argc, char** argv) {
  if (argc != 3 || std::atoi(argv[2]) <= 0) {
    std::fputs("usage: kelvane_write_fleet FOLDER COUNT\n", stderr);
    return 2;
  }
  const unsigned count = static_cast<unsigned>(std::atoi(argv[2]));
  // The program's console lines, once per kind, are not the fleet's.
  if (std::freopen("/dev/null", "w", stdout) == nullptr) return 1;
  return WriteFleet(argv[1], count).size() == count ? 0 : 1;
}
