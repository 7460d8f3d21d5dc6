#!/usr/bin/python3
"""Inspects the shipped 32-bit binaries in a bin folder.

usage: check-binaries.py <bin folder>

Each shipped binary has to load on a bare Windows 2000 machine: a PE32 i386
image whose OS and subsystem version fields ask for no more than 5.0, that
imports only DLLs every such machine has, and no function that first shipped
in a later Windows. The setup DLL must export exactly its documented names.
Sizes are printed and held to budget. Exit status 1 on any finding.
"""

import os
import sys

try:
    import pefile
except ImportError:
    sys.exit("check-binaries: python3-pefile is missing (apt-get install python3-pefile)")

DLL_NAME = "olvet_pdf_printer_installer.dll"
WIZARD_NAME = "Olvet_PDF_Creator_UnInstaller_Win.exe"
BUDGET = {DLL_NAME: 24 * 1024, WIZARD_NAME: 64 * 1024}

SYSTEM_DLLS = {
    "kernel32.dll", "advapi32.dll", "user32.dll", "gdi32.dll", "comctl32.dll",
    "ole32.dll", "oleaut32.dll", "shell32.dll", "winspool.drv", "msvcrt.dll",
    "comdlg32.dll", "version.dll", "shlwapi.dll",
}

# MinGW's runtime DLLs: a Windows machine does not have them, and they bring
# post-2000 imports of their own (winpthreads needs GetTickCount64).
MINGW_RUNTIME_PREFIXES = ("libgcc", "libstdc++", "libwinpthread")

DLL_EXPORTS = {
    "InstallOlvetPDFPrinter",
    "UnInstallOlvetPDFPrinter",
    "_ZN13IProgressInfoC1Ev",
    "_ZN13IProgressInfoC2Ev",
    "_ZN13IProgressInfoC1ERKS_",
    "_ZN13IProgressInfoC2ERKS_",
    "_ZN13IProgressInfoaSERKS_",
    "_ZTV13IProgressInfo",
    # The same members under Microsoft's decoration, for callers built with
    # Microsoft's compiler: default and copy constructor, assignment, vftable.
    "??0IProgressInfo@@QAE@XZ",
    "??0IProgressInfo@@QAE@ABV0@@Z",
    "??4IProgressInfo@@QAEAAV0@ABV0@@Z",
    "??_7IProgressInfo@@6B@",
}
# Callers of either compiler must find every name they may import.
DLL_REQUIRED_EXPORTS = set(DLL_EXPORTS)

# Functions that Windows 2000 (5.0, up to SP4) does not export by name, keyed
# by the release that first shipped them, per DLL. The lists are built from
# the "Minimum supported client" of each function's documentation and from
# which MinGW-w64 runtime pieces pull them in; they name the usual suspects,
# not every function Microsoft ever added. Anything first in XP fails too.
XP = "Windows XP"
XP_SP1 = "Windows XP SP1"
XP_SP2 = "Windows XP SP2"
S2003 = "Windows Server 2003 (clients: Vista)"
VISTA = "Windows Vista"
WIN7 = "Windows 7"
WIN8 = "Windows 8"

