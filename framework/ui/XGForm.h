#pragma once
// A form stands between a window and its document: it carries the window's commands that are
// neither the views' nor the document's.

#include "XGDispatch.h"

namespace yaaf {

class XGWindow;

class XGForm : public XGDispatch {
    YAAF_DECLARE_DISPATCH()
public:
    XGForm() = default;
    ~XGForm() override = default;

    XGDispatch* GetParentDispatch() const override;

    // Whether the form's window may close now.
    virtual bool CanClose() { return true; }

    // The window that owns this form (set by the window).
    XGWindow* GetWindow() const { return fWindow; }

private:
    friend class XGWindow;
    XGWindow* fWindow = nullptr;
};

} // namespace yaaf
