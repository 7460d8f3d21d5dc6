// Every literal the setup steps share: the names Windows will know the product by.
#pragma once

namespace olvet {
namespace names {

constexpr wchar_t kPortWide[] = L"OLVET_PDF:";
constexpr char kPort[] = "OLVET_PDF:";
constexpr char kPortMonitor[] = ",XcvMonitor Local Port";
constexpr wchar_t kAddPortCommand[] = L"AddPort";
constexpr wchar_t kDeletePortCommand[] = L"DeletePort";

constexpr char kPrinter[] = "Olvet PDF Printer";
constexpr char kDriver[] = "Olvet PDF Printer Driver";

// The one difference between the two builds: a 64-bit process can add a
// printer only with a driver of its own environment, so the x64 test twin
// registers its driver there. The shipped 32-bit library always uses x86.
#if defined(_WIN64)
constexpr char kEnvironment[] = "Windows x64";
#else
constexpr char kEnvironment[] = "Windows NT x86";
#endif

constexpr char kDriverFile[] = "lyr_drv.dll";
constexpr char kUiFile[] = "lyr_ui.dll";
constexpr char kDataFile[] = "lyr_gpd.txt";
constexpr char kPrintProcessor[] = "WinPrint";
constexpr char kDatatype[] = "RAW";

constexpr char kLibraryFile[] = "olvet_pdf_printer_installer.dll";
constexpr char kUninstallerFile[] = "Olvet_PDF_Creator_UnInstaller_Win.exe";
constexpr char kDisplayName[] = "Olvet PDF Creator";
constexpr char kUninstallKey[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Olvet PDF Creator";
constexpr char kProductKey[] = "Software\\Olvet Software\\PDF Creator";
constexpr char kVersion[] = "1.0.2006.1018";
constexpr char kPublisher[] = "Olvet Software";
// Preceded by the system drive letter.
constexpr char kDefaultInstallDirTail[] = ":\\Program Files\\Olvet Software\\PDF Creator";


}  // namespace names
}  // namespace olvet
