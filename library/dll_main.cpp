#include <windows.h>

#include "setup_state.h"

// Every notification hands over the same handle; the install directory step
// later asks Windows for this module's file name with it.
extern "C" BOOL WINAPI DllMain(HINSTANCE instance, DWORD /*reason*/, LPVOID /*reserved*/) {
    olvet::g_state.moduleHandle = instance;
    return TRUE;
}
