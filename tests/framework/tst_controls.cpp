// The control views of the layouts: the scroll view with its bars, wheel and page keys, the
// column header, the list and the pop-up control.

#include "XGControlMessages.h"
#include "XGHeader.h"
#include "XGKeyboard.h"
#include "XGListControl.h"
#include "XGPopControl.h"
#include "XGScrollView.h"
#include "XGWindow.h"

#include <QApplication>
#include <QComboBox>
#include <QHeaderView>
#include <QListWidget>
#include <QScrollBar>
#include <QTest>
#include <QWheelEvent>

#include <memory>
#include <vector>

using namespace yaaf;

namespace {

// A content view that draws itself shifted: it records every position it is told.
class Content : public XGView, public XGScrollable {
public:
    Content() : XGView('view', 5) {}
    void DoScrollChanged(int32 x, int32 y) override { fTold.push_back({x, y}); }
    std::vector<std::pair<int32, int32>> fTold;
};

// The enclosing view that hears what the controls report.
class Listener : public XGView {
    YAAF_DECLARE_DISPATCH()
public:
    struct Heard {
        FourCharCode msg;
        int32 id;
        int32 value;
        bool finalB;
    };
    int32 Ctrl(int32 id, void*) { return Note(kXGMsg_ControlChanged, id, 0, true); }
    int32 Select(int32 id, void* data) {
        return Note(kXGMsg_HeaderSelect, id, *static_cast<int32*>(data), true);
    }
    int32 Change(int32 id, void* data) {
        auto* r = static_cast<XGHeaderChangeRecord*>(data);
        return Note(kXGMsg_HeaderChange, id, r->width, r->finalB);
    }
    int32 Note(FourCharCode msg, int32 id, int32 value, bool finalB) {
        fHeard.push_back({msg, id, value, finalB});
        return kDispatchHandled;
    }
    std::vector<Heard> fHeard;
};

// A shown window whose content is one view of the given size.
struct Shown {
    explicit Shown(XGView* root, int width = 300, int height = 200) {
        window = std::make_unique<XGWindow>(nullptr, true);
        window->SetContentView(root);
        window->SetSizeLimits(1, 1, 32000, 32000);
        window->Show();
        window->GetFrameWidget()->resize(width, height);
        QCoreApplication::processEvents();
    }
    std::unique_ptr<XGWindow> window;
};

} // namespace

YAAF_DISPATCH_BEGIN(Listener)
YAAF_DISPATCH_ENTRY('ctrl', Listener, Ctrl)
YAAF_DISPATCH_ENTRY('hdrs', Listener, Select)
YAAF_DISPATCH_ENTRY('hdrc', Listener, Change)
YAAF_DISPATCH_END(Listener, XGView)

