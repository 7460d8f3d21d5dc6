#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "fault_injection.h"
#include "machine.h"
#include "olvet_pdf_printer_installer.h"
#include "setup_state.h"

namespace {

using olvet::g_state;

class Milestones : public IProgressInfo {
public:
    int SetProgress(int percent, const char*) override {
        percents.push_back(percent);
        return 0;
    }
    std::vector<int> percents;
};

class SequenceTest : public ::testing::Test {
protected:
    void SetUp() override {
        machine::RemoveProductTraces();
        scope.system.ReportVersion(VER_PLATFORM_WIN32_NT, 5, 1);
    }
    void TearDown() override { machine::RemoveProductTraces(); }

    faults::ScopedFaults scope;
    const std::string installDir = "C:\\Olvet Seams\\Install";
};

TEST_F(SequenceTest, AFailedPortStepAnnouncesOnlyTheFirstMilestone) {
    scope.plan.Fail("XcvData:AddPort");
    Milestones progress;
    EXPECT_EQ(3, InstallOlvetPDFPrinter(&progress, installDir.c_str()));
    EXPECT_EQ(std::vector<int>{20}, progress.percents);
    EXPECT_EQ(0, scope.plan.Count("EnumPrinterDrivers"));
}

TEST_F(SequenceTest, AnUnsupportedSystemIsRefusedBeforeAnyMilestoneOrChange) {
    ASSERT_TRUE(machine::AddPort(machine::kPort));
    scope.system.ReportVersion(VER_PLATFORM_WIN32_NT, 6, 1);
    Milestones progress;
    EXPECT_EQ(2, InstallOlvetPDFPrinter(&progress, installDir.c_str()));
    EXPECT_EQ(2, UnInstallOlvetPDFPrinter(&progress));
    EXPECT_TRUE(progress.percents.empty());
    EXPECT_TRUE(machine::PortExists(machine::kPort));
    EXPECT_EQ(0, scope.plan.Count("XcvData"));
}

TEST_F(SequenceTest, ThePathResolutionFailsTheCallWithUnsupportedSystem) {
    scope.plan.Fail("GetPrinterDriverDirectory");
    Milestones progress;
    EXPECT_EQ(2, InstallOlvetPDFPrinter(&progress, installDir.c_str()));
    EXPECT_EQ(2, UnInstallOlvetPDFPrinter(nullptr));
    EXPECT_TRUE(progress.percents.empty());
}

TEST_F(SequenceTest, ACodeIsForgottenByTheNextCall) {
    scope.plan.Fail("XcvData:AddPort", 1);
    EXPECT_EQ(3, InstallOlvetPDFPrinter(nullptr, installDir.c_str()));
    EXPECT_EQ(0, UnInstallOlvetPDFPrinter(nullptr));
    EXPECT_EQ(olvet::ErrNone, g_state.lastError);
}

TEST_F(SequenceTest, UninstallForcesTheHighestStageAndReportsSuccessWhateverItMeets) {
    g_state.stage = olvet::StageNone;
    scope.plan.Fail("EnumPrinters:list");
    scope.plan.Fail("OpenKey");
    EXPECT_EQ(0, UnInstallOlvetPDFPrinter(nullptr));
    EXPECT_EQ(olvet::StagePrinterAdded, g_state.stage);
    EXPECT_EQ(1, scope.plan.Count("EnumPrinters:list"));
    EXPECT_EQ(2, scope.plan.Count("OpenKey"));  // both keys were tried
}

}  // namespace
