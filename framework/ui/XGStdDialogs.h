#pragma once
// The platform's save-file dialog. Like every modal question they can be answered by
// a responder that tests install; without one, where nothing can be shown, they are cancelled.

#include "XGFileSpecifier.h"

#include <functional>
#include <string>

namespace yaaf {

// filter: pairs of label and pattern separated by "|" ("Text (*.txt)|*.txt|All (*.*)|*.*").
// The chosen file is returned in `out`; false when cancelled.
bool XGRunSaveDialog(const std::string& title, const std::string& filter, const std::string& defaultName,
                     XGFileSpecifier& out);
using XGSaveResponder =
    std::function<bool(const std::string& title, const std::string& defaultName, std::string& path)>;
XGSaveResponder XGSetSaveResponder(XGSaveResponder responder);

} // namespace yaaf
