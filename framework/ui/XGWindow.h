#pragma once
// A document or tool window: a child window of the main frame (a top-level window when there is
// no frame). It owns its form, and through the form its document, and a tree of views under
// its content view.

#include "XGDispatch.h"
#include "XGTypes.h"

#include <string>
#include <vector>

class QWidget;

namespace yaaf {

class XGForm;
class XGDocument;
class XGView;
class XGWindowFrame;

// Attribute bits of a window (the window list leaves out windows with kXGWindowAttr_Unlisted).
enum : uint32 {
    kXGWindowAttr_Unlisted = 0x8,
};

// Sent up the window's dispatch chain (window, form, document, application) after the user or
// the program moved or sized the shown window; the parameter is 1 when the size changed, 0
// for a move; the data is the window.
constexpr FourCharCode kXGMsg_WindowMoved = 'wmov';

class XGWindow : public XGDispatch, public XGEventTrigger {
    YAAF_DECLARE_DISPATCH()
public:
    // The window takes the form (it may be none). A visible window shows itself and comes to
    // the front after the current event; an invisible one waits for Show or Select.
    explicit XGWindow(XGForm* form = nullptr, bool visible = true, FourCharCode kind = 'wind');
    ~XGWindow() override;

    XGDispatch* GetParentDispatch() const override;

    // Asks the form (and its document) whether the window may close, then deletes it.
    // Returns false when the close was refused; the window is gone when it returns true.
    bool Close();
    virtual bool CanClose();

    // The clamp, re-layout and (for non-zero values) show-and-front pass.
    void TriggerEvent(uint32 value) override;

    int32 GetWindowID() const { return fWindowID; }
    FourCharCode GetWindowKind() const { return fWindowKind; }
    // The kind value and attribute bits the window list sorts and filters by.
    int32 GetKindValue() const { return fKindValue; }
    void SetKindValue(int32 value) { fKindValue = value; }
    uint32 GetAttributes() const { return fAttributes; }
    void SetAttributes(uint32 attributes) { fAttributes = attributes; }

    // The menu bar layout the window wants while it is in front: -1 keeps the one loaded, 0 the
    // application's default, else a menu bar resource id.
    virtual int32 GetMenuBarResID() const { return fMenuBarResID; }
    void SetMenuBarResID(int32 id) { fMenuBarResID = id; }

    std::string GetName() const { return fName; }
    void SetName(const std::string& name);

    // The unsaved-changes mark: the frame's title shows "*" after the name while it is set.
    // A document window follows its document's changed state by itself. Virtual so that a
    // document reaches it through the window it is shown in, without linking the window code
    // into programs whose documents have no windows.
    virtual void SetModified(bool modified);
    bool IsModified() const { return fModified; }

    XGForm* GetForm() const { return fForm; }
    // The form's document when the form is a document form.
    XGDocument* GetDocument() const;

    // The root of the view tree; the window owns it. Setting a new one deletes the old one.
    XGView* GetContentView() const { return fContentView; }
    void SetContentView(XGView* view);

    // Window frame geometry in the main frame's client area (the screen without a frame). A
    // hidden window lays its views out at once, so that they know their size before it shows.
    tagRECT GetBounds() const;
    void SetBounds(const tagRECT& bounds);
    // Sizes the content view to the frame and lets every view lay itself out now.
    void LayOutNow();
    void SetSizeLimits(int32 minWidth, int32 minHeight, int32 maxWidth, int32 maxHeight);

    void Show();
    void Hide();
    bool IsVisible() const { return fShown; }

    // Raises the window above the others.
    void BringToFront();
    // Shows it, brings it to the front and gives it the focus.
    void Select();
    bool IsFront() const { return GetFrontWindow() == this; }

    // The view that had the focus last in this window, or none.
    XGView* GetFocusView() const { return fFocusView; }
    // Gives the focus to the last focused view, else to the window itself.
    void RestoreFocus();
    // The view that takes the focus when the window comes to the front, chosen before it is
    // shown (a view of this window; the focus itself stays where it is).
    void SetFocusView(XGView* view);

    // Messages the window answers itself; subclasses answer through overriding.
    virtual int32 DoKey(int32 param, void* data);
    virtual int32 DoMenuKey(int32 param, void* data);

    // The windows in front-to-back order.
    static const std::vector<XGWindow*>& GetWindows() { return sWindows; }
    // The frontmost visible window, or none.
    static XGWindow* GetFrontWindow();
    // The window whose platform widget contains the given one.
    static XGWindow* FromWidget(const QWidget* widget);

    // For framework code: the platform widget of the window frame.
    QWidget* GetFrameWidget() const;

private:
    friend class XGView;
    friend class XGWindowFrame;

    int32 HandleKey(int32 param, void* data) { return DoKey(param, data); }
    int32 HandleMenuKey(int32 param, void* data) { return DoMenuKey(param, data); }

    void NoteFocusView(XGView* view) { fFocusView = view; }
    void ViewGone(XGView* view);
    void NoteActivated();
    void NoteGeometryChanged(bool sized);
    void MoveToFront();
    void FrameGone();

    XGWindowFrame* fFrame = nullptr;
    XGForm* fForm = nullptr;
    XGView* fContentView = nullptr;
    XGView* fFocusView = nullptr;
    std::string fName;
    int32 fWindowID;
    FourCharCode fWindowKind;
    int32 fKindValue = 0;
    uint32 fAttributes = 0;
    int32 fMenuBarResID = 0;
    int32 fMinWidth = 64;
    int32 fMinHeight = 48;
    int32 fMaxWidth = 32000;
    int32 fMaxHeight = 32000;
    bool fShown = false;
    bool fClosing = false;
    bool fModified = false;

    static std::vector<XGWindow*> sWindows;
    static int32 sNextWindowID;
};

} // namespace yaaf
