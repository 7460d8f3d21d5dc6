#include <gtest/gtest.h>

#include <string>

#include "machine.h"
#include "olvet_pdf_printer_installer.h"
#include "progress_recorder.h"
#include "wine_fixture.h"
#include "windows_version.h"

namespace {

// Runs in the child only: the uninstall under the version the parent chose.
TEST(WindowsVersionChild, Uninstall) {
    const std::string expected = machine::ChildTag();
    if (expected.empty()) GTEST_SKIP() << "runs as a child of WindowsVersion tests";
    const int result = std::stoi(expected);
    progress::Recorder recorder;
    EXPECT_EQ(result, UnInstallOlvetPDFPrinter(&recorder));
    if (result != 0) {
        EXPECT_EQ(result, InstallOlvetPDFPrinter(&recorder, "C:\\Olvet Test\\Unsupported"));
    }
    EXPECT_TRUE(recorder.milestones.empty());
}

TEST_F(WineFixture, OnlyWindows2000AndXpAreServed) {
    if (!machine::ChildTag().empty()) GTEST_SKIP();
    struct Case {
        const char* version;
        int result;
    };
    for (const Case& c : {Case{"win2k", 0}, Case{"winxp", 0}, Case{"winxp64", 2}, Case{"win7", 2}}) {
        SCOPED_TRACE(c.version);
        ASSERT_TRUE(machine::AddPort(machine::kPort));
        ASSERT_TRUE(machine::CreateKey(HKEY_LOCAL_MACHINE, machine::kProductKey));
        EXPECT_EQ(0, machine::RunTestAsWindowsVersion(c.version, "WindowsVersionChild.Uninstall",
                                                      std::to_string(c.result)));
        // Refused before anything changed, or served completely.
        EXPECT_EQ(c.result != 0, machine::PortExists(machine::kPort));
        EXPECT_EQ(c.result != 0, machine::KeyExists(HKEY_LOCAL_MACHINE, machine::kProductKey));
        EXPECT_FALSE(machine::FileExists("C:\\Olvet Test\\Unsupported\\olvet_pdf_printer_installer.dll"));
    }
}

}  // namespace
