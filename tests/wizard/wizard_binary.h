// The uninstaller program under test, loaded as data: the path comes from the command line.
#pragma once

#include <string>

// Set by main from the first argument that is not a test framework flag.
extern std::string g_wizardPath;
