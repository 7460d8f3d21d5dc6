#include "dialog_template.h"

#include <cstring>

namespace {

// A cursor over the template's words; every read is checked against the end.
class Reader {
public:
    Reader(const BYTE* data, size_t size) : data_(data), size_(size) {}

    bool Ok() const { return ok_; }
    WORD Word() { return static_cast<WORD>(Bytes(2)); }
    DWORD Dword() { return static_cast<DWORD>(Bytes(4)); }
    BYTE Byte() { return static_cast<BYTE>(Bytes(1)); }
    short Short() { return static_cast<short>(Word()); }
    void AlignDword() { offset_ = (offset_ + 3) & ~static_cast<size_t>(3); }

    std::string Text() {
        std::string text;
        for (WORD c = Word(); ok_ && c; c = Word()) text += c < 0x80 ? static_cast<char>(c) : '?';
        return text;
    }
    // A name or an ordinal: 0 for none, 0xFFFF and a number, or a string.
    std::string NameOrOrdinal() {
        const WORD first = Word();
        if (first == 0) return std::string();
        if (first == 0xFFFF) return "#" + std::to_string(Word());
        std::string text(1, static_cast<char>(first));
        return text + Text();
    }
    void Skip(size_t count) {
        if (offset_ + count > size_) ok_ = false;
        offset_ += count;
    }

private:
    unsigned long long Bytes(size_t count) {
        if (!ok_ || offset_ + count > size_) {
            ok_ = false;
            return 0;
        }
        unsigned long long value = 0;
        for (size_t i = 0; i < count; ++i) value |= static_cast<unsigned long long>(data_[offset_ + i]) << (8 * i);
        offset_ += count;
        return value;
    }

    const BYTE* data_;
    size_t size_;
    size_t offset_ = 0;
    bool ok_ = true;
};

std::string ClassName(const std::string& raw) {
    static const struct {
        const char* ordinal;
        const char* name;
    } kPredefined[] = {
        {"#128", "Button"},  {"#129", "Edit"},      {"#130", "Static"},
        {"#131", "ListBox"}, {"#132", "ScrollBar"}, {"#133", "ComboBox"},
    };
    for (const auto& row : kPredefined) {
        if (raw == row.ordinal) return row.name;
    }
    return raw;
}

RECT Box(Reader& in) {
    RECT box;
    box.left = in.Short();
    box.top = in.Short();
    box.right = in.Short();
    box.bottom = in.Short();
    return box;
}

}  // namespace

bool ParseDialogTemplate(const void* data, size_t size, DialogTemplate* result) {
    Reader in(static_cast<const BYTE*>(data), size);
    DialogTemplate dialog;
    const WORD version = in.Word();
    const WORD signature = in.Word();
    dialog.extended = version == 1 && signature == 0xFFFF;
    int count = 0;
    if (dialog.extended) {
        in.Dword();  // help id
        dialog.exStyle = in.Dword();
        dialog.style = in.Dword();
    } else {
        dialog.style = MAKELONG(version, signature);
        dialog.exStyle = in.Dword();
    }
    count = in.Word();
    dialog.box = Box(in);
    in.NameOrOrdinal();  // menu
    in.NameOrOrdinal();  // class
    dialog.caption = in.Text();
    if (dialog.style & DS_SETFONT) {
        dialog.pointSize = in.Word();
        if (dialog.extended) {
            dialog.weight = in.Word();
            dialog.italic = in.Byte();
            dialog.charset = in.Byte();
        }
        dialog.face = in.Text();
    }
    for (int i = 0; i < count && in.Ok(); ++i) {
        in.AlignDword();
        TemplateControl control;
        if (dialog.extended) {
            in.Dword();  // help id
            control.exStyle = in.Dword();
            control.style = in.Dword();
        } else {
            control.style = in.Dword();
            control.exStyle = in.Dword();
        }
        control.box = Box(in);
        control.id = dialog.extended ? static_cast<int>(in.Dword()) : static_cast<short>(in.Word());
        control.windowClass = ClassName(in.NameOrOrdinal());
        control.text = in.NameOrOrdinal();
        in.Skip(in.Word());
        dialog.controls.push_back(control);
    }
    if (!in.Ok()) return false;
    *result = dialog;
    return true;
}
