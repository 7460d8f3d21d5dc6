#include "result_messages.h"

#include <olvet_pdf_printer_installer.h>

namespace wizard {

namespace {

struct ResultText {
    int code;
    const char* text;
};

// The wizard knows the install-only codes too: they are the library's whole vocabulary.
const ResultText kResultTexts[] = {
    {OLVET_SETUP_UNSUPPORTED_SYSTEM, "Current OS doesn't support!"},
    {OLVET_SETUP_ADD_PORT_FAILED, "Add port failed!"},
    {OLVET_SETUP_ADD_DRIVER_FAILED, "Add driver failed!"},
    {OLVET_SETUP_ADD_PRINTER_FAILED, "Add printer failed!"},
    {OLVET_SETUP_CREATE_DIRECTORY_FAILED, "Create directory failed!"},
    {OLVET_SETUP_COPY_FILE_FAILED, "Copy file failed!"},
    {OLVET_SETUP_REGISTRY_FAILED, "Register Updating failed!"},
};

}  // namespace

const char kErrorCaption[] = "Error";

const char* ResultMessage(int code) {
    for (const ResultText& row : kResultTexts) {
        if (row.code == code) return row.text;
    }
    return nullptr;
}

}  // namespace wizard
