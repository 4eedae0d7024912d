#include "XGScrollView.h"

#include "XGKeyboard.h"

#include <QApplication>
#include <QObject>
#include <QPointer>
#include <QScrollBar>
#include <QStyle>
#include <QWidget>

#include <algorithm>

namespace yaaf {

YAAF_DISPATCH_BEGIN(XGScrollView)
YAAF_DISPATCH_ENTRY('scrs', XGScrollView, HandleSliderStart)
YAAF_DISPATCH_ENTRY('sval', XGScrollView, HandleSliderValue)
YAAF_DISPATCH_ENTRY('keye', XGScrollView, HandleKey)
YAAF_DISPATCH_END(XGScrollView, XGView)

// The platform's bars; their connections end with this object, so a bar that outlives its view
// for a moment (a widget deleted later) reaches nobody.
class XGScrollBarPair {
public:
    XGScrollBarPair(XGScrollView* view, QWidget* parent)
        : h(new QScrollBar(Qt::Horizontal, parent)), v(new QScrollBar(Qt::Vertical, parent)), fH(h), fV(v) {
        for (QScrollBar* bar : {h, v}) {
            const int32 id = bar == h ? kXGScrollBar_Horizontal : kXGScrollBar_Vertical;
            bar->setFocusPolicy(Qt::NoFocus);
            QObject::connect(bar, &QScrollBar::valueChanged, &fContext, [view, id](int value) {
                if (view->fUpdating) return;
                int32 v = value;
                view->DoDispatch('sval', id, &v, true);
            });
            QObject::connect(bar, &QScrollBar::sliderPressed, &fContext,
                             [view, id] { view->DoDispatch('scrs', id, nullptr, true); });
        }
    }
    // The bars go with the view's widget when that went first.
    ~XGScrollBarPair() {
        delete fH.data();
        delete fV.data();
    }

