#pragma once
// Shows the dialog layer's alerts as message boxes of the desktop.

namespace yaaf {

// Makes XGShowAlert show its alerts as message boxes from now on; called when the application
// object is made, so that libraries without widgets (the command-line tools) stay silent.
void XGInstallAlertBoxes();

} // namespace yaaf
