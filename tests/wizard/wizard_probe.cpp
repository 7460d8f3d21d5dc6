// Looks at the wizard from beside it, in the same Wine prefix, and prints what it sees as JSON for the GUI test
// driver:
//   wizard_probe window <title>   the visible top-level windows of that title (an empty title: the progress
//                                 window), with their rectangles, owners, controls and the work area
//   wizard_probe state            what of the product is on the machine
//   wizard_probe sleep <seconds>  a process that only waits, to see whether something ends it early
// clang-format off
#include <windows.h>
#include <commctrl.h>
// clang-format on

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "machine.h"

namespace {

std::string Quoted(const std::string& text) {
    std::string out = "\"";
    for (char c : text) {
        if (c == '"' || c == '\\') {
            out += '\\';
            out += c;
        } else if (static_cast<unsigned char>(c) < 0x20) {
            char escaped[8];
            std::snprintf(escaped, sizeof(escaped), "\\u%04x", c);
            out += escaped;
        } else {
            out += c;
        }
    }
    return out + "\"";
}

std::string Rect(const RECT& r) {
    char text[96];
    std::snprintf(text, sizeof(text), "[%ld, %ld, %ld, %ld]", r.left, r.top, r.right, r.bottom);
    return text;
}

std::string Bool(bool value) {
    return value ? "true" : "false";
}

std::string Number(long long value) {
    return std::to_string(value);
}

std::string Handle(HWND window) {
    return Number(static_cast<long long>(reinterpret_cast<INT_PTR>(window)));
}

std::string WindowText(HWND window) {
    char text[512] = "";
    GetWindowTextA(window, text, sizeof(text));
    return text;
}

std::string ClassOf(HWND window) {
    char name[128] = "";
    GetClassNameA(window, name, sizeof(name));
    return name;
}

struct Search {
    std::string title;
    std::vector<HWND> found;
};

BOOL CALLBACK CollectChild(HWND child, LPARAM list) {
    reinterpret_cast<std::vector<HWND>*>(list)->push_back(child);
    return TRUE;
}

std::vector<HWND> Children(HWND window) {
    std::vector<HWND> children;
    EnumChildWindows(window, CollectChild, reinterpret_cast<LPARAM>(&children));
    return children;
}

bool HasProgressBar(HWND window) {
    for (HWND child : Children(window)) {
        if (lstrcmpiA(ClassOf(child).c_str(), PROGRESS_CLASSA) == 0) return true;
    }
    return false;
}

BOOL CALLBACK CollectTopLevel(HWND window, LPARAM data) {
    auto* search = reinterpret_cast<Search*>(data);
    if (!IsWindowVisible(window) || WindowText(window) != search->title) return TRUE;
    // Wine's own desktop helpers carry no title either: the progress window is the one with the bar.
    if (search->title.empty() && !HasProgressBar(window)) return TRUE;
    search->found.push_back(window);
    return TRUE;
}

// The wizard's thread is busy while the library works and answers no message then; a sent message would wait for
// the whole removal. Such answers are left out instead.
bool Ask(HWND window, UINT message, WPARAM wParam, LRESULT* answer) {
    DWORD_PTR result = 0;
    if (!SendMessageTimeoutA(window, message, wParam, 0, SMTO_ABORTIFHUNG | SMTO_BLOCK, 1000, &result)) return false;
    *answer = static_cast<LRESULT>(result);
    return true;
}

std::string Control(HWND control) {
    RECT r;
    GetWindowRect(control, &r);
    std::string json = "{\"id\": " + Number(static_cast<short>(GetDlgCtrlID(control))) +
                       ", \"class\": " + Quoted(ClassOf(control)) + ", \"text\": " + Quoted(WindowText(control)) +
                       ", \"visible\": " + Bool(IsWindowVisible(control)) + ", \"rect\": " + Rect(r);
    LRESULT position, low, high;
    // None of these carry pointers, so the control's own process can answer them.
    if (lstrcmpiA(ClassOf(control).c_str(), PROGRESS_CLASSA) == 0 && Ask(control, PBM_GETPOS, 0, &position) &&
        Ask(control, PBM_GETRANGE, TRUE, &low) && Ask(control, PBM_GETRANGE, FALSE, &high)) {
        json += ", \"position\": " + Number(position) + ", \"range\": [" + Number(low) + ", " + Number(high) + "]";
    }
    return json + "}";
}

std::string Window(HWND window) {
    RECT r;
    GetWindowRect(window, &r);
    const HWND owner = GetWindow(window, GW_OWNER);
    std::string json = "{\"handle\": " + Handle(window) + ", \"rect\": " + Rect(r) +
                       ", \"style\": " + Number(GetWindowLongA(window, GWL_STYLE)) + ", \"owner\": " + Handle(owner);
    if (owner) {
        RECT ownerRect;
        GetWindowRect(owner, &ownerRect);
        json += ", \"owner_rect\": " + Rect(ownerRect) + ", \"owner_visible\": " + Bool(IsWindowVisible(owner)) +
                ", \"owner_minimized\": " + Bool(IsIconic(owner));
    }
    LRESULT defId;
    if (Ask(window, DM_GETDEFID, 0, &defId)) {
        json += ", \"default_id\": " + Number(HIWORD(defId) == DC_HASDEFID ? LOWORD(defId) : 0);
    }
    GUITHREADINFO thread = {};
    thread.cbSize = sizeof(thread);
    if (GetGUIThreadInfo(GetWindowThreadProcessId(window, nullptr), &thread) && thread.hwndFocus) {
        json += ", \"focus_id\": " + Number(static_cast<short>(GetDlgCtrlID(thread.hwndFocus)));
    }
    json += ", \"controls\": [";
    const char* separator = "";
    for (HWND child : Children(window)) {
        json += separator + Control(child);
        separator = ", ";
    }
    return json + "]}";
}

int ShowWindows(const char* title) {
    Search search = {title, {}};
    EnumWindows(CollectTopLevel, reinterpret_cast<LPARAM>(&search));
    RECT area;
    SystemParametersInfoA(SPI_GETWORKAREA, 0, &area, 0);
    std::string json = "{\"work_area\": " + Rect(area) + ", \"windows\": [";
    const char* separator = "";
    for (HWND window : search.found) {
        json += separator + Window(window);
        separator = ", ";
    }
    std::printf("%s]}\n", json.c_str());
    return 0;
}

int ShowState() {
    const std::string directory = machine::DriverDirectory();
    std::string files = "[";
    const char* separator = "";
    for (const char* module : {"lyr_drv.dll", "lyr_ui.dll", "lyr_gpd.txt"}) {
        if (machine::FileExists(directory + "\\" + module)) {
            files += separator + Quoted(module);
            separator = ", ";
        }
    }
    std::printf(
        "{\"printer\": %s, \"port\": %s, \"driver_files\": %s], \"uninstall_key\": %s, \"product_key\": %s, "
        "\"maker_key\": %s}\n",
        Bool(machine::PrinterExists(machine::kPrinter)).c_str(), Bool(machine::PortExists(machine::kPort)).c_str(),
        files.c_str(), Bool(machine::KeyExists(HKEY_LOCAL_MACHINE, machine::kUninstallKey)).c_str(),
        Bool(machine::KeyExists(HKEY_LOCAL_MACHINE, machine::kProductKey)).c_str(),
        Bool(machine::KeyExists(HKEY_LOCAL_MACHINE, machine::kMakerKey)).c_str());
    return 0;
}

int Usage() {
    std::fputs("usage: wizard_probe window <title> | state | sleep <seconds>\n", stderr);
    return 2;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc == 3 && std::strcmp(argv[1], "window") == 0) return ShowWindows(argv[2]);
    if (argc == 2 && std::strcmp(argv[1], "window") == 0) return ShowWindows("");
    if (argc == 2 && std::strcmp(argv[1], "state") == 0) return ShowState();
    if (argc == 3 && std::strcmp(argv[1], "sleep") == 0) {
        Sleep(static_cast<DWORD>(std::atoi(argv[2])) * 1000);
        return 0;
    }
    return Usage();
}
