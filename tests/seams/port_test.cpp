#include <gtest/gtest.h>

#include "fault_injection.h"
#include "machine.h"
#include "port.h"
#include "setup_state.h"

namespace {

using olvet::g_state;

class PortTest : public ::testing::Test {
protected:
    void SetUp() override { machine::RemoveProductTraces(); }
    void TearDown() override {
        EXPECT_EQ(0u, scope.spooler.OpenHandles());
        EXPECT_EQ(0, scope.spooler.BadCloses());
        machine::RemoveProductTraces();
    }
    faults::ScopedFaults scope;
};

TEST_F(PortTest, AddsThePortThroughTheLocalPortMonitor) {
    ASSERT_FALSE(machine::PortExists(machine::kPort));
    EXPECT_EQ(1, olvet::AddPrinterPort());
    EXPECT_TRUE(machine::PortExists(machine::kPort));
    EXPECT_EQ(olvet::StagePortAdded, g_state.stage);
    // The name and its terminator in bytes: not the record's capacity, not the name alone.
    ASSERT_EQ(1u, scope.spooler.xcvInputSizes.size());
    EXPECT_EQ(22u, scope.spooler.xcvInputSizes[0]);
    EXPECT_EQ(L"OLVET_PDF:", scope.spooler.xcvInputs[0]);
    EXPECT_EQ(1, scope.plan.Count("OpenPrinter:,XcvMonitor Local Port"));
    EXPECT_EQ(1, scope.plan.Count("ClosePrinter"));
}

TEST_F(PortTest, APortThatIsAlreadyThereDoesNotStopTheStep) {
    ASSERT_TRUE(machine::AddPort(machine::kPort));
    EXPECT_EQ(1, olvet::AddPrinterPort());
    EXPECT_EQ(olvet::StagePortAdded, g_state.stage);
    EXPECT_TRUE(machine::PortExists(machine::kPort));
}

TEST_F(PortTest, FailuresRecordErrAddPortAndLeaveTheStage) {
    struct Case {
        const char* failing;
        int closes;  // every handle opened is closed exactly once
    };
    const Case cases[] = {
        {"OpenPrinter:,XcvMonitor Local Port", 0},
        {"XcvData:AddPort", 1},
    };
    for (const Case& c : cases) {
        faults::ScopedFaults inner;
        inner.plan.Fail(c.failing);
        g_state.stage = olvet::StageNone;
        SCOPED_TRACE(c.failing);
        EXPECT_EQ(0, olvet::AddPrinterPort());
        EXPECT_EQ(olvet::ErrAddPort, g_state.lastError);
        EXPECT_EQ(olvet::StageNone, g_state.stage);
        EXPECT_EQ(c.closes, inner.plan.Count("ClosePrinter"));
        EXPECT_EQ(0u, inner.spooler.OpenHandles());
        EXPECT_EQ(0, inner.spooler.BadCloses());
        EXPECT_FALSE(machine::PortExists(machine::kPort));
    }
}

TEST_F(PortTest, DeletingThePortTouchesNeitherStageNorError) {
    ASSERT_TRUE(machine::AddPort(machine::kPort));
    g_state.stage = olvet::StageDriverAdded;
    g_state.lastError = olvet::ErrAddPrinter;
    EXPECT_EQ(1, olvet::DeletePrinterPort());
    EXPECT_FALSE(machine::PortExists(machine::kPort));
    // A port that is not there: the monitor accepts the command and reports the status, which is not examined.
    EXPECT_EQ(1, olvet::DeletePrinterPort());
    EXPECT_EQ(olvet::StageDriverAdded, g_state.stage);
    EXPECT_EQ(olvet::ErrAddPrinter, g_state.lastError);
    EXPECT_EQ(2, scope.plan.Count("ClosePrinter"));

    for (const char* failing : {"OpenPrinter:,XcvMonitor Local Port", "XcvData:DeletePort"}) {
        faults::ScopedFaults inner;
        ASSERT_TRUE(machine::AddPort(machine::kPort));
        inner.plan.Fail(failing);
        EXPECT_EQ(0, olvet::DeletePrinterPort()) << failing;
        EXPECT_TRUE(machine::PortExists(machine::kPort)) << failing;
        EXPECT_EQ(0u, inner.spooler.OpenHandles());
    }
}

}  // namespace
