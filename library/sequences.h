// The two step sequences the entry points run once the environment is known.
#pragma once

class IProgressInfo;

namespace olvet {

int RunInstallSequence(IProgressInfo* progress);
int RunUninstallSequence();

}  // namespace olvet