class TestControls : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { QApplication::setQuitOnLastWindowClosed(false); }

    void limitsAndPositions_data() {
        QTest::addColumn<int>("contentW");
        QTest::addColumn<int>("contentH");
        QTest::addColumn<int>("unit");
        QTest::addColumn<int>("askX");
        QTest::addColumn<int>("askY");
        QTest::addColumn<int>("maxX");
        QTest::addColumn<int>("maxY");
        QTest::addColumn<int>("x");
        QTest::addColumn<int>("y");
        // The visible area is 200 by 100 pixels.
        QTest::newRow("fits") << 150 << 80 << 10 << 5 << 5 << 0 << 0 << 0 << 0;
        QTest::newRow("exact") << 200 << 100 << 10 << 1 << 1 << 0 << 0 << 0 << 0;
        QTest::newRow("rounded up") << 201 << 105 << 10 << 1 << 1 << 1 << 1 << 1 << 1;
        QTest::newRow("board of tens") << 1000 << 700 << 10 << 30 << 99 << 80 << 60 << 30 << 60;
        QTest::newRow("lines of 13") << 200 << 1300 << 13 << 0 << 200 << 0 << 93 << 0 << 93;
        QTest::newRow("negative asked") << 900 << 900 << 1 << -5 << -1 << 700 << 800 << 0 << 0;
        QTest::newRow("unit 0 is 1") << 300 << 100 << 0 << 500 << 0 << 100 << 0 << 100 << 0;
    }
    void limitsAndPositions() {
        QFETCH(int, contentW);
        QFETCH(int, contentH);
        QFETCH(int, unit);
        QFETCH(int, askX);
        QFETCH(int, askY);
        auto* scroller = new XGScrollView(1);
        auto* content = new Content;
        scroller->SetContentView(content);
        Shown shown(scroller);
        const int thick = scroller->GetVerticalBar()->width();
        shown.window->GetFrameWidget()->resize(300, 200);
        QCoreApplication::processEvents();
        // Make the visible area 200 x 100 whatever the frame's decoration takes.
        const int dw = 200 - scroller->GetVisibleWidth(), dh = 100 - scroller->GetVisibleHeight();
        shown.window->GetFrameWidget()->resize(300 + dw, 200 + dh);
        QCoreApplication::processEvents();
        QCOMPARE(scroller->GetVisibleWidth(), 200);
        QCOMPARE(scroller->GetVisibleHeight(), 100);
        QCOMPARE(content->GetWidth(), scroller->GetWidth() - thick);
        scroller->SetScrollLimits(contentW, contentH, unit);
        scroller->SetScrollPosition(askX, askY);
        QTEST(scroller->GetMaxXScroll(), "maxX");
        QTEST(scroller->GetMaxYScroll(), "maxY");
        QTEST(scroller->GetXScroll(), "x");
        QTEST(scroller->GetYScroll(), "y");
        // The bars say the same, and the content heard the position once it changed.
        QTEST(scroller->GetHorizontalBar()->maximum(), "maxX");
        QTEST(scroller->GetVerticalBar()->value(), "y");
        QCOMPARE(scroller->GetVerticalBar()->isEnabled(), scroller->GetMaxYScroll() > 0);
        QCOMPARE(content->fTold.back(), std::make_pair(scroller->GetXScroll(), scroller->GetYScroll()));
    }

    void barWheelAndKeysMoveTheContent() {
        auto* scroller = new XGScrollView(1);
        auto* content = new Content;
        scroller->SetContentView(content);
        Shown shown(scroller);
        scroller->SetScrollLimits(2000, 5000, 10);
        scroller->SetLineStep(2);
        // The user drags the vertical bar.
        scroller->GetVerticalBar()->setValue(40);
        QCOMPARE(scroller->GetYScroll(), 40);
        QCOMPARE(content->fTold.back(), std::make_pair(0, 40));
        scroller->GetHorizontalBar()->triggerAction(QAbstractSlider::SliderSingleStepAdd);
        QCOMPARE(content->fTold.back(), std::make_pair(2, 40));
        // One notch down over the content, which leaves the wheel to the scroll view.
        QWheelEvent wheel(QPointF(10, 10), QPointF(10, 10), QPoint(), QPoint(0, -120), Qt::NoButton,
                          Qt::NoModifier, Qt::NoScrollPhase, false);
        QApplication::sendEvent(content->GetWidget(), &wheel);
        QCOMPARE(scroller->GetYScroll(), 40 + QApplication::wheelScrollLines() * 2);
        // Page Down that the content does not take goes up to the scroll view.
        const int32 before = scroller->GetYScroll();
        QCOMPARE(content->DoDispatch('keye', int32(kXGKeySpecialFlag | kXGKey_PageDown), nullptr, true),
                 kDispatchHandled);
        QCOMPARE(scroller->GetYScroll(), before + scroller->GetPageY());
        content->DoDispatch('keye', int32(kXGKeySpecialFlag | kXGKey_End), nullptr, true);
        QCOMPARE(scroller->GetYScroll(), scroller->GetMaxYScroll());
        QCOMPARE(scroller->GetVerticalBar()->value(), scroller->GetMaxYScroll());
        content->DoDispatch('keye', int32(kXGKeySpecialFlag | kXGKey_Home), nullptr, true);
        QCOMPARE(content->fTold.back(), std::make_pair(0, 0));
        // A larger window pulls a position past the end back, and says so.
        scroller->SetScrollPosition(scroller->GetMaxXScroll(), scroller->GetMaxYScroll());
        scroller->SetScrollLimits(400, 300, 10);
        QCOMPARE(content->fTold.back(), std::make_pair(scroller->GetMaxXScroll(), scroller->GetMaxYScroll()));
        // Showing a rectangle scrolls the least.
        scroller->SetScrollLimits(2000, 5000, 10);
        scroller->SetScrollPosition(0, 0);
        scroller->ScrollToShow(tagRECT{0, 1000, 20, 1010});
        QCOMPARE(scroller->GetYScroll() * 10 + scroller->GetVisibleHeight() >= 1010, true);
        QCOMPARE((scroller->GetYScroll() - 1) * 10 + scroller->GetVisibleHeight() < 1010, true);
    }

    void barsAsNeeded_data() {
        QTest::addColumn<int>("contentW");
        QTest::addColumn<int>("contentH");
        QTest::addColumn<bool>("h");
        QTest::addColumn<bool>("v");
        QTest::newRow("fits") << 100 << 100 << false << false;
        QTest::newRow("tall") << 100 << 900 << false << true;
        QTest::newRow("wide") << 900 << 100 << true << false;
        // The vertical bar takes the room that makes the content too wide after all.
        QTest::newRow("tall and nearly wide") << 295 << 900 << true << true;
    }
    void barsAsNeeded() {
        QFETCH(int, contentW);
        QFETCH(int, contentH);
        auto* scroller = new XGScrollView(1);
        scroller->SetContentView(new Content);
        Shown shown(scroller);
        const int dw = 300 - scroller->GetWidth(), dh = 200 - scroller->GetHeight();
        shown.window->GetFrameWidget()->resize(300 + dw, 200 + dh);
        QCoreApplication::processEvents();
        scroller->SetBarPolicy(kXGScrollBar_AsNeeded, kXGScrollBar_AsNeeded);
        scroller->SetScrollLimits(contentW, contentH, 1);
        QTEST(scroller->IsHorizontalBarShown(), "h");
        QTEST(scroller->IsVerticalBarShown(), "v");
    }

    void aPixelWideWindowAndAGoneContent() {
        auto* scroller = new XGScrollView(1);
        auto* content = new Content;
        scroller->SetContentView(content);
        Shown shown(scroller, 1, 1);
        scroller->SetScrollLimits(500, 500, 10);
        shown.window->GetFrameWidget()->resize(1, 1);
        scroller->Relayout();
        QCoreApplication::processEvents();
        QVERIFY(scroller->GetVisibleWidth() >= 0 && scroller->GetPageX() >= 1);
        scroller->SetScrollPosition(1000, 1000);
        QCOMPARE(scroller->GetXScroll(), scroller->GetMaxXScroll());
        delete content;
        QVERIFY(!scroller->GetContentView());
        scroller->SetScrollPosition(0, 0);
        scroller->Relayout();
    }

    void headerColumnsAndReports() {
        auto* root = new Listener;
        auto* header = new XGHeader(11);
        root->AddChild(header);
        Shown shown(root);
        header->SetBounds(tagRECT{0, 0, 600, 20});
        QCOMPARE(header->InsertColumn(0, "Name", 200, 50, 500), 0);
        QCOMPARE(header->InsertColumn(99, "Lock", 5, 10, 40), 1); // appended, width raised to its minimum
        QCOMPARE(header->InsertColumn(1, "Size", 900, 50, 500), 1);
        QCOMPARE(header->GetColumnWidth(2), 10);
        QCOMPARE(header->GetColumnWidth(1), 500); // cut to its maximum
        header->SetSelectedColumn(2);
        header->DeleteColumn(0);
        QCOMPARE(header->GetSelectedColumn(), 1); // the selection moves with its column
        header->DeleteColumn(7);
        QCOMPARE(header->CountColumns(), 2);
        // The user drags a divider past the column's limit: it stops at it, reported live.
        header->GetPlatformHeader()->resizeSection(1, 300);
        QCOMPARE(header->GetColumnWidth(1), 40);
        const Listener::Heard change = root->fHeard.back();
        QVERIFY(change.msg == FourCharCode(kXGMsg_HeaderChange) && change.value == 40 && change.id == 11);
        emit header->GetPlatformHeader()->sectionClicked(0);
        QVERIFY(root->fHeard.back().msg == FourCharCode(kXGMsg_HeaderSelect) &&
                root->fHeard.back().value == 0);
    }

    void listAndPopUpReportTheUsersChoiceOnly() {
        auto* root = new Listener;
        auto* list = new XGListControl(12);
        auto* pop = new XGPopControl(13);
        root->AddChild(list);
        root->AddChild(pop);
        Shown shown(root);
        for (const char* t : {"a", "c"})
            list->InsertItem(-1, t);
        QCOMPARE(list->InsertItem(1, "b"), 1);
        pop->SetItems({"Text", "Flowers"});
        list->SetSelection(2);
        pop->SetValue(1);
        QVERIFY(root->fHeard.empty()); // set by the program: nothing to report
        QCOMPARE(list->GetItemText(list->GetSelection()), std::string("c"));
        list->GetPlatformList()->setCurrentRow(0); // as a click does
        emit pop->GetPlatformControl()->activated(0);
        QCOMPARE(root->fHeard.size(), size_t(2));
        QVERIFY(root->fHeard[0].id == 12 && root->fHeard[1].id == 13);
        list->RemoveItem(9); // no such item: nothing happens
        list->RemoveItem(0);
        QCOMPARE(list->CountItems(), 2);
    }
};

QTEST_MAIN(TestControls)
#include "tst_controls.moc"
