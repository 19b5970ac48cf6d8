// kelvane-compare [--html FILE] [--json FILE] [--jsonl FILE] [--coverage]
//                 [--skip-bad] REPORT|FOLDER|@LISTFILE...
#pragma once

#include <ostream>
#include <vector>

#include "compare/Inputs.h"

namespace kelvane {

// Exit status as diff and cmp have it: 0 every row the same, 1 some row
// differs, 2 trouble (usage, a report that cannot be read or is malformed,
// an output that cannot be written). On 2 no output file is touched.
int RunCompare(const std::vector<Argument>& arguments, std::ostream& out,
               std::ostream& err);

}  // namespace kelvane
