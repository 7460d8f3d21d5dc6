// Path composition into fixed buffers that refuses, rather than cuts, what does not fit.
#pragma once

#include <stddef.h>

namespace olvet {

class TextBuilder {
public:
    template <size_t N>
    explicit TextBuilder(char (&buffer)[N]) : buffer_(buffer), capacity_(N) {
        buffer_[0] = '\0';
    }

    TextBuilder& Append(const char* text);
    TextBuilder& Append(char c);
    TextBuilder& AppendNumber(long value);

    // False once anything did not fit; the buffer then holds an empty text.
    bool Fits() const { return !overflow_; }

private:
    char* buffer_;
    size_t capacity_;
    size_t length_ = 0;
    bool overflow_ = false;
};

// directory + '\' + file, the way every path of the library is composed.
template <size_t N>
bool ComposePath(char (&out)[N], const char* directory, const char* file) {
    return TextBuilder(out).Append(directory).Append('\\').Append(file).Fits();
}

// directory + '\' + number + '\' + file: an installed driver module.
template <size_t N>
bool ComposeVersionedPath(char (&out)[N], const char* directory, long version, const char* file) {
    return TextBuilder(out).Append(directory).Append('\\').AppendNumber(version).Append('\\').Append(file).Fits();
}

// Copies a whole NUL-terminated text or nothing.
template <size_t N>
bool CopyText(char (&out)[N], const char* text) {
    return TextBuilder(out).Append(text).Fits();
}

size_t TextLength(const char* text);

// Whole-string, case-sensitive equality; safe for texts of any length.
bool SameText(const char* a, const char* b);

}  // namespace olvet
