#include <gtest/gtest.h>

#include "olvet_pdf_printer_installer.h"
#include "progress_recorder.h"

namespace {

TEST(ProgressObjects, CopiesReachTheirOwnSetProgressAndAssignmentKeepsTheTable) {
    progress::Recorder first;
    progress::Recorder second(first);
    IProgressInfo& secondPart = second;
    secondPart.SetProgress(40, "copied");
    EXPECT_TRUE(first.milestones.empty());
    ASSERT_EQ(1u, second.receivers.size());
    EXPECT_EQ(&second, second.receivers[0]);

    IProgressInfo& firstPart = first;
    firstPart = secondPart;  // copies nothing: the target keeps calling its own object
    firstPart.SetProgress(60, "assigned");
    ASSERT_EQ(1u, first.receivers.size());
    EXPECT_EQ(&first, first.receivers[0]);
    EXPECT_EQ(1u, second.milestones.size());
}

}  // namespace
