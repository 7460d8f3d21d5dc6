// The centring rule's arithmetic, case by case; the windows themselves are measured by the GUI tests.
#include "framework/centring.h"

#include <gtest/gtest.h>

namespace {

struct CentringCase {
    const char* name;
    SIZE window;
    RECT target;
    RECT area;
    POINT expected;
};

const RECT kScreen = {0, 0, 1024, 768};

// Expected corners worked out by hand from the rule: centre of the target minus half the size, each half
// truncated toward zero, then one correction per axis, the near edge tested first.
const CentringCase kCases[] = {
    {"centred in the work area", {502, 186}, kScreen, kScreen, {512 - 251, 384 - 93}},
    {"odd sizes lose their half pixel", {503, 187}, kScreen, kScreen, {512 - 251, 384 - 93}},
    {"centred over an owner", {512, 64}, {100, 200, 612, 392}, kScreen, {356 - 256, 296 - 32}},
    {"negative centres truncate toward zero",
     {101, 51},
     {-301, -101, 0, 0},
     {-1000, -1000, 1000, 1000},
     {-150 - 50, -50 - 25}},
    {"owner near the left and top edges", {400, 300}, {0, 0, 100, 100}, kScreen, {0, 0}},
    {"owner near the right and bottom edges", {400, 300}, {924, 668, 1024, 768}, kScreen, {1024 - 400, 768 - 300}},
    {"area with an offset", {200, 100}, {900, 20, 1000, 40}, {50, 30, 1050, 830}, {1050 - 200, 30}},
    {"wider and taller than the area: near edge only", {1200, 900}, kScreen, kScreen, {0, 0}},
    {"wider than the area, centred right of it: far edge only",
     {1200, 900},
     {1000, 700, 2000, 1700},
     kScreen,
     {1024 - 1200, 768 - 900}},
};

TEST(Centring, Rule) {
    for (const CentringCase& c : kCases) {
        const POINT origin = ui::CentredOrigin(c.window, c.target, c.area);
        EXPECT_EQ(origin.x, c.expected.x) << c.name;
        EXPECT_EQ(origin.y, c.expected.y) << c.name;
    }
}

}  // namespace
