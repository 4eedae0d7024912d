#pragma once
// A view: a rectangle of a window that draws itself, takes mouse and keyboard input and holds
// child views. Views nest; each receives messages and passes what it does not handle to its
// enclosing view, then to its window.

#include "XGDispatch.h"
#include "XGInvalTarget.h"
#include "XGTypes.h"

#include <string>
#include <vector>

class QWidget;

namespace yaaf {

class XGDraw;
class XGDropper;
class XGWindow;
class XGViewWidget;

class XGView : public XGDispatch, public XGInvalTarget {
    YAAF_DECLARE_DISPATCH()
public:
    explicit XGView(FourCharCode kind = 'view', int32 id = 0);
    // Made inside a parent view, which owns it.
    XGView(XGView* parent, FourCharCode kind = 'view', int32 id = 0);
    ~XGView() override;

    XGDispatch* GetParentDispatch() const override;
    void SetFocus() override;

    // Ownership of children: a view deletes its children when it is deleted.
    void AddChild(XGView* child);
    // Gives a child back to the caller, who then owns it.
    void RemoveChild(XGView* child);
    const std::vector<XGView*>& GetChildren() const { return fChildren; }
    // This view or the first descendant with the id, depth first.
    XGView* FindView(int32 id);

    XGView* GetParent() const { return fParent; }
    XGWindow* GetWindow() const { return fWindow; }
    int32 GetID() const { return fID; }
    void SetID(int32 id) { fID = id; }
    FourCharCode GetKind() const { return fKind; }

    // In the parent view's coordinates.
    tagRECT GetBounds() const;
    void SetBounds(const tagRECT& bounds);
    // In the view's own coordinates: 0, 0, width, height.
    tagRECT GetLocalBounds() const;
    int32 GetWidth() const;
    int32 GetHeight() const;

    void InvalView();
    void InvalRect(const tagRECT& r) override;

    void Show();
    void Hide();
    bool IsShown() const { return fShown; }

    // Whether clicks and Tab give this view the keyboard focus.
    void SetFocusable(bool focusable);
    bool IsFocusable() const { return fFocusable; }
    bool IsFocus() const { return gFocus == this; }

    // Move events also without a pressed button.
    void SetTrackMouseMoves(bool track);

    // The name a screen reader says for the view.
    void SetAccessibleName(const std::string& name);
    std::string GetAccessibleName() const;

    // Drags over the view go to the drop target (none: the view takes no drops). The view does
    // not own it.
    void SetDropper(XGDropper* dropper);
    XGDropper* GetDropper() const { return fDropper; }

    // Lets each view of this tree recompute its layout (DoResize), parents first.
    void Relayout();
    // Asks the window for a layout pass after the current event.
    void RequestLayout();

    // Framework code reaches the platform widget through this.
    QWidget* GetWidget() const;

protected:
    // Operations for subclasses. Points are in the view's own coordinates; modifiers are the
    // keyboard state bits (XGKeyboard.h), with the double-click bit on the second press of a
    // double click and the captured bit while a button pressed in the view is down.
    virtual void DoDraw(XGDraw& draw, const tagRECT& updateRect);
    virtual void DoMouseDown(Point where, uint16 modifiers, int clicks) {}
    virtual void DoMouseMove(Point where, uint16 modifiers) {}
    virtual void DoMouseUp(Point where, uint16 modifiers) {}
    // delta in eighths of a degree as the platform reports it; true when used.
    virtual bool DoScrollWheel(Point where, int32 delta, bool horizontal, uint16 modifiers) { return false; }
    virtual void DoResize() {}
    // The window has changed under this view (it was attached or detached).
    virtual void DoWindowChanged() {}

private:
    friend class XGViewWidget;
    friend class XGWindow;

    void SetWindowRecursive(XGWindow* window);
    void Attach(XGView* parent);

    XGViewWidget* fWidget = nullptr;
    XGView* fParent = nullptr;
    XGWindow* fWindow = nullptr;
    XGDropper* fDropper = nullptr;
    std::vector<XGView*> fChildren;
    int32 fID = 0;
    FourCharCode fKind = 'view';
    bool fShown = true;
    bool fFocusable = false;
};

} // namespace yaaf
