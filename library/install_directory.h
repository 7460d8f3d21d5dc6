// Install step 4: the install directory with the library and the uninstaller,
// and the product's registry entries.
#pragma once

#include <windows.h>

namespace olvet {

int SetUpInstallDirectory();
// 1 when the value was stored; 0 with ErrRegistry recorded otherwise.
int WriteRegistryString(HKEY root, const char* path, const char* name, const char* text);

}  // namespace olvet
