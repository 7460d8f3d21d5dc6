#include "progress_recorder.h"

namespace progress {

int Recorder::SetProgress(int percent, const char* message) {
    receivers.push_back(this);
    windowTags.push_back(windowTag);
    milestones.push_back({percent, message ? message : "<null>"});
    if (onMilestone) onMilestone(percent);
    return 0;
}

std::vector<Milestone> CompleteInstall() {
    return {{20, "Adding port..."},
            {40, "Installing driver..."},
            {60, "Installing printer..."},
            {80, "Updating registry..."},
            {100, "Finishing installing..."}};
}

}  // namespace progress
