#include <gtest/gtest.h>

#include "wizard_binary.h"

std::string g_wizardPath;

int main(int argc, char** argv) {
    testing::InitGoogleTest(&argc, argv);
    if (argc > 1) g_wizardPath = argv[1];
    return RUN_ALL_TESTS();
}
