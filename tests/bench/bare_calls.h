// The system calls that an install and an uninstall through the library
// make, in the library's order, with its arguments and its branches, but
// made directly: the price of the work itself, against which the library's
// own cost is judged.
#pragma once

#include <windows.h>

namespace bare {

// Each returns false when a call fails that the library would take as fatal.
// `library` is the loaded setup library: the install copies that very file.
bool Install(const char* installDir, HMODULE library);
bool Uninstall();

}  // namespace bare
