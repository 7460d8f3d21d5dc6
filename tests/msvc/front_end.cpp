// A setup program's front end as an integrator builds it with Microsoft's
// tools: the library's public header as shipped, the Microsoft-format import
// library, and no C runtime. Its progress class has the progress interface as
// its second base, so the library must call through the part it was handed.
//
// Compiled without optimisation, as a debug build would be: the header's
// inline members of the progress class are then called through the import
// table, so the library's exported constructors and assignment do the work.
#include "olvet_pdf_printer_installer.h"

// What the front end takes from the system, declared from the documented
// signatures: there is no Windows SDK here, and the front end needs little.
extern "C" {
__declspec(dllimport) void* __stdcall GetStdHandle(unsigned long which);
__declspec(dllimport) int __stdcall WriteFile(void* file, const void* data, unsigned long size,
                                              unsigned long* written, void* overlapped);
__declspec(dllimport) int __stdcall DeleteFileA(const char* path);
__declspec(dllimport) int __stdcall RemoveDirectoryA(const char* path);
__declspec(dllimport) __declspec(noreturn) void __stdcall ExitProcess(unsigned int code);

// The class's table under its Microsoft name. Clang, standing in for
// Microsoft's compiler, gives an inlined constructor a local copy of the table
// instead of importing it, so the import is declared here by hand.
__declspec(dllimport) extern const void* const exportedTable[] __asm__("??_7IProgressInfo@@6B@");
}

namespace {

const unsigned long kStandardOutput = static_cast<unsigned long>(-11);

void Print(const char* text) {
    unsigned long length = 0;
    while (text[length]) ++length;
    unsigned long written = 0;
    WriteFile(GetStdHandle(kStandardOutput), text, length, &written, nullptr);
}

void PrintNumber(int value) {
    char digits[12];
    int at = sizeof digits - 1;
    digits[at] = 0;
    const bool negative = value < 0;
    unsigned int rest = negative ? 0u - static_cast<unsigned int>(value) : static_cast<unsigned int>(value);
    do {
        digits[--at] = static_cast<char>('0' + rest % 10);
        rest /= 10;
    } while (rest);
    if (negative) digits[--at] = '-';
    Print(digits + at);
}

const char kInstallDirectory[] = "C:\\Olvet MSVC Front End";

// A window class ahead of the progress part: data and a table of its own.
class Window {
public:
    explicit Window(int tag) : tag(tag) {}
    virtual int Tag() const { return tag; }
    int tag;
};

struct Call {
    const void* receiver;
    int tag;  // what the receiving object's first base held
    int percent;
    const char* message;
};

const int kMaxCalls = 16;
Call calls[kMaxCalls];
int callCount;

class Recorder : public Window, public IProgressInfo {
public:
    explicit Recorder(int tag) : Window(tag) {}

