#include "restart.h"

#include <cstdlib>

#include "result_messages.h"

namespace wizard {

namespace {

// Windows 95, 98 and Me set the high bit of GetVersion's result; they have no tokens and no privileges.
const DWORD kNotNtFamily = 0x80000000;

class Token {
public:
    explicit Token(RestartSystem& system) : system_(system) {}
    ~Token() {
        if (handle_) system_.CloseToken(handle_);
    }
    Token(const Token&) = delete;
    Token& operator=(const Token&) = delete;

    bool Open(DWORD access) {
        HANDLE opened = nullptr;
        if (!system_.OpenToken(access, &opened)) return false;
        handle_ = opened;
        return true;
    }
    HANDLE Get() const { return handle_; }

private:
    RestartSystem& system_;
    HANDLE handle_ = nullptr;
};

// Nothing here is checked: without the privilege the restart request itself fails, and that failure is reported.
void EnableShutdownPrivilege(RestartSystem& system) {
    Token token(system);
    if (!token.Open(TOKEN_ADJUST_PRIVILEGES | TOKEN_QUERY)) return;
    TOKEN_PRIVILEGES privileges = {};
    privileges.PrivilegeCount = 1;
    privileges.Privileges[0].Attributes = SE_PRIVILEGE_ENABLED;
    if (!system.LookupPrivilege("SeShutdownPrivilege", &privileges.Privileges[0].Luid)) return;
    system.AdjustPrivileges(token.Get(), privileges);
    // AdjustTokenPrivileges succeeds even when it could not assign the privilege; the error code would say so,
    // but the restart request that follows reports the same thing more plainly.
    system.LastError();
}

class Win32RestartSystem final : public RestartSystem {
public:
    DWORD Version() override { return GetVersion(); }
    bool OpenToken(DWORD access, HANDLE* token) override {
        return ::OpenProcessToken(GetCurrentProcess(), access, token) != FALSE;
    }
    bool LookupPrivilege(const char* name, LUID* luid) override {
        return LookupPrivilegeValueA(nullptr, name, luid) != FALSE;
    }
    bool AdjustPrivileges(HANDLE token, const TOKEN_PRIVILEGES& privileges) override {
        TOKEN_PRIVILEGES copy = privileges;
        return ::AdjustTokenPrivileges(token, FALSE, &copy, 0, nullptr, nullptr) != FALSE;
    }
    DWORD LastError() override { return GetLastError(); }
    void CloseToken(HANDLE handle) override { ::CloseHandle(handle); }
    bool RequestExitWindows(UINT flags, DWORD reason) override { return ExitWindowsEx(flags, reason) != FALSE; }
    void ShowMessage(HWND owner, const char* text, const char* caption, UINT type) override {
        MessageBoxA(owner, text, caption, type);
    }
    void EndProcess(int code) override { std::exit(code); }
};

}  // namespace

const char kRestartFailedMessage[] =
    "Error occurred when restarting computer. You can manually restart this computer. ";

void RequestRestart(HWND owner, RestartSystem& system) {
    if (!(system.Version() & kNotNtFamily)) EnableShutdownPrivilege(system);
    // EWX_FORCE: the person asked for the restart on the page that said the removal is done; programs are not
    // asked whether they may close.
    if (!system.RequestExitWindows(EWX_REBOOT | EWX_FORCE, 0)) {
        system.ShowMessage(owner, kRestartFailedMessage, kErrorCaption, MB_OK);
    }
    system.EndProcess(0);
}

void RestartComputer(HWND owner) {
    Win32RestartSystem system;
    RequestRestart(owner, system);
}

}  // namespace wizard
