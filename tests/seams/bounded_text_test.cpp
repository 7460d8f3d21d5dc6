#include <gtest/gtest.h>

#include <windows.h>

#include "bounded_text.h"

namespace {

TEST(BoundedText, ComposesWhatFitsAndRefusesWhatDoesNot) {
    char small[12];
    EXPECT_TRUE(olvet::ComposePath(small, "C:\\a", "b.txt"));
    EXPECT_STREQ("C:\\a\\b.txt", small);
    // Eleven characters and the terminator fill the buffer exactly; one more is refused, not cut.
    EXPECT_TRUE(olvet::ComposePath(small, "C:\\ab", "c.txt"));
    EXPECT_FALSE(olvet::ComposePath(small, "C:\\abc", "d.txt"));
    EXPECT_STREQ("", small);
}

TEST(BoundedText, ComposesVersionedPaths) {
    char path[MAX_PATH];
    EXPECT_TRUE(olvet::ComposeVersionedPath(path, "C:\\drivers\\w32x86", 3, "lyr_ui.dll"));
    EXPECT_STREQ("C:\\drivers\\w32x86\\3\\lyr_ui.dll", path);
    EXPECT_TRUE(olvet::ComposeVersionedPath(path, "D:", -12, "x"));
    EXPECT_STREQ("D:\\-12\\x", path);
}

TEST(BoundedText, ComparesWholeTexts) {
    EXPECT_TRUE(olvet::SameText("OLVET_PDF:", "OLVET_PDF:"));
    EXPECT_FALSE(olvet::SameText("OLVET_PDF:", "OLVET_PDF:,LPT1:"));
    EXPECT_FALSE(olvet::SameText("OLVET_PDF:", "olvet_pdf:"));
    // A shorter text ends the comparison at its terminator, never reading past it.
    EXPECT_FALSE(olvet::SameText("OLVET", "OLVET_PDF:"));
    EXPECT_FALSE(olvet::SameText("", "O"));
}

}  // namespace
