// The set of system interfaces the steps call through. The library uses the
// system's own; tests put decorators in front of them to make calls fail.
#pragma once

#include "os/file_system.h"
#include "os/memory.h"
#include "os/registry.h"
#include "os/system_info.h"
#include "spooler/spooler.h"

namespace olvet {

// A null member stands for the system's own implementation, so that the
// record needs no construction code when the library loads.
struct Services {
    Spooler* spooler;
    Registry* registry;
    FileSystem* files;
    SystemInfo* system;
    Memory* memory;
};

extern Services g_services;

inline Spooler& TheSpooler() { return g_services.spooler ? *g_services.spooler : Win32Spooler(); }
inline Registry& TheRegistry() { return g_services.registry ? *g_services.registry : Win32Registry(); }
inline FileSystem& TheFiles() { return g_services.files ? *g_services.files : Win32FileSystem(); }
inline SystemInfo& TheSystem() { return g_services.system ? *g_services.system : Win32SystemInfo(); }
inline Memory& TheMemory() { return g_services.memory ? *g_services.memory : CrtMemory(); }

}  // namespace olvet
