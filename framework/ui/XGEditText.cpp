#include "XGEditText.h"

#include "XGKeyboard.h"
#include "XGTextScrap.h"

namespace yaaf {

YAAF_DISPATCH_BEGIN(XGEditText)
YAAF_DISPATCH_ENTRY('keye', XGEditText, HandleKey)
YAAF_DISPATCH_ENTRY('menu', XGEditText, HandleMenu)
YAAF_DISPATCH_ENTRY('stat', XGEditText, HandleStatus)
YAAF_DISPATCH_ENTRY('peri', XGEditText, HandleIdle)
YAAF_DISPATCH_END(XGEditText, XGView)

uint16 XGEditMouseFlags(uint16 modifiers, int clicks) {
    uint16 flags = modifiers & (kXGMod_Shift | kXGMod_RightButton);
    if (clicks >= 2) flags |= kXGEditMouse_DoubleClick;
    if (modifiers & kXGMod_LeftButton) flags |= kXGEditMouse_ButtonDown;
    return flags;
}

XGEditText::XGEditText(FourCharCode kind, int32 id)
    : XGView(kind, id), fEditCore(std::make_unique<XGEditCore>(this, tagRECT{}, XGFont())) {
    fEditCore->SetFieldEditor(true);
    fEditCore->SetScrollPixels(true);
    fEditCore->SetText(&fBuffer);
    SetFocusable(true);
}

XGEditText::XGEditText(XGView* parent, const tagRECT& bounds, const XGFont& font, int32 id, bool multiLine)
    : XGEditText('edit', id) {
    fEditCore->SetFont(font);
    fEditCore->SetWordWrap(multiLine);
    if (parent) parent->AddChild(this);
    SetBounds(bounds);
    fEditCore->SetArea(GetLocalBounds());
}

XGEditText::~XGEditText() = default;

void XGEditText::SetText(const std::string& text) {
    fBuffer.SetText(text.data(), int32(text.size()));
    fEditCore->SetText(&fBuffer);
}

void XGEditText::SetFont(const XGFont& font) {
    fEditCore->SetFont(font);
}

int32 XGEditText::DoKey(int32 param, void*) {
    return fEditCore->DoKey(uint32(param)) ? kDispatchHandled : kDispatchNotHandled;
}

int32 XGEditText::DoMenuCommand(int32 command) {
    switch (command) {
    case kXGCmd_Cut:
        fEditCore->DoCut();
        return kDispatchHandled;
    case kXGCmd_Copy:
        fEditCore->DoCopy();
        return kDispatchHandled;
    case kXGCmd_Paste:
        fEditCore->DoPaste();
        return kDispatchHandled;
    case kXGCmd_Clear:
        fEditCore->DoClear();
        return kDispatchHandled;
    case kXGCmd_SelectAll:
        fEditCore->DoSelectAll();
        return kDispatchHandled;
    default:
        return kDispatchNotHandled;
    }
}

int32 XGEditText::DoGetMenuStatus(int32 command, XGSMenuStatus* status) {
    switch (command) {
    case kXGCmd_Cut:
    case kXGCmd_Copy:
    case kXGCmd_Clear:
        status->enable = fEditCore->CanCut();
        return kDispatchHandled;
    case kXGCmd_Paste:
        status->enable = XGScrapHasText();
        return kDispatchHandled;
    case kXGCmd_SelectAll:
        status->enable = true;
        return kDispatchHandled;
    default:
        return kDispatchNotHandled;
    }
}

int32 XGEditText::DoIdle() {
    fEditCore->DoIdle();
    return kDispatchNotHandled;
}

void XGEditText::DoGainFocus() {
    fEditCore->DoGainFocus();
}

void XGEditText::DoLoseFocus() {
    fEditCore->DoLoseFocus();
}

void XGEditText::DoDraw(XGDraw& draw, const tagRECT& updateRect) {
    fEditCore->DoDraw(draw, updateRect);
}

void XGEditText::DoMouseDown(Point where, uint16 modifiers, int clicks) {
    fEditCore->DoMouseDown(where, XGEditMouseFlags(modifiers, clicks));
}

void XGEditText::DoMouseMove(Point where, uint16 modifiers) {
    fEditCore->DoMouseMove(where, XGEditMouseFlags(modifiers, 1));
}

void XGEditText::DoMouseUp(Point where, uint16 modifiers) {
    fEditCore->DoMouseUp(where, XGEditMouseFlags(modifiers, 1));
}

void XGEditText::DoResize() {
    fEditCore->SetArea(GetLocalBounds());
}

} // namespace yaaf
