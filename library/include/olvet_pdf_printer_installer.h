/*
 * Public interface of olvet_pdf_printer_installer.dll.
 *
 * A setup program derives a class from IProgressInfo, passes a pointer to
 * that part of its object to InstallOlvetPDFPrinter, and receives the
 * milestones on its own thread while the call runs. Both functions return 0
 * on success or one of the codes below.
 */
#ifndef OLVET_PDF_PRINTER_INSTALLER_H
#define OLVET_PDF_PRINTER_INSTALLER_H

#if defined(OLVET_SETUP_STATIC)
#define OLVET_SETUP_API
#define OLVET_SETUP_CLASS_API
#elif defined(OLVET_SETUP_BUILDING)
#define OLVET_SETUP_API __declspec(dllexport)
/*
 * Only the library file that defines the class's members exports the class:
 * GCC emits an exported class's table in every file that sees it, and the
 * linker keeps one of those copies, while the table's Microsoft name is
 * attached to the copy in that one file.
 */
#if defined(OLVET_SETUP_DEFINING_PROGRESS_INFO)
#define OLVET_SETUP_CLASS_API __declspec(dllexport)
#else
#define OLVET_SETUP_CLASS_API
#endif
#else
/* Callers, built with GCC or with Microsoft's compiler. */
#define OLVET_SETUP_API __declspec(dllimport)
#define OLVET_SETUP_CLASS_API __declspec(dllimport)
#endif

/* Result codes of both entry points. */
enum {
    OLVET_SETUP_OK = 0,
    OLVET_SETUP_UNSUPPORTED_SYSTEM = 2,
    OLVET_SETUP_ADD_PORT_FAILED = 3,
    OLVET_SETUP_ADD_DRIVER_FAILED = 4,
    OLVET_SETUP_ADD_PRINTER_FAILED = 5,
    OLVET_SETUP_CREATE_DIRECTORY_FAILED = 6,
    OLVET_SETUP_COPY_FILE_FAILED = 7,
    OLVET_SETUP_REGISTRY_FAILED = 8
};

#ifdef __cplusplus

/*
 * Progress callback. The object is the caller's: the library calls
 * SetProgress during an install only, never stores the pointer and never
 * deletes it. No virtual destructor on purpose: adding one would change the
 * table layout that separately compiled callers rely on.
 */
class OLVET_SETUP_CLASS_API IProgressInfo {
public:
#if defined(OLVET_SETUP_BUILDING)
    /* The library's exported copies: the same do-nothing members, out of line. */
    IProgressInfo();
    IProgressInfo(const IProgressInfo&);
    IProgressInfo& operator=(const IProgressInfo&);
#else
    /* Inline, so that a caller builds its objects without importing code. */
    IProgressInfo() {}
    IProgressInfo(const IProgressInfo&) {}
    IProgressInfo& operator=(const IProgressInfo&) { return *this; }
#endif

    /* percent: 20, 40, 60, 80, 100; message: a constant text of the library. */
    virtual int SetProgress(int percent, const char* message) = 0;
};

extern "C" {
#else
typedef struct IProgressInfo IProgressInfo;
#endif

/*
 * Installs the printer. progress may be null; installDir null selects
 * "<system drive>:\Program Files\Olvet Software\PDF Creator".
 */
OLVET_SETUP_API int __cdecl InstallOlvetPDFPrinter(IProgressInfo* progress, const char* installDir);

/* Removes the printer, its driver and port, and the product's registry keys. */
OLVET_SETUP_API int __cdecl UnInstallOlvetPDFPrinter(IProgressInfo* progress);

#ifdef __cplusplus
}
#endif

#endif
