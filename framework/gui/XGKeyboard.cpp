#include "XGKeyboard.h"

#include "XGDispatch.h"

#include <Qt>

namespace yaaf {

uint16 XGKeyboard::sLastModifiers = 0;

namespace {

struct SpecialKey {
    int qtKey;
    uint16 code;
};

constexpr SpecialKey kSpecialKeys[] = {
    {Qt::Key_Up, kXGKey_Up},           {Qt::Key_Down, kXGKey_Down},
    {Qt::Key_Left, kXGKey_Left},       {Qt::Key_Right, kXGKey_Right},
    {Qt::Key_Insert, kXGKey_Insert},   {Qt::Key_Delete, kXGKey_Delete},
    {Qt::Key_Home, kXGKey_Home},       {Qt::Key_End, kXGKey_End},
    {Qt::Key_PageUp, kXGKey_PageUp},   {Qt::Key_PageDown, kXGKey_PageDown},
    {Qt::Key_Escape, kXGKey_Escape},   {Qt::Key_Help, kXGKey_Help},
    {Qt::Key_NumLock, kXGKey_NumLock},
};

int SpecialCode(int key) {
    for (const SpecialKey& s : kSpecialKeys)
        if (s.qtKey == key) return s.code;
    if (key >= Qt::Key_F1 && key <= Qt::Key_F15) return kXGKey_F1 + (key - Qt::Key_F1);
    return -1;
}

} // namespace

uint16 XGKeyboard::StateFromPlatform(uint32 keyboardModifiers, uint32 mouseButtons) {
    uint16 state = 0;
    if (keyboardModifiers & Qt::ShiftModifier) state |= kXGMod_Shift;
    if (keyboardModifiers & Qt::ControlModifier) state |= kXGMod_Control;
    if (keyboardModifiers & Qt::AltModifier) state |= kXGMod_Alt;
    if (mouseButtons & Qt::LeftButton) state |= kXGMod_LeftButton;
    if (mouseButtons & Qt::RightButton) state |= kXGMod_RightButton;
    if (mouseButtons & Qt::MiddleButton) state |= kXGMod_MiddleButton;
    return state;
}

std::vector<XGKeyMessage> XGKeyboard::Translate(int key, uint32 keyboardModifiers, const std::u16string& text,
                                                uint32 mouseButtons) {
    const uint16 state = StateFromPlatform(keyboardModifiers, mouseButtons);
    const uint32 high = uint32(state) << 16;
    std::vector<XGKeyMessage> out;

    // Shift+Tab arrives as its own key; it is still a Tab with Shift held.
    if (key == Qt::Key_Tab || key == Qt::Key_Backtab) {
        out.push_back({'keye', high | kXGKeyTabProbe, XGKeyMessage::kNormal});
        out.push_back({'keye', high | 9u, XGKeyMessage::kOnlyIfUnhandled});
        return out;
    }

    const int special = SpecialCode(key);
    if (special >= 0) {
        out.push_back({'keye', kXGKeySpecialFlag | high | uint32(special), XGKeyMessage::kAlwaysHandled});
        return out;
    }

    // A system character: Alt with a key (Control+Alt types characters on some layouts).
    if ((state & kXGMod_Alt) && !(state & kXGMod_Control)) {
        char16_t ch = 0;
        if (!text.empty())
            ch = text[0];
        else if (key >= 0x20 && key <= 0x7E) {
            ch = char16_t(key);
            if (ch >= 'A' && ch <= 'Z' && !(state & kXGMod_Shift)) ch = char16_t(ch - 'A' + 'a');
        }
        if (ch) out.push_back({'keym', high | ch, XGKeyMessage::kNormal});
        return out;
    }

    for (char16_t ch : text)
        out.push_back({'keye', high | ch, XGKeyMessage::kNormal});
    return out;
}

bool XGKeyboard::SendMessages(const std::vector<XGKeyMessage>& messages) {
    bool handled = false;
    bool previousHandled = false;
    for (const XGKeyMessage& m : messages) {
        if (m.rule == XGKeyMessage::kOnlyIfUnhandled && previousHandled) continue;
        const int32 result = XGDispatch::SendDispatch(m.msg, int32(m.param), nullptr);
        previousHandled = result != kDispatchNotHandled;
        if (previousHandled || m.rule == XGKeyMessage::kAlwaysHandled) handled = true;
    }
    return handled;
}

bool XGKeyboard::HandleKeyPress(int key, uint32 keyboardModifiers, const std::u16string& text,
                                uint32 mouseButtons) {
    sLastModifiers = StateFromPlatform(keyboardModifiers, mouseButtons);
    return SendMessages(Translate(key, keyboardModifiers, text, mouseButtons));
}

} // namespace yaaf
