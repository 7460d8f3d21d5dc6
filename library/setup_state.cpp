#include "setup_state.h"

namespace olvet {

SetupState g_state = {{}, {}, {}, {}, {}, -1, nullptr, StageNone, ErrNone};

void ResetSetupState() {
    HMODULE module = g_state.moduleHandle;
    g_state = SetupState{{}, {}, {}, {}, {}, -1, module, StageNone, ErrNone};
}

}  // namespace olvet
