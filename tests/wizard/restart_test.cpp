// The restart's steps through a recording stand-in for the system: nothing is restarted.
#include "restart.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

class RecordingSystem final : public wizard::RestartSystem {
public:
    // What the system answers.
    DWORD version = 0x0A280105;  // Windows XP: build 2600, 5.1, NT family
    bool tokenOpens = true;
    bool privilegeKnown = true;
    bool restartAccepted = true;

    // What the restart asked.
    std::vector<std::string> calls;
    DWORD tokenAccess = 0;
    std::string privilegeName;
    TOKEN_PRIVILEGES adjusted = {};
    HANDLE adjustedToken = nullptr;
    HANDLE closedToken = nullptr;
    UINT exitFlags = 0;
    DWORD exitReason = 1;
    HWND messageOwner = nullptr;
    std::string messageText;
    std::string messageCaption;
    UINT messageType = 0xFFFF;
    int exitCode = -99;

    const HANDLE token = reinterpret_cast<HANDLE>(0x4321);
    const LUID shutdownLuid = {0x13, 0};

    DWORD Version() override {
        calls.push_back("Version");
        return version;
    }
    bool OpenToken(DWORD access, HANDLE* opened) override {
        calls.push_back("OpenToken");
        tokenAccess = access;
        if (tokenOpens) *opened = token;
        return tokenOpens;
    }
    bool LookupPrivilege(const char* name, LUID* luid) override {
        calls.push_back("LookupPrivilege");
        privilegeName = name;
        if (privilegeKnown) *luid = shutdownLuid;
        return privilegeKnown;
    }
    bool AdjustPrivileges(HANDLE handle, const TOKEN_PRIVILEGES& privileges) override {
        calls.push_back("AdjustPrivileges");
        adjustedToken = handle;
        adjusted = privileges;
        return true;
    }
    DWORD LastError() override {
        calls.push_back("LastError");
        return ERROR_NOT_ALL_ASSIGNED;
    }
    void CloseToken(HANDLE handle) override {
        calls.push_back("CloseToken");
        closedToken = handle;
    }
    bool RequestExitWindows(UINT flags, DWORD reason) override {
        calls.push_back("RequestExitWindows");
        exitFlags = flags;
        exitReason = reason;
        return restartAccepted;
    }
    void ShowMessage(HWND owner, const char* text, const char* caption, UINT type) override {
        calls.push_back("ShowMessage");
        messageOwner = owner;
        messageText = text;
        messageCaption = caption;
        messageType = type;
    }
    void EndProcess(int code) override {
        calls.push_back("EndProcess");
        exitCode = code;
    }
};

const HWND kFinishPage = reinterpret_cast<HWND>(0x2010);
using Calls = std::vector<std::string>;

TEST(Restart, EnablesTheShutdownPrivilegeThenForcesARestart) {
    RecordingSystem system;
    wizard::RequestRestart(kFinishPage, system);

    EXPECT_EQ(system.calls, (Calls{"Version", "OpenToken", "LookupPrivilege", "AdjustPrivileges", "LastError",
                                   "CloseToken", "RequestExitWindows", "EndProcess"}));
    EXPECT_EQ(system.tokenAccess, static_cast<DWORD>(TOKEN_ADJUST_PRIVILEGES | TOKEN_QUERY));
    EXPECT_EQ(system.tokenAccess, 0x28u);
    EXPECT_EQ(system.privilegeName, "SeShutdownPrivilege");
    EXPECT_EQ(system.adjustedToken, system.token);
    EXPECT_EQ(system.adjusted.PrivilegeCount, 1u);
    EXPECT_EQ(system.adjusted.Privileges[0].Luid.LowPart, system.shutdownLuid.LowPart);
    EXPECT_EQ(system.adjusted.Privileges[0].Luid.HighPart, system.shutdownLuid.HighPart);
    EXPECT_EQ(system.adjusted.Privileges[0].Attributes, static_cast<DWORD>(SE_PRIVILEGE_ENABLED));
    EXPECT_EQ(system.closedToken, system.token);
    EXPECT_EQ(system.exitFlags, static_cast<UINT>(EWX_REBOOT | EWX_FORCE));
    EXPECT_EQ(system.exitReason, 0u);
    EXPECT_EQ(system.exitCode, 0);
}

struct RestartCase {
    const char* name;
    DWORD version;
    bool tokenOpens;
    bool privilegeKnown;
    bool restartAccepted;
    Calls calls;
};

// Whatever fails before the request, the restart is requested all the same; only its refusal is reported.
const RestartCase kCases[] = {
    {"windows 98: no token calls at all",
     0xC0000A04,
     true,
     true,
     true,
     {"Version", "RequestExitWindows", "EndProcess"}},
    {"windows me, restart refused",
     0xC0005A04,
     true,
     true,
     false,
     {"Version", "RequestExitWindows", "ShowMessage", "EndProcess"}},
    {"token refused", 0x08930005, false, true, true, {"Version", "OpenToken", "RequestExitWindows", "EndProcess"}},
    {"privilege unknown",
     0x08930005,
     true,
     false,
     true,
     {"Version", "OpenToken", "LookupPrivilege", "CloseToken", "RequestExitWindows", "EndProcess"}},
    {"restart refused on xp",
     0x0A280105,
     true,
     true,
     false,
     {"Version", "OpenToken", "LookupPrivilege", "AdjustPrivileges", "LastError", "CloseToken", "RequestExitWindows",
      "ShowMessage", "EndProcess"}},
};

TEST(Restart, FailuresOnTheWay) {
    for (const RestartCase& c : kCases) {
        SCOPED_TRACE(c.name);
        RecordingSystem system;
        system.version = c.version;
        system.tokenOpens = c.tokenOpens;
        system.privilegeKnown = c.privilegeKnown;
        system.restartAccepted = c.restartAccepted;
        wizard::RequestRestart(kFinishPage, system);

        EXPECT_EQ(system.calls, c.calls);
        EXPECT_EQ(system.exitFlags, static_cast<UINT>(EWX_REBOOT | EWX_FORCE));
        EXPECT_EQ(system.exitCode, 0);
        if (!c.restartAccepted) {
            EXPECT_EQ(system.messageOwner, kFinishPage);
            EXPECT_EQ(system.messageText,
                      "Error occurred when restarting computer. You can manually restart this computer. ");
            EXPECT_EQ(system.messageCaption, "Error");
            EXPECT_EQ(system.messageType, static_cast<UINT>(MB_OK));
        }
    }
}

}  // namespace
