// The forced restart offered by the finish page, behind a seam so that its steps can be checked without
// restarting anything.
#pragma once

#include <windows.h>

namespace wizard {

// The system calls the restart makes, in the order it makes them.
class RestartSystem {
public:
    virtual DWORD Version() = 0;
    virtual bool OpenToken(DWORD access, HANDLE* token) = 0;
    virtual bool LookupPrivilege(const char* name, LUID* luid) = 0;
    virtual bool AdjustPrivileges(HANDLE token, const TOKEN_PRIVILEGES& privileges) = 0;
    virtual DWORD LastError() = 0;
    virtual void CloseToken(HANDLE handle) = 0;
    virtual bool RequestExitWindows(UINT flags, DWORD reason) = 0;
    virtual void ShowMessage(HWND owner, const char* text, const char* caption, UINT type) = 0;
    // Ends the process through the run time's orderly exit; the real one does not return.
    virtual void EndProcess(int code) = 0;

protected:
    ~RestartSystem() = default;
};

extern const char kRestartFailedMessage[];

// Enables the shutdown privilege where the system has one, forces a restart, reports a refusal and ends the
// process with exit code 0. Returns only if system.EndProcess does.
void RequestRestart(HWND owner, RestartSystem& system);

// RequestRestart through the real system: the process ends inside.
void RestartComputer(HWND owner);

}  // namespace wizard
