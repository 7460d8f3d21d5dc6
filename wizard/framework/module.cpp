#include "module.h"

namespace ui {

namespace {
Module g_module;
}

Module& TheModule() {
    return g_module;
}

}  // namespace ui
