// The exported members of the progress class. They copy nothing: the class
// has no state, only the pointer to its table, which each constructor sets.
#define OLVET_SETUP_DEFINING_PROGRESS_INFO
#include "olvet_pdf_printer_installer.h"

IProgressInfo::IProgressInfo() {}

IProgressInfo::IProgressInfo(const IProgressInfo&) {}

IProgressInfo& IProgressInfo::operator=(const IProgressInfo&) { return *this; }

// Callers built with Microsoft's compiler import the table under Microsoft's
// name, which marks its first slot; GCC's symbol marks a group that holds two
// pointer-sized words (offset to top, type information) ahead of that slot.
// An alias has to live beside the table it points into: a COFF object cannot
// define a symbol as another object's symbol plus an offset. The .def file of
// each architecture exports it, next to the Microsoft names of the members;
// the linker looks .def names up with the target's label prefix (an
// underscore on i686), so the symbol carries it and the exported name not.
#define OLVET_TEXT_(x) #x
#define OLVET_TEXT(x) OLVET_TEXT_(x)
#define OLVET_ASM_NAME(name) "\"" OLVET_TEXT(__USER_LABEL_PREFIX__) name "\""
asm(".globl " OLVET_ASM_NAME("??_7IProgressInfo@@6B@") "\n\t"
    ".set " OLVET_ASM_NAME("??_7IProgressInfo@@6B@") ", "
    OLVET_ASM_NAME("_ZTV13IProgressInfo") " + 2 * " OLVET_TEXT(__SIZEOF_POINTER__));
