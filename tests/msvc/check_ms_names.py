#!/usr/bin/python3
"""Checks the names that bind a Microsoft-built front end to the library.

usage: check_ms_names.py <llvm-readobj> <i686|x64> <front end .exe> <library .dll>

- The front end imports from the library exactly the two functions and the
  Microsoft names of the progress class's members and table: nothing under
  GCC's names, nothing missing.
- The library exports each Microsoft name as an alias: a member at the
  address of its GCC counterpart, the table at its first slot, which lies
  two pointer-sized words into GCC's table.
Exit status 1 on any finding.
"""

import re
import subprocess
import sys

LIBRARY = "olvet_pdf_printer_installer.dll"
FUNCTIONS = ["InstallOlvetPDFPrinter", "UnInstallOlvetPDFPrinter"]
TABLE = ("??_7IProgressInfo@@6B@", "_ZTV13IProgressInfo")

# Microsoft name -> GCC name of the same member.
MEMBERS = {
    "i686": {
        "??0IProgressInfo@@QAE@XZ": "_ZN13IProgressInfoC2Ev",
        "??0IProgressInfo@@QAE@ABV0@@Z": "_ZN13IProgressInfoC2ERKS_",
        "??4IProgressInfo@@QAEAAV0@ABV0@@Z": "_ZN13IProgressInfoaSERKS_",
    },
    "x64": {
        "??0IProgressInfo@@QEAA@XZ": "_ZN13IProgressInfoC2Ev",
        "??0IProgressInfo@@QEAA@AEBV0@@Z": "_ZN13IProgressInfoC2ERKS_",
        "??4IProgressInfo@@QEAAAEAV0@AEBV0@@Z": "_ZN13IProgressInfoaSERKS_",
    },
}
POINTER_SIZE = {"i686": 4, "x64": 8}


def readobj(tool, option, path):
    return subprocess.run([tool, option, path], check=True, capture_output=True, text=True).stdout


def imports_from_library(tool, exe):
    names, current = None, None
    for line in readobj(tool, "--coff-imports", exe).splitlines():
        line = line.strip()
        if line.startswith("Name:"):
            current = line.split(":", 1)[1].strip()
            if current.lower() == LIBRARY:
                names = [] if names is None else names
        elif line.startswith("Symbol:") and current and current.lower() == LIBRARY:
            names.append(re.sub(r" \(\d+\)$", "", line.split(":", 1)[1].strip()))
    return names


def exports(tool, dll):
    table, name = {}, None
    for line in readobj(tool, "--coff-exports", dll).splitlines():
        line = line.strip()
        if line.startswith("Name:"):
            name = line.split(":", 1)[1].strip()
        elif line.startswith("RVA:") and name:
            table[name] = int(line.split(":", 1)[1], 16)
            name = None
    return table


def main():
    if len(sys.argv) != 5 or sys.argv[2] not in MEMBERS:
        sys.exit(__doc__)
    tool, arch, exe, dll = sys.argv[1:]
    members = MEMBERS[arch]
    findings = []

    imported = imports_from_library(tool, exe)
    expected = sorted(FUNCTIONS + list(members) + [TABLE[0]])
    if imported is None:
        findings.append(f"{exe} does not import from {LIBRARY}")
    elif sorted(imported) != expected:
        findings.append(f"{exe} imports {sorted(imported)} from {LIBRARY}, expected exactly {expected}")

    exported = exports(tool, dll)
    for ms_name, gcc_name in members.items():
        if ms_name not in exported or gcc_name not in exported:
            findings.append(f"{dll} lacks {ms_name if ms_name not in exported else gcc_name}")
        elif exported[ms_name] != exported[gcc_name]:
            findings.append(f"{ms_name} at {exported[ms_name]:#x}, but {gcc_name} at {exported[gcc_name]:#x}")
    ms_table, gcc_table = TABLE
    if ms_table not in exported or gcc_table not in exported:
        findings.append(f"{dll} lacks {ms_table if ms_table not in exported else gcc_table}")
    elif exported[ms_table] != exported[gcc_table] + 2 * POINTER_SIZE[arch]:
        findings.append(f"{ms_table} at {exported[ms_table]:#x}, not at the first slot of {gcc_table} "
                        f"({exported[gcc_table]:#x} + {2 * POINTER_SIZE[arch]})")

    for finding in findings:
        print("check_ms_names:", finding)
    if not findings:
        print(f"check_ms_names: {arch}: imports {len(expected)} names, all Microsoft's; "
              f"{len(members) + 1} Microsoft names alias GCC's")
    return 1 if findings else 0


if __name__ == "__main__":
    sys.exit(main())
