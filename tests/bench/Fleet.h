// A fleet of one-adapter reports of eight kinds of machine, each kind
// written once by the program and copied: 100,000 reports in seconds.
#pragma once

#include <string>
#include <vector>

// Writes `reports` files beneath `folder`, a hundred to a subfolder; gives
// their paths, or none when the program failed.
std::vector<std::string> WriteFleet(const std::string& folder,
                                    unsigned reports);
