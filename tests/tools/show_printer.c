/*
 * Demo helper: says, in words a person can read, whether a printer, a port and a printer driver are known to the
 * spooler, and how they hang together. It asks the spooler itself rather than reading its registry keys, so that
 * what it shows is what programs printing on the machine would see.
 *
 *   show_printer PRINTER PORT DRIVER
 *
 * Exit status: 0 when all three are present, 1 when any is missing, 2 on a wrong command line.
 */
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <windows.h>

/* Runs one of the spooler's two-call enumerations: the first asks for the size, the second fills the buffer. */
typedef BOOL (*EnumerateFn)(DWORD level, BYTE *buffer, DWORD size, DWORD *needed, DWORD *count);

static BYTE *enumerate(EnumerateFn fn, DWORD level, DWORD *count) {
    DWORD needed = 0;
    *count = 0;
    fn(level, NULL, 0, &needed, count);
    if (needed == 0) return NULL;
    BYTE *buffer = malloc(needed);
    if (buffer && !fn(level, buffer, needed, &needed, count)) {
        free(buffer);
        buffer = NULL;
        *count = 0;
    }
    return buffer;
}

static BOOL enum_printers(DWORD level, BYTE *buffer, DWORD size, DWORD *needed, DWORD *count) {
    return EnumPrintersA(PRINTER_ENUM_LOCAL, NULL, level, buffer, size, needed, count);
}

static BOOL enum_ports(DWORD level, BYTE *buffer, DWORD size, DWORD *needed, DWORD *count) {
    return EnumPortsA(NULL, level, buffer, size, needed, count);
}

/* The environment of the calling process: the one a printer created by it is bound to. */
static BOOL enum_drivers(DWORD level, BYTE *buffer, DWORD size, DWORD *needed, DWORD *count) {
    return EnumPrinterDriversA(NULL, NULL, level, buffer, size, needed, count);
}

static const char *or_none(const char *text) {
    return text && text[0] ? text : "(none)";
}

static int show_printer(const char *name) {
    DWORD count;
    PRINTER_INFO_2A *printers = (PRINTER_INFO_2A *)enumerate(enum_printers, 2, &count);
    int found = 0;
    for (DWORD i = 0; i < count && !found; ++i) {
        if (printers[i].pPrinterName && strcmp(printers[i].pPrinterName, name) == 0) {
            printf("  printer \"%s\": installed\n", name);
            printf("      port:              %s\n", or_none(printers[i].pPortName));
            printf("      driver:            %s\n", or_none(printers[i].pDriverName));
            printf("      print processor:   %s\n", or_none(printers[i].pPrintProcessor));
            found = 1;
        }
    }
    if (!found) printf("  printer \"%s\": not installed\n", name);
    free(printers);
    return found;
}

static int show_port(const char *name) {
    DWORD count;
    PORT_INFO_2A *ports = (PORT_INFO_2A *)enumerate(enum_ports, 2, &count);
    int found = 0;
    for (DWORD i = 0; i < count && !found; ++i) {
        if (ports[i].pPortName && strcmp(ports[i].pPortName, name) == 0) {
            printf("  port \"%s\": present (monitor: %s)\n", name, or_none(ports[i].pMonitorName));
            found = 1;
        }
    }
    if (!found) printf("  port \"%s\": not present\n", name);
    free(ports);
    return found;
}

static int show_driver(const char *name) {
    DWORD count;
    DRIVER_INFO_3A *drivers = (DRIVER_INFO_3A *)enumerate(enum_drivers, 3, &count);
    int found = 0;
    for (DWORD i = 0; i < count && !found; ++i) {
        if (drivers[i].pName && strcmp(drivers[i].pName, name) == 0) {
            printf("  driver \"%s\": registered for \"%s\"\n", name, or_none(drivers[i].pEnvironment));
            printf("      driver module:        %s\n", or_none(drivers[i].pDriverPath));
            printf("      configuration module: %s\n", or_none(drivers[i].pConfigFile));
            found = 1;
        }
    }
    if (!found) printf("  driver \"%s\": not registered\n", name);
    free(drivers);
    return found;
}

int main(int argc, char **argv) {
    if (argc != 4) {
        fputs("usage: show_printer PRINTER PORT DRIVER\n", stderr);
        return 2;
    }
    const int printer = show_printer(argv[1]);
    const int port = show_port(argv[2]);
    const int driver = show_driver(argv[3]);
    fflush(stdout);
    return printer && port && driver ? 0 : 1;
}
