// A stand-in for olvet_pdf_printer_installer.dll, laid beside the shipped wizard so that its GUI tests can hold the
// removal open (to look at the progress window) and choose its result (to see every message). Never shipped.
//
// Driven by the environment, which Wine hands to Windows programs:
//   OLVET_STANDIN_RESULT    the code UnInstallOlvetPDFPrinter returns (default 0)
//   OLVET_STANDIN_PROGRESS  a percentage to report through SetProgress before holding
//   OLVET_STANDIN_STARTED   a file created when the call has begun, telling what the progress bar shows then:
//                           "<position> <low> <high>" (the wizard's thread answers no one else during the call)
//   OLVET_STANDIN_HOLD      a file: the call waits, at most a minute, while it exists
#include <olvet_pdf_printer_installer.h>
// clang-format off
#include <windows.h>
#include <commctrl.h>
// clang-format on

#include <cstdlib>

IProgressInfo::IProgressInfo() {}
IProgressInfo::IProgressInfo(const IProgressInfo&) {}
IProgressInfo& IProgressInfo::operator=(const IProgressInfo&) {
    return *this;
}

namespace {

const char* Setting(const char* name) {
    const char* value = std::getenv(name);
    return value && *value ? value : nullptr;
}

BOOL CALLBACK FindProgressBar(HWND window, LPARAM found) {
    HWND bar = GetDlgItem(window, 1000);
    char name[64] = "";
    if (!IsWindowVisible(window) || !bar || !GetClassNameA(bar, name, sizeof(name))) return TRUE;
    if (lstrcmpiA(name, "msctls_progress32") != 0) return TRUE;
    *reinterpret_cast<HWND*>(found) = bar;
    return FALSE;
}

// The bar as the person sees it now, read on the wizard's own thread.
void Report(const char* path) {
    HWND bar = nullptr;
    EnumThreadWindows(GetCurrentThreadId(), FindProgressBar, reinterpret_cast<LPARAM>(&bar));
    char text[64] = "none";
    if (bar) {
        wsprintfA(text, "%d %d %d", static_cast<int>(SendMessageA(bar, PBM_GETPOS, 0, 0)),
                  static_cast<int>(SendMessageA(bar, PBM_GETRANGE, TRUE, 0)),
                  static_cast<int>(SendMessageA(bar, PBM_GETRANGE, FALSE, 0)));
    }
    HANDLE file = CreateFileA(path, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return;
    DWORD written = 0;
    WriteFile(file, text, lstrlenA(text), &written, nullptr);
    CloseHandle(file);
}

}  // namespace

extern "C" int __cdecl InstallOlvetPDFPrinter(IProgressInfo*, const char*) {
    return OLVET_SETUP_OK;
}

extern "C" int __cdecl UnInstallOlvetPDFPrinter(IProgressInfo* progress) {
    if (const char* percent = Setting("OLVET_STANDIN_PROGRESS")) {
        if (progress) progress->SetProgress(std::atoi(percent), "Stand-in milestone");
    }
    if (const char* started = Setting("OLVET_STANDIN_STARTED")) Report(started);
    if (const char* hold = Setting("OLVET_STANDIN_HOLD")) {
        for (int waited = 0; waited < 60000 && GetFileAttributesA(hold) != INVALID_FILE_ATTRIBUTES; waited += 50) {
            Sleep(50);
        }
    }
    const char* result = Setting("OLVET_STANDIN_RESULT");
    return result ? std::atoi(result) : OLVET_SETUP_OK;
}
