#pragma once
// The system clipboard as a set of typed byte blocks. Plain text travels as the system's text
// (text/plain, UTF-8); every other kind travels under the MIME type made from its registered
// name ("application/x-vorn-" and the name). Without a graphical application object the
// clipboard is empty and writing does nothing.

#include "XGTypes.h"

#include <memory>
#include <string>

class QMimeData;

namespace yaaf {

class XGClipboard {
public:
    XGClipboard();
    ~XGClipboard();
    XGClipboard(const XGClipboard&) = delete;
    XGClipboard& operator=(const XGClipboard&) = delete;

    // Starts a new set of contents and empties the system clipboard.
    void Open();
    // Adds a block to the set being made (after Open).
    void AddText(const std::string& utf8);
    void AddData(const std::string& registeredName, const std::string& bytes);
    // Hands the set to the system.
    void Close();
    bool IsOpen() const { return fPending != nullptr; }

    static bool HasText();
    static bool HasData(const std::string& registeredName);
    static bool GetText(std::string& utf8);
    static bool GetData(const std::string& registeredName, std::string& bytes);

    static std::string MimeTypeFor(const std::string& registeredName);

private:
    QMimeData* fPending = nullptr;
};

} // namespace yaaf
