#pragma once
// Icons drawn in code: the program's own icon, and icons whose pixmaps are made only when they
// are first drawn, so that building menus, toolbars and frames at start-up draws nothing and
// loads no picture readers.

#include <functional>

class QIcon;

namespace yaaf {

// An icon that calls `make` the first time any of its pixmaps or sizes is asked for.
QIcon XGDeferredIcon(std::function<QIcon()> make);

// The program's icon: "AppIcon" (32 × 32) and "AppIconSmall" (16 × 16), drawn in code.
QIcon XGAppIcon();

// Gives the application the program's icon and a style whose standard icons that windows
// make for themselves (the menu bar's and toolbar's overflow buttons) are made when first
// drawn. Safe to call more than once; needs the platform set up.
void XGInstallPlatformLook();

} // namespace yaaf
