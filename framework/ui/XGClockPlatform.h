#pragma once
// Timers of the platform's event loop for XGClock: they fire on time rather than at the next
// periodic pass of the run loop.

namespace yaaf {

// Installs the platform's clock as XGClock's (for the rest of the process).
void XGInstallPlatformClock();

} // namespace yaaf
