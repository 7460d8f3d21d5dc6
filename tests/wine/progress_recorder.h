// A setup program's progress object, as an integrator might write it: the
// progress interface is its second base, so the library must call through
// the right part of the object.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "olvet_pdf_printer_installer.h"

namespace progress {

class Window {
public:
    virtual ~Window() = default;
    int windowTag = 0x51DE;  // data ahead of the progress part
};

struct Milestone {
    int percent;
    std::string message;
    bool operator==(const Milestone& other) const { return percent == other.percent && message == other.message; }
};

class Recorder : public Window, public IProgressInfo {
public:
    int SetProgress(int percent, const char* message) override;

    std::vector<Milestone> milestones;
    std::vector<const Recorder*> receivers;  // the object each call arrived on
    std::vector<int> windowTags;             // what that object's first base held
    std::function<void(int)> onMilestone;
};

// The five milestones of a complete install.
std::vector<Milestone> CompleteInstall();

}  // namespace progress
