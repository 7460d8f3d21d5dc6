// Where a console front end writes its lines. Kept apart from the progress interface on purpose: as in many real
// front ends, the IProgressInfo part of ConsoleProgress does not start the object, so the library must be handed
// the adjusted interface pointer and must call through it correctly.
#ifndef OLVET_SAMPLE_CONSOLE_H
#define OLVET_SAMPLE_CONSOLE_H

#include <cstdio>

class Console {
public:
    explicit Console(std::FILE* out) : out_(out) {}
    // Virtual so that this class, not the interface, becomes the primary base at offset 0: the C++ ABI places a
    // polymorphic base first whatever the declaration order.
    virtual ~Console() = default;
    Console(const Console&) = delete;
    Console& operator=(const Console&) = delete;

    // Flushed at once, so that a person watching sees each step as it happens.
    void WriteLine(const char* text);
    void WriteLine(int number, const char* suffix, const char* text);

private:
    std::FILE* out_;
};

#endif
