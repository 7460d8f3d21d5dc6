#include "result_text.h"

#include <olvet_pdf_printer_installer.h>

namespace {

struct ResultWords {
    int code;
    const char* words;
};

const ResultWords kResultWords[] = {
    {OLVET_SETUP_OK, "success"},
    {OLVET_SETUP_UNSUPPORTED_SYSTEM,
     "this system is not Windows 2000 or Windows XP, or a system folder could not be found"},
    {OLVET_SETUP_ADD_PORT_FAILED, "the printer port could not be added"},
    {OLVET_SETUP_ADD_DRIVER_FAILED, "the printer driver could not be added"},
    {OLVET_SETUP_ADD_PRINTER_FAILED, "the printer could not be added"},
    {OLVET_SETUP_CREATE_DIRECTORY_FAILED, "the install directory could not be created"},
    {OLVET_SETUP_COPY_FILE_FAILED, "a file could not be copied"},
    {OLVET_SETUP_REGISTRY_FAILED, "the registry could not be written"},
};

}  // namespace

const char* ResultText(int code) {
    for (const ResultWords& entry : kResultWords) {
        if (entry.code == code) return entry.words;
    }
    return "unknown result code";
}
