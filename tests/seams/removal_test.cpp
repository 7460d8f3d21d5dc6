#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "environment.h"
#include "fault_injection.h"
#include "machine.h"
#include "removal.h"
#include "setup_state.h"

namespace {

using olvet::g_state;

const char* const kStagedFiles[] = {"lyr_gpd.txt", "lyr_ui.dll", "lyr_drv.dll"};

class RemovalTest : public ::testing::Test {
protected:
    void SetUp() override {
        machine::RemoveProductTraces();
        scope.system.ReportVersion(VER_PLATFORM_WIN32_NT, 5, 1);
        ASSERT_EQ(1, olvet::ProbeOperatingSystem());
        ASSERT_EQ(1, olvet::ResolvePaths(nullptr));
        directory = g_state.driverDir;
    }
    void TearDown() override {
        EXPECT_EQ(0u, scope.spooler.OpenHandles());
        EXPECT_EQ(0, scope.spooler.BadCloses());
        EXPECT_EQ(0u, scope.registry.OpenKeys());
        machine::RemoveProductTraces();
    }

    void StageFiles() {
        for (const char* file : kStagedFiles) {
            std::string path = directory + "\\" + file;
            if (FILE* staged = std::fopen(path.c_str(), "wb")) std::fclose(staged);
            ASSERT_TRUE(machine::FileExists(path));
        }
    }
    bool Staged(const char* file) { return machine::FileExists(directory + "\\" + file); }

    // A driver, the port and printers bound to it, as a complete install leaves them.
    void InstallPrinters(const std::vector<std::pair<const char*, const char*>>& printers) {
        ASSERT_TRUE(machine::AddPort(machine::kPort));
        ASSERT_TRUE(machine::AddDriver(machine::kDriver));
        for (const auto& printer : printers) {
            ASSERT_TRUE(machine::AddPrinter(printer.first, printer.second, machine::kDriver)) << printer.first;
        }
    }

    // The removal's actions in order, with the driver directory written as "D".
    std::vector<std::string> Actions() {
        std::vector<std::string> actions;
        for (std::string call : scope.plan.Calls()) {
            if (call.rfind("DeleteFile:", 0) == 0) {
                size_t at = call.find(directory);
                if (at != std::string::npos) call.replace(at, directory.size(), "D");
            }
            for (const char* kept : {"EnumPrinters:list", "DeletePrinter", "DeleteFile", "XcvData"}) {
                if (call.rfind(kept, 0) == 0) actions.push_back(call);
            }
        }
        return actions;
    }

