#pragma once
// The platform's warning sound, for an action that cannot be done.

namespace yaaf {

void XGBeep();
// How many times the program beeped (tests look at it).
int XGBeepCount();

} // namespace yaaf
