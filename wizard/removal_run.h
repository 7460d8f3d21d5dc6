// What Next on the welcome page does: the removal, its report and the finish page.
#pragma once

namespace wizard {

class WelcomePage;

// Ends the welcome page with end code 1 in every case; after a successful removal the finish page runs inside
// this call, and its Reboot ends the process here.
void RunRemoval(WelcomePage& welcome);

}  // namespace wizard