    int SetProgress(int percent, const char* message) override {
        if (callCount < kMaxCalls) {
            // Field by field: an aggregate copy could become a memcpy call,
            // and there is no C runtime to provide one.
            calls[callCount].receiver = this;
            calls[callCount].tag = tag;
            calls[callCount].percent = percent;
            calls[callCount].message = message;
        }
        ++callCount;
        return 0;
    }
};

int failures;

void Check(bool ok, const char* what) {
    Print(ok ? "ok    " : "FAIL  ");
    Print(what);
    Print("\r\n");
    if (!ok) ++failures;
}

bool SameText(const char* a, const char* b) {
    if (!a || !b) return a == b;
    while (*a && *a == *b) ++a, ++b;
    return *a == *b;
}

struct Milestone {
    int percent;
    const char* message;
};

const Milestone kCompleteInstall[] = {
    {20, "Adding port..."},
    {40, "Installing driver..."},
    {60, "Installing printer..."},
    {80, "Updating registry..."},
    {100, "Finishing installing..."},
};

bool OneCallOn(const Recorder& object, int tag, int percent, const char* message) {
    return callCount == 1 && calls[0].receiver == &object && calls[0].tag == tag &&
           calls[0].percent == percent && SameText(calls[0].message, message);
}

void InstallAndUninstall() {
    Recorder progress(0x51DE);
    callCount = 0;
    const int installed = InstallOlvetPDFPrinter(&progress, kInstallDirectory);
    Print("install result ");
    PrintNumber(installed);
    Print(", milestones ");
    PrintNumber(callCount);
    Print("\r\n");
    Check(installed == 0, "the install succeeds");
    Check(callCount == 5, "the install announces five milestones");
    bool inOrder = callCount == 5;
    bool onObject = callCount == 5;
    for (int i = 0; i < 5 && i < callCount; ++i) {
        inOrder = inOrder && calls[i].percent == kCompleteInstall[i].percent &&
                  SameText(calls[i].message, kCompleteInstall[i].message);
        onObject = onObject && calls[i].receiver == &progress && calls[i].tag == 0x51DE;
    }
    Check(inOrder, "milestones 20, 40, 60, 80, 100 with their messages, in order");
    Check(onObject, "every milestone arrives on the object whose progress part was passed");

    callCount = 0;
    Check(UnInstallOlvetPDFPrinter(&progress) == 0, "the uninstall returns 0");
    Check(callCount == 0, "the uninstall calls nothing back");

    DeleteFileA("C:\\Olvet MSVC Front End\\olvet_pdf_printer_installer.dll");
    DeleteFileA("C:\\Olvet MSVC Front End\\Olvet_PDF_Creator_UnInstaller_Win.exe");
    RemoveDirectoryA(kInstallDirectory);
}

void CopyAndAssign() {
    Recorder original(0x51DE);
    Recorder copy(original);
    IProgressInfo& copyPart = copy;
    callCount = 0;
    copyPart.SetProgress(7, "copy");
    Check(OneCallOn(copy, 0x51DE, 7, "copy"), "a copy reaches its own SetProgress with the copied state");

    Recorder assigned(0xA551);
    assigned = original;
    IProgressInfo& assignedPart = assigned;
    callCount = 0;
    assignedPart.SetProgress(9, "assigned");
    Check(OneCallOn(assigned, 0x51DE, 9, "assigned"), "an assigned object still reaches its own SetProgress");

    IProgressInfo& originalPart = original;
    callCount = 0;
    originalPart.SetProgress(11, "original");
    Check(OneCallOn(original, 0x51DE, 11, "original"), "the original still reaches its own SetProgress");
}

// A base right after IProgressInfo, whose constructor runs once
// IProgressInfo's has finished and before the derived class stores its own
// table. It finds the progress part just ahead of itself: handed "this", the
// compiler would store the derived table first.
struct Peek {
    Peek() : table(reinterpret_cast<const void* const*>(this)[-1]) {}
    const void* table;
};

struct Probe : IProgressInfo, Peek {
    Probe() {}
    Probe(const Probe& other) : IProgressInfo(other), Peek() {}
    int SetProgress(int, const char*) override { return 0; }
};

bool PeekFollowsProgressPart(const Probe& probe) {
    const char* part = reinterpret_cast<const char*>(static_cast<const IProgressInfo*>(&probe));
    return reinterpret_cast<const char*>(static_cast<const Peek*>(&probe)) == part + sizeof(void*);
}

// The library's constructors, called through their Microsoft names, store
// the table that the library exports under the table's Microsoft name.
void Tables() {
    const Probe constructed;
    const Probe copied(constructed);
    Check(PeekFollowsProgressPart(constructed), "the probe reads the progress part");
    Check(constructed.table == &exportedTable[0],
          "the default constructor stores the table exported under Microsoft's name");
    Check(copied.table == &exportedTable[0], "the copy constructor stores that table as well");
}

}  // namespace

extern "C" void __cdecl FrontEnd() {
    Tables();
    CopyAndAssign();
    InstallAndUninstall();
    Print(failures ? "FAILED\r\n" : "PASSED\r\n");
    ExitProcess(failures ? 1 : 0);
}