POST_2000 = {
    "kernel32.dll": {
        # Windows XP
        "AddVectoredExceptionHandler": XP, "RemoveVectoredExceptionHandler": XP,
        "AddVectoredContinueHandler": VISTA, "RemoveVectoredContinueHandler": VISTA,
        "GetModuleHandleExA": XP, "GetModuleHandleExW": XP,
        "GetNativeSystemInfo": XP, "GetSystemWow64DirectoryA": XP, "GetSystemWow64DirectoryW": XP,
        "IsWow64Process": XP_SP2, "GetSystemTimes": XP_SP1, "GetProcessId": XP_SP1,
        "AttachConsole": XP, "GetConsoleProcessList": XP,
        "HeapSetInformation": XP, "HeapQueryInformation": XP,
        "InitializeSListHead": XP, "InterlockedPushEntrySList": XP, "InterlockedPopEntrySList": XP,
        "InterlockedFlushSList": XP, "QueryDepthSList": XP,
        "RtlCaptureStackBackTrace": XP, "RtlCaptureContext": XP,
        "SetDllDirectoryA": XP_SP1, "SetDllDirectoryW": XP_SP1,
        "GetDllDirectoryA": XP_SP1, "GetDllDirectoryW": XP_SP1,
        "CheckRemoteDebuggerPresent": XP_SP1, "DebugActiveProcessStop": XP, "DebugSetProcessKillOnExit": XP,
        "CreateActCtxA": XP, "CreateActCtxW": XP, "ActivateActCtx": XP, "DeactivateActCtx": XP,
        "ReleaseActCtx": XP, "FindActCtxSectionStringA": XP, "FindActCtxSectionStringW": XP,
        "GetCurrentActCtx": XP, "QueryActCtxW": XP,
        "EncodePointer": XP_SP2, "DecodePointer": XP_SP2,
        "EncodeSystemPointer": XP_SP2, "DecodeSystemPointer": XP_SP2,
        "GetProcessHandleCount": XP_SP1, "ConvertFiberToThread": XP,
        "TzSpecificLocalTimeToSystemTime": XP, "WTSGetActiveConsoleSessionId": XP,
        "GetVolumePathNamesForVolumeNameA": XP, "GetVolumePathNamesForVolumeNameW": XP,
        "SetFileShortNameA": XP, "SetFileShortNameW": XP, "CreateMemoryResourceNotification": XP,
        "Wow64DisableWow64FsRedirection": S2003, "Wow64RevertWow64FsRedirection": S2003,
        "GetLogicalProcessorInformation": XP_SP2, "GetThreadId": S2003, "ReOpenFile": S2003,
        "FlsAlloc": S2003, "FlsFree": S2003, "FlsGetValue": S2003, "FlsSetValue": S2003,
        "SetThreadStackGuarantee": S2003, "GetCurrentProcessorNumber": S2003,
        # Windows Vista and later
        "GetTickCount64": VISTA,
        "InitializeSRWLock": VISTA, "AcquireSRWLockExclusive": VISTA, "AcquireSRWLockShared": VISTA,
        "ReleaseSRWLockExclusive": VISTA, "ReleaseSRWLockShared": VISTA,
        "TryAcquireSRWLockExclusive": WIN7, "TryAcquireSRWLockShared": WIN7,
        "InitializeConditionVariable": VISTA, "SleepConditionVariableCS": VISTA,
        "SleepConditionVariableSRW": VISTA, "WakeConditionVariable": VISTA, "WakeAllConditionVariable": VISTA,
        "InitOnceInitialize": VISTA, "InitOnceExecuteOnce": VISTA, "InitOnceBeginInitialize": VISTA,
        "InitOnceComplete": VISTA,
        "InitializeCriticalSectionEx": VISTA, "FlushProcessWriteBuffers": VISTA,
        "CreateSymbolicLinkA": VISTA, "CreateSymbolicLinkW": VISTA,
        "GetFinalPathNameByHandleA": VISTA, "GetFinalPathNameByHandleW": VISTA,
        "GetFileInformationByHandleEx": VISTA, "SetFileInformationByHandle": VISTA,
        "QueryFullProcessImageNameA": VISTA, "QueryFullProcessImageNameW": VISTA,
        "CreateEventExA": VISTA, "CreateEventExW": VISTA, "CreateMutexExA": VISTA, "CreateMutexExW": VISTA,
        "CreateSemaphoreExW": VISTA, "CancelIoEx": VISTA, "GetQueuedCompletionStatusEx": VISTA,
        "GetErrorMode": VISTA, "GetThreadErrorMode": WIN7, "SetThreadErrorMode": WIN7,
        "CompareStringEx": VISTA, "LCMapStringEx": VISTA, "GetLocaleInfoEx": VISTA,
        "GetUserDefaultLocaleName": VISTA, "LocaleNameToLCID": VISTA, "LCIDToLocaleName": VISTA,
        "CreateThreadpoolWork": VISTA, "SubmitThreadpoolWork": VISTA, "CloseThreadpoolWork": VISTA,
        "CreateThreadpoolTimer": VISTA, "SetThreadpoolTimer": VISTA,
        "InterlockedCompareExchange64": VISTA, "GetSystemTimePreciseAsFileTime": WIN8,
    },
    "advapi32.dll": {
        "CreateWellKnownSid": XP, "IsWellKnownSid": XP, "SystemFunction036": XP,
        "RegDisableReflectionKey": S2003, "RegEnableReflectionKey": S2003,
        "RegGetValueA": VISTA, "RegGetValueW": VISTA,
        "RegDeleteKeyExA": VISTA, "RegDeleteKeyExW": VISTA,
        "RegDeleteTreeA": VISTA, "RegDeleteTreeW": VISTA,
        "RegSetKeyValueA": VISTA, "RegSetKeyValueW": VISTA, "RegDeleteKeyValueA": VISTA,
        "RegDeleteKeyValueW": VISTA, "RegCopyTreeA": VISTA, "RegCopyTreeW": VISTA,
        "RegLoadMUIStringA": VISTA, "RegLoadMUIStringW": VISTA,
        "RegOpenKeyTransactedA": VISTA, "RegOpenKeyTransactedW": VISTA,
        "RegDisablePredefinedCacheEx": VISTA,
        "EventRegister": VISTA, "EventUnregister": VISTA, "EventWrite": VISTA,
    },
    "user32.dll": {
        "PrintWindow": XP, "GetLayeredWindowAttributes": XP,
        "GetRawInputData": XP, "RegisterRawInputDevices": XP, "GetRawInputDeviceList": XP,
        "SetProcessDPIAware": VISTA, "IsProcessDPIAware": VISTA,
        "ChangeWindowMessageFilter": VISTA, "ChangeWindowMessageFilterEx": WIN7,
        "ShutdownBlockReasonCreate": VISTA, "ShutdownBlockReasonDestroy": VISTA,
        "AddClipboardFormatListener": VISTA, "RemoveClipboardFormatListener": VISTA,
        "RegisterPowerSettingNotification": VISTA, "UpdateLayeredWindowIndirect": VISTA,
        "LogicalToPhysicalPoint": VISTA, "PhysicalToLogicalPoint": VISTA,
    },
    "comctl32.dll": {
        # Exported by ordinal only before comctl32 6 (XP): by name they fail on 2000.
        "SetWindowSubclass": XP, "GetWindowSubclass": XP, "RemoveWindowSubclass": XP,
        "DefSubclassProc": XP,
        "TaskDialog": VISTA, "TaskDialogIndirect": VISTA, "LoadIconMetric": VISTA,
        "LoadIconWithScaleDown": VISTA,
    },
    "shell32.dll": {
        # By ordinal only on 2000 (680, 727).
        "IsUserAnAdmin": XP, "SHGetImageList": XP,
        "SHOpenFolderAndSelectItems": XP, "SHGetFolderPathAndSubDirA": XP,
        "SHGetFolderPathAndSubDirW": XP, "SHCreateDirectory": XP,
        "SHGetKnownFolderPath": VISTA, "SHCreateItemFromParsingName": VISTA,
        "SHGetStockIconInfo": VISTA,
    },
    "shlwapi.dll": {
        "StrCmpLogicalW": XP, "AssocGetPerceivedType": XP,
        "SHRegGetValueA": XP_SP2, "SHRegGetValueW": XP_SP2,
    },
    "ole32.dll": {
        "CoDisconnectContext": XP, "CoGetApartmentType": WIN7,
    },
    "winspool.drv": {
        "UploadPrinterDriverPackageA": VISTA, "UploadPrinterDriverPackageW": VISTA,
        "InstallPrinterDriverFromPackageA": VISTA, "InstallPrinterDriverFromPackageW": VISTA,
        "GetCorePrinterDriversA": VISTA, "GetCorePrinterDriversW": VISTA,
        "DeletePrinterDriverPackageA": VISTA, "DeletePrinterDriverPackageW": VISTA,
        "GetPrinterDriverPackagePathA": VISTA, "GetPrinterDriverPackagePathW": VISTA,
        "AddPrinterConnection2A": VISTA, "AddPrinterConnection2W": VISTA,
        "GetPrinterDriver2A": VISTA, "GetPrinterDriver2W": VISTA,
        "IsValidDevmodeA": VISTA, "IsValidDevmodeW": VISTA,
    },
    # Windows 2000 ships msvcrt.dll 6.1; these arrived with 7.0 (XP), the
    # "_s" forms with Vista's.
    "msvcrt.dll": {
        "__iob_func": XP, "___lc_codepage_func": XP, "___lc_handle_func": XP,
        "___mb_cur_max_func": XP, "__pctype_func": XP, "__pwctype_func": XP,
        "_aligned_malloc": XP, "_aligned_free": XP, "_aligned_realloc": XP,
        "_aligned_offset_malloc": XP, "_aligned_offset_realloc": XP,
        "_time64": XP, "_ctime64": XP, "_localtime64": XP, "_gmtime64": XP, "_mktime64": XP,
        "_stat64": XP, "_fstat64": XP, "_wstat64": XP, "_findfirst64": XP, "_findnext64": XP,
        "_strtoi64": XP, "_strtoui64": XP, "_wcstoi64": XP, "_wcstoui64": XP,
        "_vscprintf": XP, "_scprintf": XP, "_vscwprintf": XP, "_scwprintf": XP,
        "_snscanf": XP, "_resetstkoflw": XP, "_get_heap_handle": XP,
        "_set_invalid_parameter_handler": VISTA, "_get_invalid_parameter_handler": VISTA,
        "_set_abort_behavior": VISTA, "_get_output_format": VISTA,
    },
}


