// Install step 2: the printer driver, found registered or staged and added.
#pragma once

namespace olvet {

int InstallPrinterDriver();

}  // namespace olvet
