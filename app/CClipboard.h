#pragma once
// Typed data on the system clipboard. A flavor is a four-character code: 'TEXT' is the
// system's plain text, every other flavor travels under the name "0x%lX" of its code (the
// board-item flavor 'VoIt' as "0x566F4974").

#include "XGHandle.h"
#include "XGTypes.h"

#include <memory>
#include <string>
#include <vector>

namespace yaaf {
class XGClipboard;
}

constexpr yaaf::FourCharCode kFlavor_TEXT = 'TEXT';

class CClipboard {
public:
    CClipboard();
    ~CClipboard();
    CClipboard(const CClipboard&) = delete;
    CClipboard& operator=(const CClipboard&) = delete;

    // Opens the clipboard and empties it; Close hands what was added to the system.
    void Open();
    void Close();
    // Puts the handle's bytes on the clipboard under the flavor (between Open and Close).
    // Raises std::bad_alloc when the block cannot be made.
    void AddFlavor(yaaf::FourCharCode flavor, yaaf::XGHandle* handleP);
    bool FindFlavor(yaaf::FourCharCode flavor);
    // Reads the flavor into the handle; an absent flavor empties the handle and answers false.
    bool FindFlavor(yaaf::FourCharCode flavor, yaaf::XGHandle* handleP);
    // Forgets the blocks handed to the system.
    void Purge();
    size_t GetClipCount() const { return i_clipA.size(); }

    // The registered name of a flavor ("0x566F4974").
    static std::string FlavorName(yaaf::FourCharCode flavor);
    // Text to the clipboard: every line end (CR, LF, CR LF or LF CR) becomes CR LF; a zero
    // byte ends the text; the block ends in a zero byte.
    static std::string TextToClip(const char* bytes, size_t length);
    // Text from the clipboard, up to the first zero byte: every line end (CR LF, LF CR, a lone
    // CR or a lone LF) becomes one LF.
    static std::string TextFromClip(const char* bytes, size_t length);

private:
    std::unique_ptr<yaaf::XGClipboard> i_boardP;
    // The blocks handed to the system since the last Purge (flavor and size).
    std::vector<std::pair<yaaf::FourCharCode, size_t>> i_clipA;
};

// The clipboard of the application, made at start-up.
extern CClipboard* gClipboard;
