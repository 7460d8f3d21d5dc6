// Words for the result codes of InstallOlvetPDFPrinter and UnInstallOlvetPDFPrinter.
#ifndef OLVET_SAMPLE_RESULT_TEXT_H
#define OLVET_SAMPLE_RESULT_TEXT_H

// Never null: a code the library does not define gets a text saying so.
const char* ResultText(int code);

#endif
