// Install step 3: the printer queue on the port and the driver.
#pragma once

namespace olvet {

int CreatePrinterQueue();

}  // namespace olvet