    faults::ScopedFaults scope;
    std::string directory;
};

TEST_F(RemovalTest, TheStagePicksWhereTheCascadeStarts) {
    const std::vector<std::string> all = {
        "EnumPrinters:list",       "DeletePrinterDriverEx:Olvet PDF Printer Driver",
        "DeleteFile:D\\3\\lyr_gpd.txt", "DeleteFile:D\\3\\lyr_ui.dll",
        "DeleteFile:D\\3\\lyr_drv.dll", "DeleteFile:D\\lyr_gpd.txt",
        "DeleteFile:D\\lyr_ui.dll",     "DeleteFile:D\\lyr_drv.dll",
        "XcvData:DeletePort"};
    struct Case {
        LONG stage;
        size_t skipped;  // leading actions of the full cascade that this stage does not undo
        int stagedLeft;  // staged files that stay, counted from "lyr_gpd.txt"
    };
    const Case cases[] = {
        {olvet::StagePrinterAdded, 0, 0},     {olvet::StageDriverAdded, 1, 0}, {olvet::StageDataFileCreated, 5, 0},
        {olvet::StageUiFileCopied, 6, 1},     {olvet::StageDriverFileCopied, 7, 2},
        {olvet::StagePortAdded, 8, 3},        {olvet::StageNone, 9, 3},        {7, 9, 3},
        {-1, 9, 3},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE("stage " + std::to_string(c.stage));
        StageFiles();
        ASSERT_TRUE(machine::AddPort(machine::kPort));
        scope.plan = faults::FaultPlan();
        scope.plan.Fail("DeletePrinterDriverEx");  // as Wine does; the fallback shows in the actions
        g_state.stage = static_cast<olvet::InstallStage>(c.stage);

        EXPECT_EQ(1, olvet::RemoveByStage());
        EXPECT_EQ(std::vector<std::string>(all.begin() + c.skipped, all.end()), Actions());
        EXPECT_EQ(c.stage, g_state.stage);
        for (int i = 0; i < 3; ++i) EXPECT_EQ(i < c.stagedLeft, Staged(kStagedFiles[i])) << kStagedFiles[i];
        EXPECT_EQ(c.skipped == all.size(), machine::PortExists(machine::kPort));
        machine::RemoveProductTraces();
    }
}

TEST_F(RemovalTest, DeletesEveryPrinterOnThePortAloneBeforeTheDriver) {
    InstallPrinters({{"Olvet PDF Printer", "OLVET_PDF:"},
                     {"Someone Else's Name", "OLVET_PDF:"},
                     {"Two Ports", "OLVET_PDF:,LPT1:"},
                     {"Lower Case Port", "olvet_pdf:"}});
    g_state.stage = olvet::StagePrinterAdded;

    EXPECT_EQ(1, olvet::RemoveByStage());
    EXPECT_FALSE(machine::PrinterExists("Olvet PDF Printer"));
    EXPECT_FALSE(machine::PrinterExists("Someone Else's Name"));
    EXPECT_TRUE(machine::PrinterExists("Two Ports"));
    EXPECT_TRUE(machine::PrinterExists("Lower Case Port"));
    EXPECT_FALSE(machine::PortExists(machine::kPort));
    const std::vector<std::string> actions = Actions();
    ASSERT_GE(actions.size(), 4u);
    EXPECT_EQ("DeletePrinter", actions[1]);
    EXPECT_EQ("DeletePrinter", actions[2]);
    EXPECT_EQ("DeletePrinterDriverEx:Olvet PDF Printer Driver", actions[3]);
    EXPECT_EQ(DWORD{DPD_DELETE_ALL_FILES}, scope.spooler.deleteDriverFlags);
}

TEST_F(RemovalTest, APrinterThatCannotGoStopsTheRemovalBeforeTheDriver) {
    const char* const failures[] = {"EnumPrinters:list", "Allocate", "OpenPrinter:Olvet PDF Printer",
                                    "DeletePrinter"};
    for (const char* failing : failures) {
        SCOPED_TRACE(failing);
        InstallPrinters({{"Olvet PDF Printer", "OLVET_PDF:"}});
        StageFiles();
        scope.plan = faults::FaultPlan();
        scope.plan.Fail(failing);
        g_state.stage = olvet::StagePrinterAdded;

        EXPECT_EQ(0, olvet::RemoveByStage());
        EXPECT_EQ(0, scope.plan.Count("DeletePrinterDriverEx"));
        EXPECT_EQ(0, scope.plan.Count("DeleteFile"));
        EXPECT_TRUE(machine::PrinterExists("Olvet PDF Printer"));
        EXPECT_TRUE(machine::DriverRegistered(machine::kDriver));
        for (const char* file : kStagedFiles) EXPECT_TRUE(Staged(file)) << file;
        EXPECT_TRUE(machine::PortExists(machine::kPort));
        EXPECT_EQ(0u, scope.spooler.OpenHandles());
        EXPECT_EQ(0, scope.memory.Outstanding());
        machine::RemoveProductTraces();
    }
}

TEST_F(RemovalTest, ThePortDeletionDecidesTheResult) {
    for (const char* failing : {"OpenPrinter:,XcvMonitor Local Port", "XcvData:DeletePort"}) {
        SCOPED_TRACE(failing);
        StageFiles();
        ASSERT_TRUE(machine::AddPort(machine::kPort));
        scope.plan = faults::FaultPlan();
        scope.plan.Fail(failing);
        g_state.stage = olvet::StageDriverAdded;  // the driver is not there: its deletion fails quietly
        EXPECT_EQ(0, olvet::RemoveByStage());
        for (const char* file : kStagedFiles) EXPECT_FALSE(Staged(file)) << file;
        EXPECT_TRUE(machine::PortExists(machine::kPort));
        machine::RemoveProductTraces();
    }
}

TEST_F(RemovalTest, ARefusedDriverDeletionFallsBackToTheInstalledCopies) {
    InstallPrinters({});
    const std::string installed = directory + "\\3\\";
    ASSERT_TRUE(machine::FileExists(installed + "lyr_drv.dll"));
    scope.plan.Fail("DeletePrinterDriverEx");
    g_state.stage = olvet::StageDriverAdded;
    EXPECT_EQ(1, olvet::RemoveByStage());
    const std::vector<std::string> expected = {
        "DeletePrinterDriverEx:Olvet PDF Printer Driver", "DeleteFile:D\\3\\lyr_gpd.txt", "DeleteFile:D\\3\\lyr_ui.dll", "DeleteFile:D\\3\\lyr_drv.dll"};
    const std::vector<std::string> actions = Actions();
    ASSERT_GE(actions.size(), expected.size());
    EXPECT_EQ(expected, std::vector<std::string>(actions.begin(), actions.begin() + 4));
    // Wine keeps the configuration module mapped in every process that once
    // added a printer with it, as earlier tests of this program did, and a
    // mapped file cannot be deleted; the snapshot test sees it go when the
    // uninstall runs in a process of its own.
    for (const char* file : {"lyr_gpd.txt", "lyr_drv.dll"}) EXPECT_FALSE(machine::FileExists(installed + file)) << file;
    EXPECT_FALSE(machine::PortExists(machine::kPort));
}

TEST_F(RemovalTest, OnWindows2000TheInstalledCopiesLieInVersionDirectoryTwo) {
    scope.system.ReportVersion(VER_PLATFORM_WIN32_NT, 5, 0);
    ASSERT_EQ(1, olvet::ProbeOperatingSystem());
    scope.plan.Fail("DeletePrinterDriverEx");
    g_state.stage = olvet::StageDriverAdded;
    olvet::RemoveByStage();
    EXPECT_EQ(1, scope.plan.Count("DeleteFile:" + directory + "\\2\\lyr_drv.dll"));
    EXPECT_EQ(0, scope.plan.Count("DeleteFile:" + directory + "\\3\\lyr_drv.dll"));
}

class RegistryRemovalTest : public RemovalTest {
protected:
    void SetUp() override {
        RemovalTest::SetUp();
        for (const char* path : {"\\a\\b\\c", "\\a\\d", "\\e"}) {
            ASSERT_TRUE(machine::CreateKey(HKEY_LOCAL_MACHINE, (std::string(machine::kProductKey) + path).c_str()));
            ASSERT_TRUE(machine::CreateKey(HKEY_LOCAL_MACHINE, (std::string(machine::kUninstallKey) + path).c_str()));
        }
        ASSERT_TRUE(machine::CreateKey(HKEY_LOCAL_MACHINE, "Software\\Olvet Software\\Other Product"));
        ASSERT_TRUE(
            machine::CreateKey(HKEY_LOCAL_MACHINE, (std::string(machine::kUninstallKey) + "\\a\\locked\\c").c_str()));
    }
};

TEST_F(RegistryRemovalTest, DeletesBothProductKeysCompletelyAndKeepsTheMakerKey) {
    EXPECT_EQ(ERROR_SUCCESS, olvet::DeleteRegistryTree(HKEY_LOCAL_MACHINE, machine::kProductKey));
    EXPECT_FALSE(machine::KeyExists(HKEY_LOCAL_MACHINE, machine::kProductKey));
    EXPECT_EQ(1, olvet::RemoveProductKeys());
    EXPECT_FALSE(machine::KeyExists(HKEY_LOCAL_MACHINE, machine::kUninstallKey));
    EXPECT_TRUE(machine::KeyExists(HKEY_LOCAL_MACHINE, machine::kMakerKey));
    EXPECT_TRUE(machine::KeyExists(HKEY_LOCAL_MACHINE, "Software\\Olvet Software\\Other Product"));
    // A key that is not there reports the registry's status.
    EXPECT_EQ(ERROR_FILE_NOT_FOUND, olvet::DeleteRegistryTree(HKEY_LOCAL_MACHINE, machine::kProductKey));
}

TEST_F(RegistryRemovalTest, AFailureDeepDownKeepsEveryKeyAboveItAndTheOtherKeyStillGoes) {
    for (const char* failing : {"OpenKey:locked", "DeleteKey:locked"}) {
        SCOPED_TRACE(failing);
        scope.plan = faults::FaultPlan();
        scope.plan.Fail(failing);
        EXPECT_EQ(ERROR_ACCESS_DENIED, olvet::DeleteRegistryTree(HKEY_LOCAL_MACHINE, machine::kUninstallKey));
        EXPECT_TRUE(machine::KeyExists(HKEY_LOCAL_MACHINE, (std::string(machine::kUninstallKey) + "\\a\\locked").c_str()));
        EXPECT_TRUE(machine::KeyExists(HKEY_LOCAL_MACHINE, machine::kUninstallKey));

        EXPECT_EQ(1, olvet::RemoveProductKeys());
        EXPECT_TRUE(machine::KeyExists(HKEY_LOCAL_MACHINE, machine::kUninstallKey));
        EXPECT_FALSE(machine::KeyExists(HKEY_LOCAL_MACHINE, machine::kProductKey));
        EXPECT_EQ(0u, scope.registry.OpenKeys());
        ASSERT_TRUE(machine::CreateKey(HKEY_LOCAL_MACHINE, (std::string(machine::kProductKey) + "\\x").c_str()));
    }
}

}  // namespace
