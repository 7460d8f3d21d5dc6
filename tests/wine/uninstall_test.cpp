#include <gtest/gtest.h>

#include "machine.h"
#include "olvet_pdf_printer_installer.h"
#include "progress_recorder.h"
#include "wine_fixture.h"

namespace {

TEST_F(WineFixture, UninstallOnAMachineWithNothingInstalledSucceedsQuietly) {
    progress::Recorder recorder;
    EXPECT_EQ(0, UnInstallOlvetPDFPrinter(&recorder));
    EXPECT_EQ(0, UnInstallOlvetPDFPrinter(&recorder));
    EXPECT_TRUE(recorder.milestones.empty());
    ExpectNothingInstalled();
}

TEST_F(WineFixture, UninstallTakesEverythingButTheInstallDirectoryAndTheMakerKey) {
    ASSERT_EQ(0, InstallOlvetPDFPrinter(nullptr, installDir.c_str()));
    // A second printer that someone bound to the port goes too.
    ASSERT_TRUE(machine::AddPrinter("Another Printer On The Port", machine::kPort, machine::kDriver));
    ASSERT_TRUE(machine::CreateKey(HKEY_LOCAL_MACHINE, (std::string(machine::kProductKey) + "\\a\\b\\c").c_str()));
    ASSERT_TRUE(machine::CreateKey(HKEY_LOCAL_MACHINE, (std::string(machine::kUninstallKey) + "\\x\\y").c_str()));

    progress::Recorder recorder;
    EXPECT_EQ(0, UnInstallOlvetPDFPrinter(&recorder));
    EXPECT_TRUE(recorder.milestones.empty());
    ExpectNothingInstalled();
    EXPECT_FALSE(machine::PrinterExists("Another Printer On The Port"));
    EXPECT_TRUE(machine::KeyExists(HKEY_LOCAL_MACHINE, machine::kMakerKey));
    ExpectInstallDirectory(installDir);
}

}  // namespace
