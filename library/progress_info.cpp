// The exported members of the progress class. They copy nothing: the class
// has no state, only the pointer to its table, which each constructor sets.
#include "olvet_pdf_printer_installer.h"

IProgressInfo::IProgressInfo() {}

IProgressInfo::IProgressInfo(const IProgressInfo&) {}

IProgressInfo& IProgressInfo::operator=(const IProgressInfo&) { return *this; }
