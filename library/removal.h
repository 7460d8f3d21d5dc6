// Takes away what the recorded stage says was installed, newest first; the
// same routine rolls back a failed install and tears down an installation.
#pragma once

#include <windows.h>

namespace olvet {

int RemoveByStage();
// Deletes path below parent with every sub-key, deepest first; returns the registry status.
LONG DeleteRegistryTree(HKEY parent, const char* path);
// The uninstall entry and the product key; the maker key stays. Always 1.
int RemoveProductKeys();

}  // namespace olvet