def fmt_size(n):
    return f"{n} bytes ({n / 1024:.1f} KiB)"


class Report:
    def __init__(self):
        self.failures = []

    def fail(self, name, message):
        self.failures.append(f"{name}: {message}")
        print(f"  FAIL {message}")

    def ok(self, message):
        print(f"  ok   {message}")


def decoded(raw):
    return raw.decode("ascii", "replace") if raw is not None else None


def imports_of(pe):
    """(dll name, function name or None, ordinal or None) for every import,
    delay-loaded ones included."""
    result = []
    for attr in ("DIRECTORY_ENTRY_IMPORT", "DIRECTORY_ENTRY_DELAY_IMPORT"):
        for entry in getattr(pe, attr, []):
            dll = decoded(entry.dll)
            for imp in entry.imports:
                result.append((dll, decoded(imp.name), None if imp.name else imp.ordinal))
    return result


def exports_of(pe):
    if not hasattr(pe, "DIRECTORY_ENTRY_EXPORT"):
        return []
    return [decoded(s.name) for s in pe.DIRECTORY_ENTRY_EXPORT.symbols]


def has_version_resource(pe):
    resources = getattr(pe, "DIRECTORY_ENTRY_RESOURCE", None)
    return resources is not None and any(
        entry.id == pefile.RESOURCE_TYPE["RT_VERSION"] for entry in resources.entries)


