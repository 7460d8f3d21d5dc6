// GCC fills the slot of a pure virtual function with __cxa_pure_virtual. The
// static C++ runtime's version drags in its whole terminate machinery; Windows'
// own C runtime has the same handler, so the library hands the call to it.
extern "C" int __cdecl _purecall(void);

extern "C" void __cxa_pure_virtual() { _purecall(); }