    QScrollBar* h;
    QScrollBar* v;

private:
    QPointer<QScrollBar> fH;
    QPointer<QScrollBar> fV;
    QObject fContext;
};

XGScrollView::XGScrollView(int32 id) : XGView('scrv', id) {
    fBars = new XGScrollBarPair(this, GetWidget());
    LayOut();
}

XGScrollView::XGScrollView(XGView* parent, int32 id) : XGScrollView(id) {
    if (parent) parent->AddChild(this);
}

XGScrollView::~XGScrollView() {
    delete fBars;
    fBars = nullptr;
}

void XGScrollView::SetContentView(XGView* content) {
    XGView* old = GetContentView();
    if (content == old) {
        fContent = content;
        return;
    }
    fContent = nullptr;
    delete old;
    fContent = content;
    if (content) AddChild(content);
    LayOut();
    Notify();
}

XGView* XGScrollView::GetContentView() const {
    const std::vector<XGView*>& children = GetChildren();
    if (fContent && std::find(children.begin(), children.end(), fContent) != children.end()) return fContent;
    return children.empty() ? nullptr : children.front();
}

XGScrollView* XGScrollView::FromContent(const XGView* content) {
    auto* scroller = dynamic_cast<XGScrollView*>(content ? content->GetParent() : nullptr);
    return scroller && scroller->GetContentView() == content ? scroller : nullptr;
}

void XGScrollView::SetScrollLimits(int32 contentWidth, int32 contentHeight, int32 unitPixels) {
    contentWidth = std::max(0, contentWidth);
    contentHeight = std::max(0, contentHeight);
    unitPixels = std::max(1, unitPixels);
    if (contentWidth == fContentWidth && contentHeight == fContentHeight && unitPixels == fUnit) return;
    fContentWidth = contentWidth;
    fContentHeight = contentHeight;
    fUnit = unitPixels;
    LayOut();
}

int32 XGScrollView::GetVisibleWidth() const {
    const XGView* content = GetContentView();
    return content ? content->GetWidth() : 0;
}

int32 XGScrollView::GetVisibleHeight() const {
    const XGView* content = GetContentView();
    return content ? content->GetHeight() : 0;
}

int32 XGScrollView::GetMaxXScroll() const {
    const int32 hidden = fContentWidth - GetVisibleWidth();
    return hidden > 0 ? (hidden + fUnit - 1) / fUnit : 0;
}

int32 XGScrollView::GetMaxYScroll() const {
    const int32 hidden = fContentHeight - GetVisibleHeight();
    return hidden > 0 ? (hidden + fUnit - 1) / fUnit : 0;
}

int32 XGScrollView::GetPageX() const {
    return std::max(1, GetVisibleWidth() / fUnit);
}

int32 XGScrollView::GetPageY() const {
    return std::max(1, GetVisibleHeight() / fUnit);
}

void XGScrollView::SetLineStep(int32 units) {
    fLineStep = std::max(1, units);
    UpdateBars();
}

void XGScrollView::SetScrollPosition(int32 xUnits, int32 yUnits) {
    xUnits = std::clamp(xUnits, 0, GetMaxXScroll());
    yUnits = std::clamp(yUnits, 0, GetMaxYScroll());
    if (xUnits == fX && yUnits == fY) return;
    fX = xUnits;
    fY = yUnits;
    UpdateBars();
    Notify();
}

void XGScrollView::ScrollBy(int32 dxUnits, int32 dyUnits) {
    SetScrollPosition(fX + dxUnits, fY + dyUnits);
}

void XGScrollView::ScrollToShow(const tagRECT& r) {
    auto axis = [this](int32 from, int32 to, int32 pos, int32 visible) {
        const int32 first = pos * fUnit;
        if (to - from > visible || from < first) return from / fUnit;
        if (to > first + visible) return (to - visible + fUnit - 1) / fUnit;
        return pos;
    };
    SetScrollPosition(axis(r.left, r.right, fX, GetVisibleWidth()),
                      axis(r.top, r.bottom, fY, GetVisibleHeight()));
}

void XGScrollView::SetBarPolicy(XGScrollBarPolicy horizontal, XGScrollBarPolicy vertical) {
    fHPolicy = horizontal;
    fVPolicy = vertical;
    LayOut();
}

bool XGScrollView::IsHorizontalBarShown() const {
    return fBars && !fBars->h->isHidden();
}

bool XGScrollView::IsVerticalBarShown() const {
    return fBars && !fBars->v->isHidden();
}

QScrollBar* XGScrollView::GetHorizontalBar() const {
    return fBars ? fBars->h : nullptr;
}

QScrollBar* XGScrollView::GetVerticalBar() const {
    return fBars ? fBars->v : nullptr;
}

int32 XGScrollView::DoSliderStart(int32) {
    return kDispatchHandled;
}

int32 XGScrollView::DoSliderValue(int32 barID, int32 value) {
    if (barID == kXGScrollBar_Horizontal)
        SetScrollPosition(value, fY);
    else if (barID == kXGScrollBar_Vertical)
        SetScrollPosition(fX, value);
    else
        return kDispatchNotHandled;
    return kDispatchHandled;
}

int32 XGScrollView::DoKey(int32 keyL) {
    const uint32 key = uint32(keyL);
    if (!(key & kXGKeySpecialFlag)) return kDispatchNotHandled;
    switch (key & 0xFFFF) {
    case kXGKey_PageUp:
        ScrollBy(0, -GetPageY());
        return kDispatchHandled;
    case kXGKey_PageDown:
        ScrollBy(0, GetPageY());
        return kDispatchHandled;
    case kXGKey_Home:
        SetScrollPosition(0, 0);
        return kDispatchHandled;
    case kXGKey_End:
        SetScrollPosition(fX, GetMaxYScroll());
        return kDispatchHandled;
    default:
        return kDispatchNotHandled;
    }
}

bool XGScrollView::DoScrollWheel(Point, int32 delta, bool horizontal, uint16) {
    // A notch is 120; finer wheels send parts of it, which add up.
    int32& rest = horizontal ? fWheelRestH : fWheelRest;
    rest += delta;
    const int32 notches = rest / 120;
    if (notches == 0) return true;
    rest -= notches * 120;
    const int32 units = -notches * std::max(1, QApplication::wheelScrollLines()) * fLineStep;
    if (horizontal)
        ScrollBy(units, 0);
    else
        ScrollBy(0, units);
    return true;
}

void XGScrollView::DoResize() {
    LayOut();
}

void XGScrollView::LayOut() {
    if (!fBars || fUpdating) return;
    const int32 width = GetWidth();
    const int32 height = GetHeight();
    const int32 thick = QApplication::style()->pixelMetric(QStyle::PM_ScrollBarExtent);
    // A bar shown only when needed takes room that may make the other one needed too.
    bool h = fHPolicy == kXGScrollBar_Always;
    bool v = fVPolicy == kXGScrollBar_Always;
    for (int pass = 0; pass < 2; ++pass) {
        if (fHPolicy == kXGScrollBar_AsNeeded) h = fContentWidth > width - (v ? thick : 0);
        if (fVPolicy == kXGScrollBar_AsNeeded) v = fContentHeight > height - (h ? thick : 0);
    }
    const int32 innerWidth = std::max(0, width - (v ? thick : 0));
    const int32 innerHeight = std::max(0, height - (h ? thick : 0));
    fUpdating = true;
    fBars->h->setVisible(h);
    fBars->v->setVisible(v);
    fBars->h->setGeometry(0, height - thick, innerWidth, thick);
    fBars->v->setGeometry(width - thick, 0, thick, innerHeight);
    if (XGView* content = GetContentView()) content->SetBounds(tagRECT{0, 0, innerWidth, innerHeight});
    fUpdating = false;
    // A larger window or a smaller content may leave the position past the end.
    const int32 x = std::min(fX, GetMaxXScroll());
    const int32 y = std::min(fY, GetMaxYScroll());
    const bool moved = x != fX || y != fY;
    fX = x;
    fY = y;
    UpdateBars();
    if (moved) Notify();
}

void XGScrollView::UpdateBars() {
    if (!fBars) return;
    const bool was = fUpdating;
    fUpdating = true;
    auto set = [this](QScrollBar* bar, int32 max, int32 page, int32 value) {
        bar->setRange(0, max);
        bar->setPageStep(page);
        bar->setSingleStep(fLineStep);
        bar->setValue(value);
        bar->setEnabled(max > 0);
    };
    set(fBars->h, GetMaxXScroll(), GetPageX(), fX);
    set(fBars->v, GetMaxYScroll(), GetPageY(), fY);
    fUpdating = was;
}

void XGScrollView::Notify() {
    XGView* content = GetContentView();
    if (!content) return;
    if (auto* scrollable = dynamic_cast<XGScrollable*>(content))
        scrollable->DoScrollChanged(fX, fY);
    else
        content->InvalView();
}

} // namespace yaaf
