// The process-wide module: the instance handle every template, icon and bitmap is loaded from.
#pragma once

#include <windows.h>

namespace ui {

class Module {
public:
    // No object map and no type library: a dialog program needs only its instance handle.
    bool Init(HINSTANCE instance) {
        instance_ = instance;
        return true;
    }
    void Term() { instance_ = nullptr; }
    HINSTANCE Instance() const { return instance_; }

private:
    HINSTANCE instance_ = nullptr;
};

Module& TheModule();

}  // namespace ui
