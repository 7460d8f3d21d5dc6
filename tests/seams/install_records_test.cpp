#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

#include "fault_injection.h"
#include "machine.h"
#include "olvet_pdf_printer_installer.h"

namespace {

const char kInstallDir[] = "C:\\Olvet Seams\\Records";

class InstallRecordsTest : public ::testing::Test {
protected:
    void SetUp() override {
        machine::RemoveProductTraces();
        machine::DeleteDriver(kSimilarDriver);
        scope.system.ReportVersion(VER_PLATFORM_WIN32_NT, 5, 1);
    }
    void TearDown() override {
        machine::RemoveProductTraces();
        machine::DeleteDriver(kSimilarDriver);
        for (const char* file : {"olvet_pdf_printer_installer.dll", "Olvet_PDF_Creator_UnInstaller_Win.exe"}) {
            DeleteFileA((std::string(kInstallDir) + "\\" + file).c_str());
        }
        RemoveDirectoryA(kInstallDir);
        RemoveDirectoryA("C:\\Olvet Seams");
    }

    static constexpr const char* kSimilarDriver = "Olvet PDF Printer Driver (old)";
    faults::ScopedFaults scope;
};

TEST_F(InstallRecordsTest, TheSpoolerGetsBareModuleNamesAndAPlainLocalPrinter) {
    // A driver whose name only begins like ours is someone else's.
    ASSERT_TRUE(machine::AddDriver(kSimilarDriver));
    // Left by an earlier run: overwritten, and the data file cut to nothing.
    const std::string staged = machine::DriverDirectory() + "\\lyr_gpd.txt";
    FILE* data = std::fopen(staged.c_str(), "wb");
    ASSERT_NE(nullptr, data);
    std::fputs("left over", data);
    std::fclose(data);

    ASSERT_EQ(0, InstallOlvetPDFPrinter(nullptr, kInstallDir));

    const std::vector<std::string> driver = {"Olvet PDF Printer Driver", machine::kEnvironment, "lyr_drv.dll",
                                             "lyr_gpd.txt", "lyr_ui.dll", "", "", "<null>", ""};
    EXPECT_EQ(driver, scope.spooler.driverRecord);
    EXPECT_EQ(3u, scope.spooler.driverVersion);
    EXPECT_EQ(DWORD{APD_COPY_ALL_FILES}, scope.spooler.driverFlags);

    const std::vector<std::string> printer = {"Olvet PDF Printer", "OLVET_PDF:", "Olvet PDF Printer Driver",
                                              "WinPrint", "RAW"};
    EXPECT_EQ(printer, scope.spooler.printerRecord);
    EXPECT_EQ(DWORD{PRINTER_ATTRIBUTE_LOCAL}, scope.spooler.printerAttributes);
    EXPECT_TRUE(scope.spooler.printerRecordOtherFieldsZero);

    WIN32_FILE_ATTRIBUTE_DATA attributes;
    ASSERT_TRUE(GetFileAttributesExA(staged.c_str(), GetFileExInfoStandard, &attributes));
    EXPECT_EQ(0u, attributes.nFileSizeLow);
    EXPECT_TRUE(machine::DriverRegistered(kSimilarDriver));
}

TEST_F(InstallRecordsTest, AFileInThePlaceOfTheInstallDirectoryFailsTheFirstCopy) {
    CreateDirectoryA("C:\\Olvet Seams", nullptr);
    FILE* file = std::fopen(kInstallDir, "wb");
    ASSERT_NE(nullptr, file);
    std::fclose(file);
    EXPECT_EQ(OLVET_SETUP_COPY_FILE_FAILED, InstallOlvetPDFPrinter(nullptr, kInstallDir));
    EXPECT_EQ(1, scope.plan.Count("CopyFile:olvet_pdf_printer_installer.dll"));
    EXPECT_EQ(0, scope.plan.Count("CopyFile:Olvet_PDF_Creator_UnInstaller_Win.exe"));
    EXPECT_TRUE(machine::PrinterExists(machine::kPrinter));  // no rollback after the printer step
    DeleteFileA(kInstallDir);
}

TEST_F(InstallRecordsTest, AnEmptyInstallDirectoryTextIsNoDirectory) {
    // Only a null pointer selects the default; an empty text names nothing to create.
    EXPECT_EQ(OLVET_SETUP_CREATE_DIRECTORY_FAILED, InstallOlvetPDFPrinter(nullptr, ""));
    EXPECT_EQ(0, scope.plan.Count("CreateDirectory"));
    EXPECT_EQ(0, scope.plan.Count("CopyFile:olvet_pdf_printer_installer.dll"));
}

}  // namespace
