#pragma once
// An editable text field: a view that owns its string and edits it with the text engine,
// directly and without undo (dialog fields, in-place editors).

#include "XGEditCore.h"
#include "XGTextBuffer.h"
#include "XGView.h"

#include <memory>
#include <string>

namespace yaaf {

// Edit commands that fields answer.
enum : int32 {
    kXGCmd_Cut = 16899,
    kXGCmd_Copy = 16900,
    kXGCmd_Paste = 16901,
    kXGCmd_Clear = 16902,
    kXGCmd_SelectAll = 47,
};

class XGEditText : public XGView {
    YAAF_DECLARE_DISPATCH()
public:
    explicit XGEditText(FourCharCode kind = 'edit', int32 id = 0);
    // A field inside parent; multiLine makes a wrapped field that still leaves Return to its owner.
    XGEditText(XGView* parent, const tagRECT& bounds, const XGFont& font, int32 id, bool multiLine = false);
    ~XGEditText() override;

    void SetText(const std::string& text);
    std::string GetText() const { return fBuffer.ToString(); }
    XGEditCore* GetEditCore() const { return fEditCore.get(); }
    void SetFont(const XGFont& font);

    virtual int32 DoKey(int32 param, void* data);
    virtual int32 DoMenuCommand(int32 command);
    virtual int32 DoGetMenuStatus(int32 command, XGSMenuStatus* status);
    virtual int32 DoIdle();

    void DoGainFocus() override;
    void DoLoseFocus() override;

protected:
    void DoDraw(XGDraw& draw, const tagRECT& updateRect) override;
    void DoMouseDown(Point where, uint16 modifiers, int clicks) override;
    void DoMouseMove(Point where, uint16 modifiers) override;
    void DoMouseUp(Point where, uint16 modifiers) override;
    void DoResize() override;

    XGTextBuffer fBuffer;
    std::unique_ptr<XGEditCore> fEditCore;

private:
    int32 HandleKey(int32 param, void* data) { return DoKey(param, data); }
    int32 HandleMenu(int32 param, void*) { return DoMenuCommand(param); }
    int32 HandleStatus(int32 param, void* data) {
        return DoGetMenuStatus(param, static_cast<XGSMenuStatus*>(data));
    }
    int32 HandleIdle(int32, void*) { return DoIdle(); }
};

// Mouse flags for the engine from a view's mouse event.
uint16 XGEditMouseFlags(uint16 modifiers, int clicks);

} // namespace yaaf
