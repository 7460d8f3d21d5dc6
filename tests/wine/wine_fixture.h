// Every test starts and ends on a machine without any trace of the product.
#pragma once

#include <gtest/gtest.h>

#include <string>

class WineFixture : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    void ExpectStagedModules(bool present);
    void ExpectInstallDirectory(const std::string& directory);
    void ExpectRegistryEntries(const std::string& directory);
    void ExpectNothingInstalled();

    const std::string installDir = "C:\\Olvet Test\\Install";
};

std::string DefaultInstallDirectory();
void RemoveDirectoryTree(const std::string& directory);
size_t CountPrintersOnPort();
