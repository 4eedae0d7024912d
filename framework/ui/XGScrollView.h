#pragma once
// A scroll view: a horizontal and a vertical scroll bar around one content view. The content is
// not moved: it draws itself shifted by the scroll position, and is told whenever that position
// changes, whoever changed it (a bar, the wheel, Page Up and Page Down, Home and End, or the
// program through SetScrollPosition).
//
// Positions are counted in scroll units of a size in pixels that the owner chooses (a text line,
// 10 pixels of a board); the limits are the content's size in pixels.

#include "XGView.h"

class QScrollBar;

namespace yaaf {

class XGScrollBarPair;

// What a content view that draws itself shifted by the scroll position hears. A content view
// that is not an XGScrollable is only redrawn when the position changes.
class XGScrollable {
public:
    // The new position in scroll units; x and y are within 0 and the scroll view's maximum.
    virtual void DoScrollChanged(int32 xUnits, int32 yUnits) = 0;

protected:
    ~XGScrollable() = default;
};

// The bars' ids: the parameter of 'scrs' and 'sval'.
enum : int32 {
    kXGScrollBar_Horizontal = 1,
    kXGScrollBar_Vertical = 2,
};

enum XGScrollBarPolicy {
    kXGScrollBar_Always = 0, // shown, and greyed while there is nothing to scroll
    kXGScrollBar_AsNeeded = 1,
    kXGScrollBar_Never = 2,
};

class XGScrollView : public XGView {
    YAAF_DECLARE_DISPATCH()
public:
    explicit XGScrollView(int32 id = 0);
    XGScrollView(XGView* parent, int32 id);
    ~XGScrollView() override;

    // The view between the bars; the scroll view owns it (a new one deletes the old one).
    void SetContentView(XGView* content);
    // The view set, else the first child view (a layout may add it as a plain child).
    XGView* GetContentView() const;
    // The scroll view whose content the view is, or none.
    static XGScrollView* FromContent(const XGView* content);

    // The content's size in pixels and the size of one scroll unit in pixels (at least 1). The
    // position is kept inside the new limits.
    void SetScrollLimits(int32 contentWidth, int32 contentHeight, int32 unitPixels);
    int32 GetContentWidth() const { return fContentWidth; }
    int32 GetContentHeight() const { return fContentHeight; }
    int32 GetScrollUnit() const { return fUnit; }

    // The position in units: 0 to the maximum, which is the content's size less the visible
    // area, in units rounded up (0 when everything is visible).
    int32 GetXScroll() const { return fX; }
    int32 GetYScroll() const { return fY; }
    int32 GetMaxXScroll() const;
    int32 GetMaxYScroll() const;
    // Clamped to the range; the content is told when the position changed.
    void SetScrollPosition(int32 xUnits, int32 yUnits);
    void ScrollBy(int32 dxUnits, int32 dyUnits);
    // Scrolls the least that brings the rectangle (content pixels) into view; where it does not
    // fit, its top left corner.
    void ScrollToShow(const tagRECT& contentRect);

    // The visible area in pixels (the content view's size), and one page in units (at least 1).
    int32 GetVisibleWidth() const;
    int32 GetVisibleHeight() const;
    int32 GetPageX() const;
    int32 GetPageY() const;
    // The step of the bars' arrows, in units (1 at first); a wheel notch scrolls the platform's
    // number of lines (usually 3) of it.
    void SetLineStep(int32 units);
    int32 GetLineStep() const { return fLineStep; }

    void SetBarPolicy(XGScrollBarPolicy horizontal, XGScrollBarPolicy vertical);
    bool IsHorizontalBarShown() const;
    bool IsVerticalBarShown() const;

    // Messages of the bars: a drag starts ('scrs'), a bar's value changed ('sval', the data
    // points to the new value in units).
    virtual int32 DoSliderStart(int32 barID);
    virtual int32 DoSliderValue(int32 barID, int32 value);
    // Page Up, Page Down, Home and End that the content left alone.
    virtual int32 DoKey(int32 key);

    // For framework code and tests: the platform's bars.
    QScrollBar* GetHorizontalBar() const;
    QScrollBar* GetVerticalBar() const;

protected:
    void DoResize() override;
    bool DoScrollWheel(Point where, int32 delta, bool horizontal, uint16 modifiers) override;

private:
    friend class XGScrollBarPair;

    int32 HandleSliderStart(int32 param, void*) { return DoSliderStart(param); }
    int32 HandleSliderValue(int32 param, void* data) {
        return data ? DoSliderValue(param, *static_cast<int32*>(data)) : kDispatchNotHandled;
    }
    int32 HandleKey(int32 param, void*) { return DoKey(param); }

    // Places bars and content, then brings the bars' ranges and values in step.
    void LayOut();
    void UpdateBars();
    void Notify();

    XGScrollBarPair* fBars = nullptr;
    XGView* fContent = nullptr;
    int32 fContentWidth = 0;
    int32 fContentHeight = 0;
    int32 fUnit = 1;
    int32 fX = 0;
    int32 fY = 0;
    int32 fLineStep = 1;
    int32 fWheelRest = 0;
    int32 fWheelRestH = 0;
    XGScrollBarPolicy fHPolicy = kXGScrollBar_Always;
    XGScrollBarPolicy fVPolicy = kXGScrollBar_Always;
    bool fUpdating = false;
};

} // namespace yaaf
