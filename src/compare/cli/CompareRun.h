// kelvane-compare: what differs between reports of many machines.
#pragma once

#include <ostream>
#include <vector>

#include "compare/read/Inputs.h"

namespace kelvane {

// Exit status as diff and cmp have it: 0 every row the same, 1 some row
// differs, 2 trouble (usage, a report that cannot be read or is malformed,
// an output that cannot be written). On 2 no output file is touched.
// With `showProgress`, err is a terminal that gets a progress line.
int RunCompare(const std::vector<Argument>& arguments, std::ostream& out,
               std::ostream& err, bool showProgress = false);

}  // namespace kelvane
