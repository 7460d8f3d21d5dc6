#include "bounded_text.h"

namespace olvet {

TextBuilder& TextBuilder::Append(const char* text) {
    for (; !overflow_ && *text; ++text) Append(*text);
    return *this;
}

TextBuilder& TextBuilder::Append(char c) {
    if (overflow_) return *this;
    if (length_ + 1 >= capacity_) {
        overflow_ = true;
        buffer_[0] = '\0';
        return *this;
    }
    buffer_[length_++] = c;
    buffer_[length_] = '\0';
    return *this;
}

TextBuilder& TextBuilder::AppendNumber(long value) {
    char digits[12];
    int count = 0;
    unsigned long magnitude = value < 0 ? 0ul - static_cast<unsigned long>(value) : static_cast<unsigned long>(value);
    do {
        digits[count++] = static_cast<char>('0' + magnitude % 10);
        magnitude /= 10;
    } while (magnitude != 0);
    if (value < 0) Append('-');
    while (count > 0) Append(digits[--count]);
    return *this;
}

size_t TextLength(const char* text) {
    size_t length = 0;
    while (text[length]) ++length;
    return length;
}

bool SameText(const char* a, const char* b) {
    for (;; ++a, ++b) {
        if (*a != *b) return false;
        if (*a == '\0') return true;
    }
}

}  // namespace olvet
