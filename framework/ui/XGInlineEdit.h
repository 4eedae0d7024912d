#pragma once
// An in-place editor over a rectangle of its owner view: the owner's string in the owner's
// font, all of it selected. Return, Enter, Escape and losing the focus (a click elsewhere) close
// it: the editor sends 'icls' along its chain with its id as parameter and a pointer to its
// result (1 accepted, 0 Escape) as data. The owner takes the text in its 'icls' handler and may
// delete the editor there; the editor does nothing more after sending.

#include "XGEditText.h"

namespace yaaf {

enum : int32 {
    kXGInline_Cancelled = 0,
    kXGInline_Accepted = 1,
};

class XGInlineEdit : public XGEditText {
    YAAF_DECLARE_DISPATCH()
public:
    // Made inside `owner` (which owns it, as any child view) and given the focus.
    XGInlineEdit(XGView* owner, const tagRECT& bounds, const XGFont& font, const std::string& text,
                 bool wrap = false, int32 id = 0);
    ~XGInlineEdit() override;

    int32 DoKey(int32 param, void* data) override;
    void DoLoseFocus() override;

    bool IsClosing() const { return fClosing; }
    // The editor closes because another view takes the focus (not by a key or its owner).
    bool IsLosingFocus() const { return fLosingFocus; }
    // Sends 'icls' once; later calls do nothing.
    void Close(int32 result);

private:
    bool fClosing = false;
    bool fLosingFocus = false;
    int32 fResult = kXGInline_Accepted;
};

} // namespace yaaf
