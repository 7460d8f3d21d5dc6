#include <gtest/gtest.h>

#include <string>

#include "environment.h"
#include "fault_injection.h"
#include "machine.h"
#include "setup_state.h"
#include "windows_version.h"

namespace {

using olvet::g_state;

struct VersionCase {
    DWORD platform, major, minor;
    int result;
    LONG driverVersionDir;
};

TEST(ProbeOperatingSystem, AcceptsWindows2000AndXpOnly) {
    const VersionCase cases[] = {
        {VER_PLATFORM_WIN32_NT, 5, 0, 1, 2},   // Windows 2000: version directory 2, not 3
        {VER_PLATFORM_WIN32_NT, 5, 1, 1, 3},   // Windows XP
        {VER_PLATFORM_WIN32_NT, 5, 2, 0, -1},  // Server 2003
        {VER_PLATFORM_WIN32_NT, 6, 0, 0, -1},  // Vista
        {VER_PLATFORM_WIN32_NT, 6, 1, 0, -1},  // 7
        {VER_PLATFORM_WIN32_NT, 4, 0, 0, -1},  // NT 4.0
        {VER_PLATFORM_WIN32_WINDOWS, 4, 10, 0, -1},  // 98
        {VER_PLATFORM_WIN32_WINDOWS, 5, 1, 0, -1},   // the right numbers on the wrong family
    };
    for (const VersionCase& c : cases) {
        faults::ScopedFaults scope;
        scope.system.ReportVersion(c.platform, c.major, c.minor);
        SCOPED_TRACE(std::to_string(c.platform) + " " + std::to_string(c.major) + "." + std::to_string(c.minor));
        EXPECT_EQ(c.result, olvet::ProbeOperatingSystem());
        EXPECT_EQ(c.driverVersionDir, g_state.driverVersionDir);
        EXPECT_EQ(c.result ? olvet::ErrNone : olvet::ErrUnsupportedSystem, g_state.lastError);
        // The extended record is asked for first.
        EXPECT_EQ(sizeof(OSVERSIONINFOEXA), scope.system.versionRecordSizes.at(0));
    }
}

TEST(ProbeOperatingSystem, KeepsAnEarlierVerdictOnALaterUnknownVersion) {
    faults::ScopedFaults scope;
    scope.system.ReportVersion(VER_PLATFORM_WIN32_NT, 5, 0);
    ASSERT_EQ(1, olvet::ProbeOperatingSystem());
    scope.system.ReportVersion(VER_PLATFORM_WIN32_NT, 6, 1);
    EXPECT_EQ(1, olvet::ProbeOperatingSystem());
    EXPECT_EQ(2, g_state.driverVersionDir);
    EXPECT_EQ(olvet::ErrNone, g_state.lastError);
}

TEST(ProbeOperatingSystem, FallsBackToTheShortRecordThenFails) {
    faults::ScopedFaults scope;
    scope.system.ReportVersion(VER_PLATFORM_WIN32_NT, 5, 1);
    scope.plan.Fail("GetVersion:156");
    EXPECT_EQ(1, olvet::ProbeOperatingSystem());
    EXPECT_EQ((std::vector<DWORD>{156, 148}), scope.system.versionRecordSizes);
    EXPECT_EQ(3, g_state.driverVersionDir);

    faults::ScopedFaults failing;
    failing.plan.Fail("GetVersion");
    EXPECT_EQ(0, olvet::ProbeOperatingSystem());
    EXPECT_EQ(olvet::ErrUnsupportedSystem, g_state.lastError);
    EXPECT_EQ(-1, g_state.driverVersionDir);
}

struct InstallDirCase {
    const char* given;
    const char* resolved;
};

TEST(ResolvePaths, TrimsOneTrailingBackslashOfTheInstallDirectory) {
    const InstallDirCase cases[] = {
        {"C:\\Data\\Printer\\", "C:\\Data\\Printer"},
        {"C:\\Data\\Printer\\\\", "C:\\Data\\Printer\\"},
        {"C:\\Data\\Printer", "C:\\Data\\Printer"},
        {"D:\\", "D:"},
        {"C:\\Data/", "C:\\Data/"},
        {"", ""},
        {"C:\\With Spaces\\Dir\\", "C:\\With Spaces\\Dir"},
    };
    for (const InstallDirCase& c : cases) {
        faults::ScopedFaults scope;
        SCOPED_TRACE(c.given);
        EXPECT_EQ(1, olvet::ResolvePaths(c.given));
        EXPECT_STREQ(c.resolved, g_state.installDir);
    }
}

TEST(ResolvePaths, PutsTheDefaultDirectoryOnTheSystemDrive) {
    const InstallDirCase cases[] = {
        {"C:\\WINDOWS\\system32", "C:\\Program Files\\Olvet Software\\PDF Creator"},
        {"e:\\WINNT\\system32", "e:\\Program Files\\Olvet Software\\PDF Creator"},
    };
    for (const InstallDirCase& c : cases) {
        faults::ScopedFaults scope;
        scope.system.ReportSystemDirectory(c.given);
        EXPECT_EQ(1, olvet::ResolvePaths(nullptr));
        EXPECT_STREQ(c.resolved, g_state.installDir);
    }
}

TEST(ResolvePaths, TakesTheProgramsDirectoryAndTheSpoolersDriverDirectory) {
    faults::ScopedFaults scope;
    ASSERT_EQ(1, olvet::ResolvePaths(nullptr));
    EXPECT_EQ(machine::ProgramDirectory(), g_state.sourceDir);
    EXPECT_EQ(machine::DriverDirectory(), g_state.driverDir);
    EXPECT_FALSE(std::string(g_state.driverDir).empty());

    const InstallDirCase programs[] = {
        {"C:\\setup.exe", "C:"},
        {"C:\\Setup Files\\disk1\\setup.exe", "C:\\Setup Files\\disk1"},
        {"setup.exe", "setup.exe"},
    };
    for (const InstallDirCase& c : programs) {
        faults::ScopedFaults program;
        program.system.ReportProgramPath(c.given);
        EXPECT_EQ(1, olvet::ResolvePaths("C:\\x"));
        EXPECT_STREQ(c.resolved, g_state.sourceDir);
    }
}

TEST(ResolvePaths, RefusesWhatWouldNotFitItsBuffers) {
    const std::string uninstaller = "\\Olvet_PDF_Creator_UnInstaller_Win.exe";
    const std::string longest = "C:\\" + std::string(MAX_PATH - 1 - uninstaller.size() - 3, 'a');
    struct Case {
        std::string installDir;
        std::string programPath;
        int result;
        LONG error;
    };
    const Case cases[] = {
        {longest, "", 1, olvet::ErrNone},
        {longest + "a", "", 0, olvet::ErrCreateDirectory},
        {longest + "\\", "", 1, olvet::ErrNone},  // the trailing backslash goes first
        {std::string(MAX_PATH - 1, 'b'), "", 0, olvet::ErrCreateDirectory},
        {std::string(MAX_PATH, 'b'), "", 0, olvet::ErrCreateDirectory},
        {std::string(5000, 'b'), "", 0, olvet::ErrCreateDirectory},
        // The program's directory takes the uninstaller's name in the install.
        {"C:\\x", longest + "\\setup.exe", 1, olvet::ErrNone},
        {"C:\\x", longest + "a\\setup.exe", 0, olvet::ErrUnsupportedSystem},
        // A program path Windows had to cut is no path at all.
        {"C:\\x", "C:\\" + std::string(400, 'p') + "\\setup.exe", 0, olvet::ErrUnsupportedSystem},
    };
    for (const Case& c : cases) {
        faults::ScopedFaults scope;
        if (!c.programPath.empty()) scope.system.ReportProgramPath(c.programPath);
        SCOPED_TRACE(std::to_string(c.installDir.size()) + " / " + std::to_string(c.programPath.size()));
        EXPECT_EQ(c.result, olvet::ResolvePaths(c.installDir.c_str()));
        EXPECT_EQ(c.error, g_state.lastError);
        EXPECT_LT(std::string(g_state.installDir).size(), size_t{MAX_PATH});
    }
}

TEST(ResolvePaths, RefusesADriverDirectoryTooLongForTheInstalledModulesPaths) {
    // driverDir + "\\3\\lyr_drv.dll" must fit: 14 characters after the directory.
    const std::string fits = "C:\\" + std::string(MAX_PATH - 1 - 14 - 3, 'd');
    const std::pair<std::string, int> cases[] = {{fits, 1}, {fits + "d", 0}};
    for (const auto& c : cases) {
        faults::ScopedFaults scope;
        scope.spooler.driverDirectory = c.first;
        SCOPED_TRACE(c.first.size());
        EXPECT_EQ(c.second, olvet::ResolvePaths("C:\\x"));
        EXPECT_EQ(c.second ? olvet::ErrNone : olvet::ErrUnsupportedSystem, g_state.lastError);
    }
}

TEST(ResolvePaths, FailsAsUnsupportedWhenASystemPathIsMissing) {
    struct Case {
        const char* failing;
        bool installDirWritten;
        bool sourceDirWritten;
    };
    const Case cases[] = {
        {"GetSystemDirectory", false, false},
        {"GetModuleFileName:program", true, false},
        {"GetPrinterDriverDirectory", true, true},
    };
    for (const Case& c : cases) {
        faults::ScopedFaults scope;
        scope.plan.Fail(c.failing);
        SCOPED_TRACE(c.failing);
        EXPECT_EQ(0, olvet::ResolvePaths(nullptr));
        EXPECT_EQ(olvet::ErrUnsupportedSystem, g_state.lastError);
        EXPECT_EQ(c.installDirWritten, g_state.installDir[0] != '\0');
        EXPECT_EQ(c.sourceDirWritten, g_state.sourceDir[0] != '\0');
    }
}

}  // namespace

namespace {

// Runs in a child process only, under the Windows version its parent chose.
TEST(ProbeOnWineChild, ReportsTheVersionDirectory) {
    const std::string expected = machine::ChildTag();
    if (expected.empty()) GTEST_SKIP() << "runs as a child of ProbeOnWine tests";
    faults::ScopedFaults scope;  // the real system's version
    const int probed = olvet::ProbeOperatingSystem();
    EXPECT_EQ(expected, probed ? std::to_string(g_state.driverVersionDir) : "unsupported");
}

TEST(ProbeOnWine, ReadsTheVersionWineReports) {
    if (!machine::ChildTag().empty()) GTEST_SKIP();
    const std::pair<const char*, const char*> cases[] = {
        {"win2k", "2"}, {"winxp", "3"}, {"winxp64", "unsupported"}, {"win7", "unsupported"}};
    for (const auto& c : cases) {
        EXPECT_EQ(0, machine::RunTestAsWindowsVersion(c.first, "ProbeOnWineChild.*", c.second)) << c.first;
    }
}

}  // namespace
