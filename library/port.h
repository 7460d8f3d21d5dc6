// The local port "OLVET_PDF:", added and deleted through the Local Port monitor.
#pragma once

namespace olvet {

// Install step 1.
int AddPrinterPort();
// Changes neither the stage nor the recorded error; the removal decides what a failure means.
int DeletePrinterPort();

}  // namespace olvet
