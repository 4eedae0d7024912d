#pragma once
// The platform's open-file dialog, with a hook through which tests answer it.

#include "XGFileSpecifier.h"

#include <functional>
#include <string>
#include <vector>

namespace yaaf {

// Shows the open dialog with the filters (each "Name (*.ext *.ext2)"); true and the chosen file
// in `out`, false when the user cancelled.
bool XGChooseOpenFile(const std::string& title, const std::vector<std::string>& filters,
                      XGFileSpecifier& out);

// Shows the dialog that chooses a folder; true and the chosen folder in `out`, false when the
// user cancelled. The hook below answers it too (with no filters).
bool XGChooseFolder(const std::string& title, XGFileSpecifier& out);

// Answers the dialog instead of showing it: the hook gets the title and filters and answers the
// chosen path, or an empty text for Cancel. An empty function removes it.
using XGOpenFileHook =
    std::function<std::string(const std::string& title, const std::vector<std::string>& filters)>;
XGOpenFileHook XGSetOpenFileHook(XGOpenFileHook hook);

} // namespace yaaf
