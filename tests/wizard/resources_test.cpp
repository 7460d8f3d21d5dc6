// The uninstaller's resources as the shipped program carries them: templates, pictures, manifest, version.
// clang-format off
#include <windows.h>
#include <commctrl.h>
// clang-format on
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "dialog_template.h"
#include "wizard_binary.h"

namespace {

const WORD kEnglishUs = MAKELANGID(LANG_ENGLISH, SUBLANG_ENGLISH_US);
const char kCaption[] = "Olvet PDF Creator Uninstallation Wizard";

class WizardResources : public testing::Test {
protected:
    void SetUp() override {
        ASSERT_FALSE(g_wizardPath.empty()) << "pass the uninstaller's path as the first argument";
        module_ = LoadLibraryExA(g_wizardPath.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
        ASSERT_NE(module_, nullptr) << g_wizardPath << ": error " << GetLastError();
    }
    void TearDown() override {
        if (module_) FreeLibrary(module_);
    }

    // The resource's bytes in US English, the only language the program has.
    std::string Resource(LPCSTR type, int id) {
        HRSRC found = FindResourceExA(module_, type, MAKEINTRESOURCEA(id), kEnglishUs);
        if (!found) return std::string();
        HGLOBAL loaded = LoadResource(module_, found);
        const char* data = static_cast<const char*>(LockResource(loaded));
        return std::string(data, SizeofResource(module_, found));
    }

    DialogTemplate Dialog(int id) {
        const std::string bytes = Resource(RT_DIALOG, id);
        DialogTemplate dialog;
        EXPECT_FALSE(bytes.empty()) << "no dialog " << id << " in US English";
        EXPECT_TRUE(ParseDialogTemplate(bytes.data(), bytes.size(), &dialog)) << "dialog " << id;
        return dialog;
    }

    HMODULE module_ = nullptr;
};

struct ControlRow {
    int id;
    const char* windowClass;
    DWORD style;
    const char* text;
    RECT box;  // x, y, width, height
};

void ExpectControls(const DialogTemplate& dialog, const ControlRow* rows, size_t count) {
    ASSERT_EQ(dialog.controls.size(), count);
    for (size_t i = 0; i < count; ++i) {
        const TemplateControl& control = dialog.controls[i];
        const ControlRow& row = rows[i];
        SCOPED_TRACE("control " + std::to_string(i + 1) + " \"" + row.text + "\"");
        EXPECT_EQ(control.id, row.id);
        // Window class names are matched without regard to case; windres writes named classes in capitals.
        EXPECT_EQ(lstrcmpiA(control.windowClass.c_str(), row.windowClass), 0) << control.windowClass;
        EXPECT_EQ(control.style, row.style) << std::hex << control.style;
        EXPECT_EQ(control.exStyle, 0u);
        EXPECT_EQ(control.text, row.text);
        EXPECT_EQ(control.box.left, row.box.left);
        EXPECT_EQ(control.box.top, row.box.top);
        EXPECT_EQ(control.box.right, row.box.right);
        EXPECT_EQ(control.box.bottom, row.box.bottom);
    }
}

const DWORD kVisibleChild = WS_CHILD | WS_VISIBLE;

TEST_F(WizardResources, WelcomePageTemplate) {
    const DialogTemplate dialog = Dialog(130);
    EXPECT_TRUE(dialog.extended);
    EXPECT_EQ(dialog.style, 0x90C800C0u);
    EXPECT_EQ(dialog.exStyle, static_cast<DWORD>(WS_EX_APPWINDOW));
    EXPECT_EQ(dialog.box.left, 0);
    EXPECT_EQ(dialog.box.top, 0);
    EXPECT_EQ(dialog.box.right, 251);
    EXPECT_EQ(dialog.box.bottom, 86);
    EXPECT_EQ(dialog.caption, kCaption);
    EXPECT_EQ(dialog.face, "Verdana");
    EXPECT_EQ(dialog.pointSize, 10);
    EXPECT_EQ(dialog.weight, 0);
    EXPECT_EQ(dialog.italic, 0);
    EXPECT_EQ(dialog.charset, 1);
    const ControlRow rows[] = {
        {IDOK, "Button", kVisibleChild | BS_DEFPUSHBUTTON | WS_TABSTOP, "&Next", {59, 64, 50, 14}},
        {IDCANCEL, "Button", kVisibleChild | BS_PUSHBUTTON | WS_TABSTOP, "Cancel", {146, 64, 50, 14}},
        {-1,
         "Static",
         kVisibleChild | SS_LEFT | WS_GROUP,
         "Thank you for using Olvet PDF Creator.",
         {100, 12, 138, 18}},
        {-1,
         "Static",
         kVisibleChild | SS_LEFT | WS_GROUP,
         "Are you sure you want to completely remove Olvet PDF Creator? Click \"Next\" to continue the Uninstall "
         "program.",
         {100, 29, 137, 29}},
        {-1, "Static", kVisibleChild | SS_BITMAP, "#130", {19, 16, 94, 51}},
        {-1, "Button", kVisibleChild | BS_GROUPBOX, "", {15, 5, 223, 55}},
    };
    ExpectControls(dialog, rows, std::size(rows));
}

TEST_F(WizardResources, FinishPageTemplate) {
    const DialogTemplate dialog = Dialog(201);
    EXPECT_TRUE(dialog.extended);
    EXPECT_EQ(dialog.style, 0x80C800C0u);
    EXPECT_EQ(dialog.exStyle, 0u);
    EXPECT_EQ(dialog.box.right, 253);
    EXPECT_EQ(dialog.box.bottom, 89);
    EXPECT_EQ(dialog.caption, kCaption);
    EXPECT_EQ(dialog.face, "Verdana");
    EXPECT_EQ(dialog.pointSize, 10);
    EXPECT_EQ(dialog.charset, 0);
    const ControlRow rows[] = {
        {IDOK, "Button", kVisibleChild | BS_DEFPUSHBUTTON | WS_TABSTOP, "Finish", {185, 65, 50, 14}},
        {-1,
         "Static",
         kVisibleChild | SS_LEFT | WS_GROUP,
         "The uninstallation of Olvet PDF Creator has been successfully finished. ",
         {110, 19, 122, 25}},
        {-1, "Static", kVisibleChild | SS_BITMAP, "#130", {20, 14, 79, 37}},
        {-1, "Button", kVisibleChild | BS_GROUPBOX, "", {13, 5, 223, 51}},
        {1000, "Static", WS_CHILD | SS_LEFT, "Please reboot the computer.", {110, 42, 121, 9}},
        {IDCANCEL, "Button", kVisibleChild | BS_DEFPUSHBUTTON | WS_TABSTOP, "Reboot", {110, 65, 50, 14}},
    };
    ExpectControls(dialog, rows, std::size(rows));
}

TEST_F(WizardResources, ProgressWindowTemplate) {
    const DialogTemplate dialog = Dialog(202);
    EXPECT_FALSE(dialog.extended);
    EXPECT_EQ(dialog.style, 0x800000C0u);
    EXPECT_EQ(dialog.box.right, 253);
    EXPECT_EQ(dialog.box.bottom, 16);
    EXPECT_EQ(dialog.caption, "");
    EXPECT_EQ(dialog.face, "System");
    EXPECT_EQ(dialog.pointSize, 10);
    const ControlRow rows[] = {
        {1000, "msctls_progress32", kVisibleChild | WS_BORDER | PBS_SMOOTH, "Progress1", {2, 2, 249, 12}},
    };
    ExpectControls(dialog, rows, std::size(rows));
}

#pragma pack(push, 2)
struct IconDirectoryEntry {  // GRPICONDIRENTRY: as stored in a group icon resource
    BYTE width, height, colours, reserved;
    WORD planes, bitCount;
    DWORD bytes;
    WORD id;
};
#pragma pack(pop)

TEST_F(WizardResources, ProgramIconIsOne32x32TrueColourImage) {
    const std::string group = Resource(RT_GROUP_ICON, 128);
    ASSERT_GE(group.size(), 6u + sizeof(IconDirectoryEntry));
    WORD count;
    std::memcpy(&count, group.data() + 4, sizeof(count));
    ASSERT_EQ(count, 1);
    IconDirectoryEntry entry;
    std::memcpy(&entry, group.data() + 6, sizeof(entry));
    EXPECT_EQ(entry.width, 32);
    EXPECT_EQ(entry.height, 32);
    EXPECT_EQ(entry.bitCount, 24);
    const std::string image = Resource(RT_ICON, entry.id);
    ASSERT_GE(image.size(), sizeof(BITMAPINFOHEADER));
    BITMAPINFOHEADER header;
    std::memcpy(&header, image.data(), sizeof(header));
    EXPECT_EQ(header.biWidth, 32);
    EXPECT_EQ(header.biHeight, 64);  // colour and mask halves
    EXPECT_EQ(header.biBitCount, 24);
}

TEST_F(WizardResources, LogoIs157x73With256Colours) {
    const std::string bitmap = Resource(RT_BITMAP, 130);
    ASSERT_GE(bitmap.size(), sizeof(BITMAPINFOHEADER));
    BITMAPINFOHEADER header;
    std::memcpy(&header, bitmap.data(), sizeof(header));
    EXPECT_EQ(header.biWidth, 157);
    EXPECT_EQ(header.biHeight, 73);
    EXPECT_EQ(header.biBitCount, 8);
    EXPECT_TRUE(header.biClrUsed == 0 || header.biClrUsed == 256) << header.biClrUsed;
}

TEST_F(WizardResources, ManifestAsksForCommonControls6) {
    const std::string manifest = Resource(RT_MANIFEST, 1);
#if defined(_WIN64)
    const char architecture[] = "processorArchitecture=\"amd64\"";
#else
    const char architecture[] = "processorArchitecture=\"x86\"";
#endif
    const char* expected[] = {
        "<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"yes\"?>",
        "xmlns=\"urn:schemas-microsoft-com:asm.v1\" manifestVersion=\"1.0\"",
        "name=\"Olvet_PDF_Creator_UnInstaller_Win\" type=\"win32\"",
        "<description>Olvet_PDF_Creator_UnInstaller_Win Application</description>",
        "name=\"Microsoft.Windows.Common-Controls\" version=\"6.0.0.0\"",
        "publicKeyToken=\"6595b64144ccf1df\" language=\"*\"",
        architecture,
    };
    for (const char* part : expected) EXPECT_NE(manifest.find(part), std::string::npos) << part;
}

TEST_F(WizardResources, VersionIs1_0_2006_920) {
    const std::string version = Resource(RT_VERSION, 1);
    ASSERT_FALSE(version.empty());
    // VerQueryValue wants a writable copy of the block, as GetFileVersionInfo would give.
    std::string block = version;
    VS_FIXEDFILEINFO* fixed = nullptr;
    UINT length = 0;
    ASSERT_TRUE(VerQueryValueA(block.data(), "\\", reinterpret_cast<void**>(&fixed), &length));
    EXPECT_EQ(fixed->dwFileVersionMS, MAKELONG(0, 1));
    EXPECT_EQ(fixed->dwFileVersionLS, MAKELONG(920, 2006));
    EXPECT_EQ(fixed->dwProductVersionMS, MAKELONG(0, 1));
    EXPECT_EQ(fixed->dwProductVersionLS, MAKELONG(920, 2006));
    EXPECT_EQ(fixed->dwFileType, static_cast<DWORD>(VFT_APP));

    DWORD fileSize = GetFileVersionInfoSizeA(g_wizardPath.c_str(), nullptr);
    ASSERT_GT(fileSize, 0u);
    std::string info(fileSize, '\0');
    ASSERT_TRUE(GetFileVersionInfoA(g_wizardPath.c_str(), 0, fileSize, info.data()));
    for (const char* name : {"FileVersion", "ProductVersion"}) {
        char* text = nullptr;
        const std::string path = std::string("\\StringFileInfo\\040904b0\\") + name;
        ASSERT_TRUE(VerQueryValueA(info.data(), path.c_str(), reinterpret_cast<void**>(&text), &length)) << name;
        EXPECT_STREQ(text, "1, 0, 2006, 0920") << name;
    }
}

}  // namespace
