// A fleet as real ones are: 60 adapter models of 4 vendors, each with 3 to 6
// driver versions and 1 to 3 board makers, a tenth of the machines with a
// second adapter, and some reports sent twice. Each distinct report is
// written once by the program and copied: 100,000 reports in seconds.
#pragma once

#include <string>
#include <vector>

// Writes `reports` files beneath `folder`, a hundred to a subfolder; gives
// their paths, or none when the program failed.
std::vector<std::string> WriteFleet(const std::string& folder,
                                    unsigned reports);
