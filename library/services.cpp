#include "services.h"

namespace olvet {

Services g_services = {nullptr, nullptr, nullptr, nullptr, nullptr};

}  // namespace olvet
