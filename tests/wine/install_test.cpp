#include <gtest/gtest.h>

#include <string>

#include "machine.h"
#include "olvet_pdf_printer_installer.h"
#include "progress_recorder.h"
#include "wine_fixture.h"

namespace {

using machine::kPort;
using machine::kPrinter;

TEST_F(WineFixture, ACompleteInstallPutsEverythingWhereWindowsKeepsIt) {
    progress::Recorder recorder;
    bool portBeforeDriverStep = false;
    recorder.onMilestone = [&](int percent) {
        if (percent == 40) portBeforeDriverStep = machine::PortExists(kPort);
    };
    ASSERT_EQ(0, InstallOlvetPDFPrinter(&recorder, installDir.c_str()));

    EXPECT_EQ(progress::CompleteInstall(), recorder.milestones);
    EXPECT_EQ(std::vector<const progress::Recorder*>(5, &recorder), recorder.receivers);
    EXPECT_EQ(std::vector<int>(5, 0x51DE), recorder.windowTags);
    EXPECT_TRUE(portBeforeDriverStep);

    const machine::Printer printer = machine::FindPrinter(kPrinter);
    EXPECT_EQ(kPort, printer.port);
    EXPECT_EQ(machine::kDriver, printer.driver);
    EXPECT_TRUE(machine::DriverRegistered(machine::kDriver));
    ExpectStagedModules(true);
    ExpectInstallDirectory(installDir);
    ExpectRegistryEntries(installDir);
}

TEST_F(WineFixture, WithoutAProgressObjectTheInstallDoesTheSameWork) {
    ASSERT_EQ(0, InstallOlvetPDFPrinter(nullptr, installDir.c_str()));
    EXPECT_EQ(kPort, machine::FindPrinter(kPrinter).port);
    ExpectInstallDirectory(installDir);
    ExpectRegistryEntries(installDir);
}

TEST_F(WineFixture, TheDefaultDirectoryIsCreatedWithItsMakerFolder) {
    const std::string directory = DefaultInstallDirectory();
    RemoveDirectoryTree(directory.substr(0, directory.find_last_of('\\')));
    ASSERT_EQ(0, InstallOlvetPDFPrinter(nullptr, nullptr));
    ExpectInstallDirectory(directory);
    ExpectRegistryEntries(directory);
    RemoveDirectoryTree(directory.substr(0, directory.find_last_of('\\')));
}

TEST_F(WineFixture, ARegisteredDriverAndAnExistingPrinterAreTakenAsTheyAre) {
    ASSERT_TRUE(machine::AddDriver(machine::kDriver));
    ASSERT_TRUE(machine::AddPrinter(kPrinter, "LPT1:", machine::kDriver));
    ASSERT_EQ(0, InstallOlvetPDFPrinter(nullptr, installDir.c_str()));
    // Nothing was staged for a driver that was already there, and the printer keeps its port.
    ExpectStagedModules(false);
    EXPECT_EQ("LPT1:", machine::FindPrinter(kPrinter).port);
    EXPECT_TRUE(machine::PortExists(kPort));
    ExpectRegistryEntries(installDir);
}

TEST_F(WineFixture, InstallsIntoADirectoryWithSpaces) {
    const std::string spaced = installDir + "\\With Spaces\\PDF Creator\\";
    ASSERT_EQ(0, InstallOlvetPDFPrinter(nullptr, spaced.c_str()));
    const std::string trimmed = spaced.substr(0, spaced.size() - 1);
    ExpectInstallDirectory(trimmed);
    ExpectRegistryEntries(trimmed);
}

TEST_F(WineFixture, InstallsTwiceAndAgainAfterAnUninstall) {
    ASSERT_EQ(0, InstallOlvetPDFPrinter(nullptr, installDir.c_str()));
    ASSERT_EQ(0, InstallOlvetPDFPrinter(nullptr, installDir.c_str()));
    EXPECT_EQ(1u, CountPrintersOnPort());
    ExpectRegistryEntries(installDir);

    ASSERT_EQ(0, UnInstallOlvetPDFPrinter(nullptr));
    EXPECT_FALSE(machine::PrinterExists(kPrinter));
    ASSERT_EQ(0, InstallOlvetPDFPrinter(nullptr, installDir.c_str()));
    EXPECT_EQ(kPort, machine::FindPrinter(kPrinter).port);
    ExpectInstallDirectory(installDir);
    ExpectRegistryEntries(installDir);
}

TEST_F(WineFixture, AFailedCallIsForgottenByTheNextOne) {
    // A parent that does not exist as a directory: a file stands in its way.
    const std::string blocker = installDir + "\\file";
    CreateDirectoryA("C:\\Olvet Test", nullptr);
    CreateDirectoryA(installDir.c_str(), nullptr);
    FILE* file = std::fopen(blocker.c_str(), "wb");
    ASSERT_NE(nullptr, file);
    std::fclose(file);
    progress::Recorder recorder;
    EXPECT_EQ(OLVET_SETUP_CREATE_DIRECTORY_FAILED, InstallOlvetPDFPrinter(&recorder, (blocker + "\\sub").c_str()));
    EXPECT_EQ(4u, recorder.milestones.size());
    // No rollback after the install directory step: the printer stays usable.
    EXPECT_TRUE(machine::PrinterExists(kPrinter));
    EXPECT_FALSE(machine::KeyExists(HKEY_LOCAL_MACHINE, machine::kUninstallKey));

    EXPECT_EQ(0, InstallOlvetPDFPrinter(nullptr, installDir.c_str()));
}

}  // namespace
