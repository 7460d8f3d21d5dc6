// Reads a dialog template resource as the dialog manager does, so that tests can compare it with the page tables.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

struct TemplateControl {
    DWORD style = 0;
    DWORD exStyle = 0;
    RECT box = {};  // x, y, width, height in dialog units, as left, top, right, bottom = width, height
    int id = 0;
    std::string windowClass;  // predefined classes by name: "Button", "Static", ...
    std::string text;         // an ordinal title reads "#<number>"
};

struct DialogTemplate {
    bool extended = false;
    DWORD style = 0;
    DWORD exStyle = 0;
    RECT box = {};
    std::string caption;
    int pointSize = 0;
    int weight = 0;
    int italic = 0;
    int charset = 0;
    std::string face;
    std::vector<TemplateControl> controls;
};

// Parses the template bytes; false when they are not a dialog template.
bool ParseDialogTemplate(const void* data, size_t size, DialogTemplate* result);
