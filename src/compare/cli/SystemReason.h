// The system's own words for why a call failed, as UTF-8.
#pragma once

#include <string>

namespace kelvane {

// errno's, or on Windows GetLastError()'s, as the system words it (in its
// language, converted from UTF-16: the ANSI code page is no UTF-8).
std::string LastSystemReason();

}  // namespace kelvane
