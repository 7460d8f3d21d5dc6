// What every call does first: accept only Windows 2000 and XP, and work out
// the install, source and driver directories.
#pragma once

namespace olvet {

int ProbeOperatingSystem();
int ResolvePaths(const char* installDir);

}  // namespace olvet
