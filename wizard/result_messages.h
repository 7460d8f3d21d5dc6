// The one place where the library's result codes become words for the person at the screen.
#pragma once

namespace wizard {

// The text for a failed removal's code, or null when the code is reported by nothing.
const char* ResultMessage(int code);

// The caption of every message box of the wizard.
extern const char kErrorCaption[];

}  // namespace wizard
