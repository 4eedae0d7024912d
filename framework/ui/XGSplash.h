#pragma once
// The splash window: the program's artwork centred on the screen, the name and version at the
// top right, and a status line at the bottom while start-up runs. It stays for a minimum time
// from the moment it was shown.

#include "XGTypes.h"

#include <string>

namespace yaaf {

class XGSplash {
public:
    // Shows the splash; `title` is drawn at the top right ("Vorn 1.0a50.3").
    static void Open(const std::string& title, int32 minimumMs);
    // Replaces the status line and draws it at once.
    static void Status(const std::string& line);
    // Waits until the minimum time has passed (events keep being handled), then removes it.
    static void Close();
    // Shows the splash until a mouse button or a key goes down (the About box).
    static void ShowUntilInput(const std::string& title);

    static bool IsOpen();
    static std::string GetStatus();
    // For tests and screenshots: the splash drawn into a PNG file.
    static bool SaveImage(const std::string& title, const std::string& status, const std::string& path);
};

} // namespace yaaf
