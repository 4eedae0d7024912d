#pragma once
// Platform probes: the shell's "open" for addresses, keys and mouse buttons held down, the
// program's version, and the clock.

#include "XGTypes.h"

#include <cstddef>
#include <string>

namespace yaaf {

// Asks the desktop to open the address with its default handler. 0 on success, 3 when nothing
// could open it (also for an empty or malformed address).
int32 LaunchURL(const char* url);
// The same for a file of the machine, given by its path's bytes.
int32 LaunchFilePath(const std::string& path);

// Tests replace the desktop with a hook that records the addresses; answers the previous hook.
// The hook answers whether the address was opened.
using XGLaunchURLHook = bool (*)(const char* url);
XGLaunchURLHook XGSetLaunchURLHook(XGLaunchURLHook hook);

// Keys: 1 Shift, 2 Caps Lock, 4 Alt, 0x200 space, 0x8000 Control. Caps Lock and space cannot be
// asked here and answer false; any other value is a reported internal error (false).
// Control also answers as the 16-bit value 0x8000 (-32768).
constexpr int32 kKey_SHIFT = 1;
constexpr int32 kKey_CAPSLOCK = 2;
constexpr int32 kKey_ALT = 4;
constexpr int32 kKey_SPACE = 0x200;
constexpr int32 kKey_CONTROL = 0x8000;
bool check_key_down(int32 key);

// Buttons: 1 primary, 2 secondary, 3 either. Answers the state at this moment; waitForChange is
// not supported (views follow the mouse through events) and is ignored.
bool MouseButtonDown(int16 button, bool waitForChange = false);
// The mouse position in screen coordinates.
Point GetGlobalMouse();

// The program's version text "1.0a50.3"; false when it had to be cut to fit `size`.
bool XGGetAppVersion(char* out, size_t size);
const char* XGAppVersionString();
int32 GetSystemVers();

// Milliseconds of a clock that never goes back; the start is arbitrary.
int64 XGGetTime();
constexpr int32 XGGetSecond() {
    return 1000;
}
constexpr int32 XGGetDoubleClick() {
    return 250;
}
constexpr int32 XGGetCursorBlink() {
    return 500;
}

} // namespace yaaf
