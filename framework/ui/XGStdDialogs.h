#pragma once
// The platform's save-file dialog. Like every modal question they can be answered by
// a responder that tests install; without one, where nothing can be shown, they are cancelled.

#include "XGFileSpecifier.h"

#include <functional>
#include <string>
#include <vector>

namespace yaaf {

// What the save dialog offers for one kind of document.
struct XGSaveDialogSpec {
    std::string title;
    // Each "Name (*.ext *.ext2)"; "All Files (*)" follows them.
    std::vector<std::string> filters;
    // Without the dot ("txt"): a chosen name without an extension gets it. Empty for none.
    std::string defaultSuffix;
};

// The chosen file is returned in `out`; false when cancelled.
bool XGRunSaveDialog(const XGSaveDialogSpec& spec, const std::string& defaultName, XGFileSpecifier& out);
// The same with the filters as pairs of label and pattern separated by "|"
// ("Text (*.txt)|*.txt|All (*.*)|*.*") and no default suffix.
bool XGRunSaveDialog(const std::string& title, const std::string& filter, const std::string& defaultName,
                     XGFileSpecifier& out);

// Answer the dialog instead of showing it: the path chosen (the default suffix is still added
// to a name without an extension), or false for Cancel. A request responder, when set, is
// asked before the plain one.
using XGSaveResponder =
    std::function<bool(const std::string& title, const std::string& defaultName, std::string& path)>;
XGSaveResponder XGSetSaveResponder(XGSaveResponder responder);
using XGSaveRequestResponder =
    std::function<bool(const XGSaveDialogSpec& spec, const std::string& defaultName, std::string& path)>;
XGSaveRequestResponder XGSetSaveRequestResponder(XGSaveRequestResponder responder);

// A name without an extension gets the suffix (nothing happens for an empty suffix).
void XGAddDefaultSuffix(XGFileSpecifier& file, const std::string& suffix);

} // namespace yaaf
