#pragma once
// Keyboard translation: platform key presses become 'keye' and 'keym' messages sent along the
// focus chain. The translation itself is a pure function so that its table can be checked
// without a window.

#include "XGTypes.h"

#include <string>
#include <vector>

namespace yaaf {

// The modifier state carried in the high half of key parameters.
enum : uint16 {
    kXGMod_Shift = 0x01,
    kXGMod_Control = 0x02,
    kXGMod_Alt = 0x08,
    kXGMod_LeftButton = 0x10,
    kXGMod_RightButton = 0x20,
    kXGMod_MiddleButton = 0x40,
    // Mouse events only: the press is the second of a double click; the mouse is captured by
    // the view (a button went down in it and is still down).
    kXGMod_DoubleClick = 0x1000,
    kXGMod_Captured = 0x2000,
};

// Codes of the special keys, sent as 0x80000000 | state << 16 | code.
enum : uint16 {
    kXGKey_Up = 0x80,
    kXGKey_Down = 0x81,
    kXGKey_Left = 0x82,
    kXGKey_Right = 0x83,
    kXGKey_Insert = 0x84,
    kXGKey_Delete = 0x85,
    kXGKey_Home = 0x86,
    kXGKey_End = 0x87,
    kXGKey_PageUp = 0x88,
    kXGKey_PageDown = 0x89,
    kXGKey_Escape = 0x8A,
    kXGKey_Help = 0x8B,
    kXGKey_NumLock = 0x8C,
    kXGKey_F1 = 0xA0, // F1 to F15: 0xA0 to 0xAE
};

constexpr uint32 kXGKeySpecialFlag = 0x80000000u;
// Backspace arrives as a character, like Return.
constexpr uint16 kXGChar_Backspace = 8;
// The character part of the first message of a Tab press.
constexpr uint16 kXGKeyTabProbe = 0xFFFF;

// One message of a translated key press.
struct XGKeyMessage {
    enum Rule {
        kNormal,          // handled when a receiver answers anything but -1
        kAlwaysHandled,   // a special key: the press counts as handled whatever the answer
        kOnlyIfUnhandled, // sent only when the message before it was not handled
    };
    int32 msg;
    uint32 param;
    Rule rule;

    bool operator==(const XGKeyMessage&) const = default;
};

class XGKeyboard {
public:
    // The modifier state from the platform's keyboard modifiers and mouse buttons (Qt values).
    static uint16 StateFromPlatform(uint32 keyboardModifiers, uint32 mouseButtons);

    // The messages for one key press. key and modifiers are Qt's values, text is what the key
    // types (UTF-16), mouseButtons Qt's pressed buttons.
    static std::vector<XGKeyMessage> Translate(int key, uint32 keyboardModifiers, const std::u16string& text,
                                               uint32 mouseButtons = 0);

    // Sends the messages of a key press to the focus chain; true when the press was handled.
    static bool HandleKeyPress(int key, uint32 keyboardModifiers, const std::u16string& text,
                               uint32 mouseButtons = 0);
    static bool SendMessages(const std::vector<XGKeyMessage>& messages);

    // The state of the last key or mouse event seen.
    static uint16 GetLastModifiers() { return sLastModifiers; }
    static void SetLastModifiers(uint16 state) { sLastModifiers = state; }

private:
    static uint16 sLastModifiers;
};

} // namespace yaaf
