// The words a failed removal is reported with, and the codes that are reported by nothing.
#include "result_messages.h"

#include <gtest/gtest.h>

namespace {

TEST(ResultMessages, EveryLibraryFailureHasItsText) {
    const struct {
        int code;
        const char* text;
    } kTexts[] = {
        {2, "Current OS doesn't support!"}, {3, "Add port failed!"},         {4, "Add driver failed!"},
        {5, "Add printer failed!"},         {6, "Create directory failed!"}, {7, "Copy file failed!"},
        {8, "Register Updating failed!"},
    };
    for (const auto& row : kTexts) {
        ASSERT_NE(wizard::ResultMessage(row.code), nullptr) << row.code;
        EXPECT_STREQ(wizard::ResultMessage(row.code), row.text) << row.code;
    }
    EXPECT_STREQ(wizard::kErrorCaption, "Error");
}

TEST(ResultMessages, SuccessAndUnknownCodesHaveNone) {
    for (int code : {0, 1, 9, -1, 100, 0x7FFFFFFF}) EXPECT_EQ(wizard::ResultMessage(code), nullptr) << code;
}

}  // namespace
