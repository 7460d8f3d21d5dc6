#include "console.h"

void Console::WriteLine(const char* text) {
    std::fprintf(out_, "%s\n", text ? text : "");
    std::fflush(out_);
}

void Console::WriteLine(int number, const char* suffix, const char* text) {
    std::fprintf(out_, "%d%s %s\n", number, suffix ? suffix : "", text ? text : "");
    std::fflush(out_);
}
