#include <gtest/gtest.h>

#include <string>

#include "fault_injection.h"
#include "machine.h"
#include "olvet_pdf_printer_installer.h"
#include "setup_state.h"

namespace {

const char kInstallDir[] = "C:\\Olvet Seams\\Install";
const char kUninstallerFile[] = "Olvet_PDF_Creator_UnInstaller_Win.exe";
const char kLibraryFile[] = "olvet_pdf_printer_installer.dll";

// What an install can leave on the machine.
struct Traces {
    bool port, printer, driverAdded, staged, installDir, libraryCopy, uninstallerCopy, uninstallKey, productKey;

    bool operator==(const Traces& o) const {
        return port == o.port && printer == o.printer && driverAdded == o.driverAdded && staged == o.staged &&
               installDir == o.installDir && libraryCopy == o.libraryCopy && uninstallerCopy == o.uninstallerCopy &&
               uninstallKey == o.uninstallKey && productKey == o.productKey;
    }
};

std::ostream& operator<<(std::ostream& out, const Traces& t) {
    return out << "port " << t.port << ", printer " << t.printer << ", driver added " << t.driverAdded
               << ", staged modules " << t.staged << ", install dir " << t.installDir << ", library copy "
               << t.libraryCopy << ", uninstaller copy " << t.uninstallerCopy << ", uninstall key " << t.uninstallKey
               << ", product key " << t.productKey;
}

Traces ReadTraces(const faults::FaultPlan& plan) {
    const std::string driverDir = machine::DriverDirectory();
    const std::string dir = kInstallDir;
    bool staged = false;
    for (const char* file : {"lyr_drv.dll", "lyr_ui.dll", "lyr_gpd.txt"}) {
        staged = staged || machine::FileExists(driverDir + "\\" + file);
    }
    // Wine keeps a driver's registration when asked to delete it with its
    // files; an attempted deletion after a successful add is what counts here.
    const bool driverAdded = plan.Count("AddPrinterDriverEx") > 0 && machine::DriverRegistered(machine::kDriver) &&
                             plan.Count("DeletePrinterDriverEx") == 0;
    return {machine::PortExists(machine::kPort),
            machine::PrinterExists(machine::kPrinter),
            driverAdded,
            staged,
            machine::DirectoryExists(dir),
            machine::FileExists(dir + "\\" + kLibraryFile),
            machine::FileExists(dir + "\\" + kUninstallerFile),
            machine::KeyExists(HKEY_LOCAL_MACHINE, machine::kUninstallKey),
            machine::KeyExists(HKEY_LOCAL_MACHINE, machine::kProductKey)};
}

void RemoveInstallDirectory() {
    for (const char* file : {kLibraryFile, kUninstallerFile}) DeleteFileA((std::string(kInstallDir) + "\\" + file).c_str());
    RemoveDirectoryA(kInstallDir);
    RemoveDirectoryA("C:\\Olvet Seams");
}

struct FailurePoint {
    std::string failing;  // the call that fails, as the fault plan names it
    int result;
    Traces left;
    bool readOnlyModules = false;  // modules shipped read-only, as from a CD
};

void MarkModulesReadOnly(bool readOnly) {
    for (const char* file : {"lyr_drv.dll", "lyr_ui.dll"}) {
        const std::string path = machine::ProgramDirectory() + "\\" + file;
        SetFileAttributesA(path.c_str(), readOnly ? FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_ARCHIVE
                                                  : FILE_ATTRIBUTE_ARCHIVE);
    }
}

constexpr Traces kNothing = {};
constexpr Traces kSpoolerDone = {true, true, true, true, false, false, false, false, false};

TEST(InstallFailurePoints, EachCallThatFailsLeavesWhatItsStepPromises) {
    const std::string uninstallKey = machine::kUninstallKey;
    const std::string productKey = machine::kProductKey;
    Traces directoryOnly = kSpoolerDone;
    directoryOnly.installDir = true;
    Traces libraryCopied = directoryOnly;
    libraryCopied.libraryCopy = true;
    Traces bothCopied = libraryCopied;
    bothCopied.uninstallerCopy = true;
    Traces uninstallKeyOnly = bothCopied;
    uninstallKeyOnly.uninstallKey = true;
    Traces bothKeys = uninstallKeyOnly;
    bothKeys.productKey = true;

    const FailurePoint points[] = {
        // The port: nothing made, nothing to undo.
        {"OpenPrinter:,XcvMonitor Local Port", 3, kNothing},
        {"XcvData:AddPort", 3, kNothing},
        // The driver: every failure undoes what the step and the port step made.
        {"EnumPrinterDrivers:list", 4, kNothing},
        {"Allocate", 4, kNothing},
        {"CopyFile:lyr_drv.dll", 7, kNothing},
        {"CopyFile:lyr_ui.dll", 7, kNothing},
        {"CreateEmptyFile:lyr_gpd.txt", 7, kNothing},
        {"AddPrinterDriverEx", 4, kNothing},
        // The printer: its failure takes the driver and the port with it.
        {"AddPrinter", 5, kNothing},
        // The install directory and the registry: no rollback, the printer stays usable.
        {"CreateDirectory:C:\\Olvet Seams", 6, kSpoolerDone},
        {"CreateDirectory:" + std::string(kInstallDir), 6, kSpoolerDone},
        {"GetModuleFileName:library", 7, directoryOnly},
        {"CopyFile:" + std::string(kLibraryFile), 7, directoryOnly},
        {"CopyFile:" + std::string(kUninstallerFile), 7, libraryCopied},
        {"CreateKey:" + uninstallKey, 8, bothCopied},
        {"SetString:DisplayName", 8, uninstallKeyOnly},
        {"SetString:UninstallString", 8, uninstallKeyOnly},
        {"CreateKey:" + productKey, 8, uninstallKeyOnly},
        {"SetString:SetupPath", 8, bothKeys},
        {"SetString:Version", 8, bothKeys},
        {"SetString:DisplayVersion", 8, bothKeys},
        {"SetString:Publisher", 8, bothKeys},
        {"SetNumber:NoModify", 8, bothKeys},
        {"SetNumber:NoRepair", 8, bothKeys},
        // Failures the install passes over.
        {"OpenPrinter:Olvet PDF Printer", 0, bothKeys},
        {"GetAttributes", 0, bothKeys},
        {"SetAttributes", 0, bothKeys, true},
    };

    for (const FailurePoint& point : points) {
        SCOPED_TRACE(point.failing);
        machine::RemoveProductTraces();
        RemoveInstallDirectory();
        {
            faults::ScopedFaults scope;
            scope.system.ReportVersion(VER_PLATFORM_WIN32_NT, 5, 1);
            scope.plan.Fail(point.failing);
            MarkModulesReadOnly(point.readOnlyModules);
            EXPECT_EQ(point.result, InstallOlvetPDFPrinter(nullptr, kInstallDir));
            MarkModulesReadOnly(false);
            EXPECT_LE(1, scope.plan.Injected()) << "the failure was never reached";
            EXPECT_EQ(point.left, ReadTraces(scope.plan));
            EXPECT_EQ(0u, scope.spooler.OpenHandles());
            EXPECT_EQ(0, scope.spooler.BadCloses());
            EXPECT_EQ(0u, scope.registry.OpenKeys());
            EXPECT_EQ(0, scope.memory.Outstanding());
        }
    }
    machine::RemoveProductTraces();
    RemoveInstallDirectory();
}

TEST(InstallDriver, ClearsTheReadOnlyMarkOfStagedModulesAndKeepsTheirOtherBits) {
    machine::RemoveProductTraces();
    faults::ScopedFaults scope;
    scope.system.ReportVersion(VER_PLATFORM_WIN32_NT, 5, 1);
    MarkModulesReadOnly(true);
    EXPECT_EQ(0, InstallOlvetPDFPrinter(nullptr, kInstallDir));
    MarkModulesReadOnly(false);
    for (const char* file : {"lyr_drv.dll", "lyr_ui.dll"}) {
        const DWORD attributes = GetFileAttributesA((machine::DriverDirectory() + "\\" + file).c_str());
        EXPECT_EQ(0u, attributes & FILE_ATTRIBUTE_READONLY) << file;
        EXPECT_NE(0u, attributes & FILE_ATTRIBUTE_ARCHIVE) << file;
    }
    EXPECT_EQ(2, scope.plan.Count("SetAttributes"));
    machine::RemoveProductTraces();
    RemoveInstallDirectory();
}

}  // namespace
