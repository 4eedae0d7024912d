#pragma once
// The main frame's toolbar, built from a toolbar resource. Each button carries a command id,
// sends 'menu' when pressed and takes its state from 'stat' after each event, like a menu item.

#include "XGTypes.h"

#include <memory>
#include <string>
#include <vector>

class QMainWindow;

namespace yaaf {

struct XGToolbarPlatform;

class XGToolbar {
public:
    explicit XGToolbar(QMainWindow* frame);
    ~XGToolbar();
    XGToolbar(const XGToolbar&) = delete;
    XGToolbar& operator=(const XGToolbar&) = delete;

    bool Load(int16 id);
    // 'Prst', 'stat' for each button, 'Post'.
    void UpdateStatus();

    std::vector<int32> GetButtonIDs() const;
    bool IsButtonEnabled(int32 command) const;

    // The names of the icons the toolbar can draw.
    static bool HasIcon(const std::string& name);

private:
    std::unique_ptr<XGToolbarPlatform> fPlatform;
};

} // namespace yaaf
