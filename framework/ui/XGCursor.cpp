#include "XGCursor.h"

#include "XGView.h"

#include <QCursor>
#include <QVariant>
#include <QWidget>

namespace yaaf {

namespace {
constexpr const char* kCursorProperty = "xgCursorID";

Qt::CursorShape ShapeOf(int16 cursorID) {
    switch (cursorID) {
    case kXGCursor_IBeam:
        return Qt::IBeamCursor;
    case kXGCursor_Size:
        return Qt::SizeAllCursor;
    case kXGCursor_Busy:
        return Qt::WaitCursor;
    case kXGCursor_Cross:
        return Qt::CrossCursor;
    default:
        return Qt::ArrowCursor;
    }
}
} // namespace

void XGCursor::Set(XGView* view, int16 cursorID) {
    QWidget* widget = view ? view->GetWidget() : nullptr;
    if (!widget) return;
    // Setting the same shape again on every mouse move would cost a round trip to the display.
    if (widget->property(kCursorProperty).isValid() && widget->property(kCursorProperty).toInt() == cursorID)
        return;
    widget->setProperty(kCursorProperty, int(cursorID));
    if (cursorID == kXGCursor_Arrow)
        widget->unsetCursor();
    else
        widget->setCursor(QCursor(ShapeOf(cursorID)));
}

int16 XGCursor::Get(const XGView* view) {
    QWidget* widget = view ? view->GetWidget() : nullptr;
    if (!widget) return kXGCursor_Arrow;
    const QVariant v = widget->property(kCursorProperty);
    return v.isValid() ? int16(v.toInt()) : int16(kXGCursor_Arrow);
}

} // namespace yaaf
