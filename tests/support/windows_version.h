// Runs a test of this program in a child process that Wine tells a chosen
// Windows version ("win2k", "winxp", "winxp64", "win7"): Wine reads the
// version once, when a process starts.
#pragma once

#include <string>

namespace machine {

// Returns the child's exit code, or -1 when it could not be started. The
// child sees OLVET_CHILD=<tag> in its environment.
int RunTestAsWindowsVersion(const char* version, const char* testName, const std::string& tag);

// The tag given to this process by its parent, or empty in a normal run.
std::string ChildTag();

}  // namespace machine
