#include "XGInlineEdit.h"

#include "XGKeyboard.h"

namespace yaaf {

YAAF_DISPATCH_BEGIN(XGInlineEdit)
YAAF_DISPATCH_END(XGInlineEdit, XGEditText)

XGInlineEdit::XGInlineEdit(XGView* owner, const tagRECT& bounds, const XGFont& font, const std::string& text,
                           bool wrap, int32 id)
    : XGEditText(owner, bounds, font, id, wrap) {
    SetText(text);
    fEditCore->DoSelectAll();
    Show();
    SetFocus();
}

XGInlineEdit::~XGInlineEdit() = default;

int32 XGInlineEdit::DoKey(int32 param, void* data) {
    const uint32 key = uint32(param);
    if (fClosing) return kDispatchHandled;
    if (key & kXGKeySpecialFlag) {
        if ((key & 0xFFFF) == kXGKey_Escape) {
            Close(kXGInline_Cancelled);
            return kDispatchHandled;
        }
    } else {
        const uint32 ch = key & 0xFFFF;
        if (ch == '\r' || ch == '\n') {
            Close(kXGInline_Accepted);
            return kDispatchHandled;
        }
    }
    return XGEditText::DoKey(param, data);
}

void XGInlineEdit::DoLoseFocus() {
    XGEditText::DoLoseFocus();
    fLosingFocus = true;
    Close(kXGInline_Accepted);
}

void XGInlineEdit::Close(int32 result) {
    if (fClosing) return;
    fClosing = true;
    fResult = result;
    // The owner may delete this editor while handling the message: nothing is touched after.
    DoDispatch('icls', GetID(), &fResult, true);
}

} // namespace yaaf