def check_common(name, pe, report, want_dll, extra_dlls):
    fh, oh = pe.FILE_HEADER, pe.OPTIONAL_HEADER
    if oh.Magic != pefile.OPTIONAL_HEADER_MAGIC_PE or fh.Machine != pefile.MACHINE_TYPE["IMAGE_FILE_MACHINE_I386"]:
        report.fail(name, f"not a PE32 i386 image (machine 0x{fh.Machine:04x}, optional header magic 0x{oh.Magic:x})")
    else:
        report.ok("PE32, i386")
    is_dll = bool(fh.Characteristics & pefile.IMAGE_CHARACTERISTICS["IMAGE_FILE_DLL"])
    if is_dll != want_dll:
        report.fail(name, "is a DLL" if is_dll else "is not a DLL")
    for label, major, minor in (
            ("OS version", oh.MajorOperatingSystemVersion, oh.MinorOperatingSystemVersion),
            ("subsystem version", oh.MajorSubsystemVersion, oh.MinorSubsystemVersion)):
        if (major, minor) > (5, 0):
            report.fail(name, f"{label} {major}.{minor}: Windows 2000 (5.0) refuses to load it")
        else:
            report.ok(f"{label} {major}.{minor}")

    allowed = SYSTEM_DLLS | extra_dlls
    bad_dlls, late, by_ordinal = set(), [], []
    imports = imports_of(pe)
    for dll, func, ordinal in imports:
        key = dll.lower()
        if key.startswith(MINGW_RUNTIME_PREFIXES):
            bad_dlls.add(f"{dll} (MinGW runtime: link it statically)")
        elif key not in allowed:
            bad_dlls.add(f"{dll} (not a Windows system DLL)")
        elif func is None:
            # Ordinals of system DLLs differ between releases.
            by_ordinal.append(f"{dll}!#{ordinal}")
        elif func in POST_2000.get(key, {}):
            late.append(f"{dll}!{func} (first in {POST_2000[key][func]})")
    for d in sorted(bad_dlls):
        report.fail(name, f"imports {d}")
    for f in by_ordinal:
        report.fail(name, f"imports by ordinal: {f}")
    for f in late:
        report.fail(name, f"imports what Windows 2000 lacks: {f}")
    dlls = sorted({d for d, _, _ in imports}, key=str.lower)
    if not bad_dlls and not late and not by_ordinal:
        report.ok(f"imports {len(imports)} functions from {', '.join(dlls)}")
    return imports


