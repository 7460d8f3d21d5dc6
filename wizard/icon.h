// An icon loaded from the program's resources, destroyed with its owner.
#pragma once

#include <windows.h>

namespace wizard {

class Icon {
public:
    Icon() = default;
    ~Icon() {
        if (handle_) DestroyIcon(handle_);
    }
    Icon(const Icon&) = delete;
    Icon& operator=(const Icon&) = delete;

    // The resource's image of the size closest to width x height.
    HICON Load(HINSTANCE instance, int id, int width, int height) {
        if (handle_) DestroyIcon(handle_);
        handle_ =
            static_cast<HICON>(LoadImageA(instance, MAKEINTRESOURCEA(id), IMAGE_ICON, width, height, LR_DEFAULTCOLOR));
        return handle_;
    }

private:
    HICON handle_ = nullptr;
};

}  // namespace wizard