def check_size(name, path, report):
    size = os.path.getsize(path)
    budget = BUDGET[name]
    line = f"size {fmt_size(size)}, budget {fmt_size(budget)}"
    if size > budget:
        report.fail(name, "over budget: " + line)
    else:
        report.ok(line)
    return size


def check_dll(path, report):
    name = DLL_NAME
    print(f"{name}:")
    pe = pefile.PE(path)
    check_common(name, pe, report, want_dll=True, extra_dlls=set())
    exports = exports_of(pe)
    unnamed = [e for e in exports if e is None]
    extra = sorted(e for e in exports if e is not None and e not in DLL_EXPORTS)
    missing = sorted(DLL_REQUIRED_EXPORTS - set(exports))
    if unnamed:
        report.fail(name, f"{len(unnamed)} exports without a name")
    if extra:
        report.fail(name, "exports names outside the interface: " + ", ".join(extra))
    if missing:
        report.fail(name, "does not export " + ", ".join(missing))
    if not unnamed and not extra and not missing:
        report.ok("exports " + ", ".join(sorted(exports)))
    if has_version_resource(pe):
        report.ok("version resource present")
    else:
        report.fail(name, "no version resource")
    return check_size(name, path, report), set(e for e in exports if e)


def check_wizard(path, report, dll_exports):
    name = WIZARD_NAME
    print(f"{name}:")
    pe = pefile.PE(path)
    imports = check_common(name, pe, report, want_dll=False, extra_dlls={DLL_NAME})
    subsystem = pe.OPTIONAL_HEADER.Subsystem
    if subsystem != pefile.SUBSYSTEM_TYPE["IMAGE_SUBSYSTEM_WINDOWS_GUI"]:
        report.fail(name, f"subsystem {subsystem}, not a Windows GUI program (2)")
    else:
        report.ok("Windows GUI subsystem")
    if dll_exports is not None:
        unknown = sorted(f for d, f, _ in imports if d.lower() == DLL_NAME and f not in dll_exports)
        if unknown:
            report.fail(name, f"imports from {DLL_NAME} what it does not export: " + ", ".join(unknown))
    return check_size(name, path, report)


def main(argv):
    if len(argv) != 2:
        print(__doc__.strip().splitlines()[2], file=sys.stderr)
        return 2
    folder = argv[1]
    report = Report()
    dll_path = os.path.join(folder, DLL_NAME)
    wizard_path = os.path.join(folder, WIZARD_NAME)
    sizes = {}
    dll_exports = None
    if os.path.isfile(dll_path):
        try:
            sizes[DLL_NAME], dll_exports = check_dll(dll_path, report)
        except pefile.PEFormatError as e:
            report.fail(DLL_NAME, f"not a PE file: {e}")
    else:
        print(f"{DLL_NAME}:")
        report.fail(DLL_NAME, f"missing: {dll_path}")
    if os.path.isfile(wizard_path):
        try:
            sizes[WIZARD_NAME] = check_wizard(wizard_path, report, dll_exports)
        except pefile.PEFormatError as e:
            report.fail(WIZARD_NAME, f"not a PE file: {e}")
    else:
        print(f"{WIZARD_NAME}: wizard not built yet")

    print("sizes:")
    for name in (DLL_NAME, WIZARD_NAME):
        shown = fmt_size(sizes[name]) if name in sizes else "not built"
        print(f"  {name:40} {shown:>28}   budget {fmt_size(BUDGET[name])}")
    if report.failures:
        print(f"check-binaries: {len(report.failures)} finding(s):", file=sys.stderr)
        for f in report.failures:
            print("  " + f, file=sys.stderr)
        return 1
    print("check-binaries: all checks passed")
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
