// Windows, views, documents and the run loop: the dispatch chain through real widgets, the
// keyboard translation, triggers, the window list and quitting.

#include "XGAppMultiWindow.h"
#include "XGDocForm.h"
#include "XGDocument.h"
#include "XGKeyboard.h"
#include "XGView.h"
#include "XGViewFactory.h"
#include "XGWindow.h"
#include "XGWindowFactory.h"

#include <QApplication>
#include <QMainWindow>
#include <QMdiSubWindow>
#include <QMenu>
#include <QTest>

#include <functional>
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

using namespace yaaf;

Q_DECLARE_METATYPE(std::vector<yaaf::XGKeyMessage>)
Q_DECLARE_METATYPE(std::vector<yaaf::uint32>)

namespace {

std::vector<std::string> gLog;

class RecView : public XGView {
    YAAF_DECLARE_DISPATCH()
public:
    explicit RecView(std::string name, XGView* parent = nullptr) : XGView(parent), fName(std::move(name)) {}

    int32 Peri(int32, void*) {
        gLog.push_back(fName + ":peri");
        return kDispatchNotHandled;
    }
    int32 Key(int32 param, void*) {
        fKeys.push_back(uint32(param));
        return (fHandleProbe && (param & 0xFFFF) == kXGKeyTabProbe) ? kDispatchHandled : kDispatchNotHandled;
    }

    std::string fName;
    std::vector<uint32> fKeys;
    bool fHandleProbe = false;
    std::vector<int> fClicks;
    Point fLastWhere;

protected:
    void DoMouseDown(Point where, uint16, int clicks) override {
        fClicks.push_back(clicks);
        fLastWhere = where;
    }
};

YAAF_DISPATCH_BEGIN(RecView)
YAAF_DISPATCH_ENTRY('peri', RecView, Peri)
YAAF_DISPATCH_ENTRY('keye', RecView, Key)
YAAF_DISPATCH_END(RecView, XGView)

class RecWindow : public XGWindow {
public:
    explicit RecWindow(XGForm* form, bool visible = true) : XGWindow(form, visible) {}
    void TriggerEvent(uint32 value) override {
        fTriggers.push_back(value);
        XGWindow::TriggerEvent(value);
    }
    std::vector<uint32> fTriggers;
};

class TestApp : public XGAppMultiWindow {
    YAAF_DECLARE_DISPATCH()
public:
    TestApp() : XGAppMultiWindow("Vorn") {}
    int32 Peri(int32, void*) {
        ++fPeri;
        if (fPeriHook) fPeriHook(fPeri);
        return kDispatchHandled;
    }
    int fPeri = 0;
    std::function<void(int)> fPeriHook;
};

YAAF_DISPATCH_BEGIN(TestApp)
YAAF_DISPATCH_ENTRY('peri', TestApp, Peri)
YAAF_DISPATCH_END(TestApp, XGAppMultiWindow)

// A window with a document, a form and a content view, shown by one trigger pass.
RecWindow* MakeDocWindow(XGDocument** docOut = nullptr) {
    auto* doc = new XGDocument;
    auto* window = new RecWindow(new XGDocForm(doc));
    if (docOut) *docOut = doc;
    XGEventTrigger::Periodic();
    return window;
}

// The application with one such window in front, whose content holds a focused view.
struct Front {
    Front() { view->SetFocus(); }
    TestApp app;
    XGDocument* doc = nullptr;
    RecWindow* window = MakeDocWindow(&doc);
    RecView* view = new RecView("view", window->GetContentView());
};

} // namespace

class TestWindows : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { QApplication::setQuitOnLastWindowClosed(false); }
    void init() {
        gLog.clear();
        XGDocument::ResetUntitledCounter();
    }
    void cleanup() { QCOMPARE(XGWindow::GetWindows().size(), size_t(0)); }

    void chainRunsFromViewToApplication() {
        Front f;
        std::vector<XGDispatch*> chain;
        for (XGDispatch* d = gFocus; d; d = d->GetParentDispatch())
            chain.push_back(d);
        const std::vector<XGDispatch*> expected = {
            f.view, f.window->GetContentView(), f.window, f.window->GetForm(), f.doc, &f.app};
        QCOMPARE(chain, expected);
        QCOMPARE(f.view->GetWindow(), static_cast<XGWindow*>(f.window));
    }

    void inputReachesTheFrontView() {
        Front f;
        QVERIFY(f.window->IsFront());
        f.app.RunOnce();
        QCOMPARE(gFocus, static_cast<XGDispatch*>(f.view)); // the focus stays inside the front window
        QCOMPARE(f.app.fPeri, 1); // 'peri' reaches the application past the focused view
        QCOMPARE(gLog, std::vector<std::string>{"view:peri"});
        // Special keys count as handled even when nobody takes them.
        QVERIFY(XGKeyboard::HandleKeyPress(Qt::Key_Home, 0, u""));
        QVERIFY(!XGKeyboard::HandleKeyPress(Qt::Key_A, 0, u"a"));
        QCOMPARE(f.view->fKeys, (std::vector<uint32>{0x80000086u, 'a'}));
    }

    void triggersDeliverTheLargerValueOnce() {
        TestApp app;
        auto* window = new RecWindow(new XGDocForm(new XGDocument), false);
        window->SetTrigger(0);
        window->SetTrigger(1);
        window->SetTrigger(0); // the larger value stays
        XGEventTrigger::Periodic();
        QCOMPARE(window->fTriggers, std::vector<uint32>{1});
        QVERIFY(window->IsVisible());
        QVERIFY(window->IsFront());
        XGEventTrigger::Periodic();
        QCOMPARE(window->fTriggers.size(), size_t(1));

        // A visible window asks for 1 when made; a view's layout request (0) does not lower it.
        auto* second = new RecWindow(nullptr, true);
        auto* view = new XGView(second->GetContentView());
        view->RequestLayout();
        XGEventTrigger::Periodic();
        QCOMPARE(second->fTriggers, std::vector<uint32>{1});
        QVERIFY(second->IsFront());
        QVERIFY(!window->IsFront());
    }

    void keyTranslation_data() {
        QTest::addColumn<int>("key");
        QTest::addColumn<int>("modifiers");
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("buttons");
        QTest::addColumn<std::vector<XGKeyMessage>>("expected");

        using M = XGKeyMessage;
        const int shift = Qt::ShiftModifier, ctrl = Qt::ControlModifier, alt = Qt::AltModifier;
        auto row = [](const char* name, int key, int mods, const QString& text, std::vector<M> expected,
                      int buttons = 0) { QTest::newRow(name) << key << mods << text << buttons << expected; };
        auto special = [](uint32 p) { return std::vector<M>{{'keye', p, M::kAlwaysHandled}}; };
        auto typed = [](uint32 p, int32 msg = 'keye') { return std::vector<M>{{msg, p, M::kNormal}}; };
        row("up", Qt::Key_Up, 0, "", special(0x80000080u));
        row("shift F3", Qt::Key_F3, shift, "", special(0x800100A2u));
        row("delete types no character", Qt::Key_Delete, 0, "\x7f", special(0x80000085u));
        row("escape", Qt::Key_Escape, ctrl, "\x1b", special(0x8002008Au));
        row("character", Qt::Key_A, 0, "a", typed('a'));
        row("shifted character", Qt::Key_A, shift, "A", typed(0x10000u | 'A'));
        row("control character", Qt::Key_A, ctrl, "\x01", typed(0x20001u));
        row("non-latin character", 0x416, 0, QString(QChar(0x416)), typed(0x416u));
        row("alt x", Qt::Key_X, alt, "x", typed(0x80000u | 'x', 'keym'));
        row("alt x without text", Qt::Key_X, alt, "", typed(0x80000u | 'x', 'keym'));
        row("alt shift x", Qt::Key_X, alt | shift, "", typed(0x90000u | 'X', 'keym'));
        row("alt arrow stays special", Qt::Key_Left, alt, "", special(0x80080082u));
        row("tab", Qt::Key_Tab, 0, "\t", {{'keye', 0xFFFFu, M::kNormal}, {'keye', 9u, M::kOnlyIfUnhandled}});
        row("shift tab", Qt::Key_Backtab, shift, "",
            {{'keye', 0x1FFFFu, M::kNormal}, {'keye', 0x10009u, M::kOnlyIfUnhandled}});
        row("mouse buttons in state", Qt::Key_B, 0, "b", typed(0x300000u | 'b'),
            int(Qt::LeftButton | Qt::RightButton));
        row("shift alone", Qt::Key_Shift, shift, "", {});
    }

    void keyTranslation() {
        QFETCH(int, key);
        QFETCH(int, modifiers);
        QFETCH(QString, text);
        QFETCH(int, buttons);
        QFETCH(std::vector<XGKeyMessage>, expected);
        const auto got =
            XGKeyboard::Translate(key, uint32(modifiers), text.toStdU16String(), uint32(buttons));
        QCOMPARE(got.size(), expected.size());
        for (size_t i = 0; i < got.size(); ++i)
            QVERIFY(got[i].msg == expected[i].msg && got[i].param == expected[i].param &&
                    got[i].rule == expected[i].rule);
    }

    void tabFallsBackToCharacterOnlyWhenUnhandled_data() {
        QTest::addColumn<bool>("handleProbe");
        QTest::addColumn<std::vector<uint32>>("received");
        QTest::newRow("unhandled") << false << std::vector<uint32>{0xFFFF, 9};
        QTest::newRow("handled") << true << std::vector<uint32>{0xFFFF};
    }

    void tabFallsBackToCharacterOnlyWhenUnhandled() {
        QFETCH(bool, handleProbe);
        QFETCH(std::vector<uint32>, received);
        Front f;
        auto* outer = f.view;
        auto* view = new RecView("inner", outer);
        view->SetFocusable(true);
        view->fHandleProbe = handleProbe;
        view->SetFocus();
        // Through the widget, as the platform delivers it: the enclosing view hears what the
        // focused one declined along the chain, and only once.
        QTest::keyClick(view->GetWidget(), Qt::Key_Tab);
        QCOMPARE(view->fKeys, received);
        QCOMPARE(outer->fKeys, handleProbe ? std::vector<uint32>{} : received);
    }

    void untitledNames() {
        XGDocument first, second;
        QCOMPARE(first.GetDocumentName(), std::string("untitled"));
        QCOMPARE(second.GetDocumentName(), std::string("untitled 2"));
        XGDocument::RewindUntitledCounter();
        XGDocument third;
        QCOMPARE(third.GetDocumentName(), std::string("untitled 2"));
        XGDocument named;
        named.SetFile(XGFileSpecifier("/tmp/some folder/plan.2dv"));
        QCOMPARE(named.GetDocumentName(), std::string("plan.2dv"));
        QCOMPARE(XGDocument::GetUntitledCounter(), 3);
        // Documents hear the broadcasts and leave them when they go.
        QVERIFY(gSend.HasReceiver(&first));
    }

    void refusingWindowKeepsQuitFromFinishing() {
        TestApp app;
        XGDocument* dirtyDoc = nullptr;
        auto* dirty = MakeDocWindow(&dirtyDoc);
        MakeDocWindow(); // in front: closed before the refusal
        dirtyDoc->SetDirty(true);
        QCOMPARE(app.DoDispatch('qapp', 0, nullptr, true), kDispatchNotHandled);
        QVERIFY(!app.IsQuitting());
        QCOMPARE(XGWindow::GetWindows(), std::vector<XGWindow*>{dirty});

        // The same through the run loop: a quit with the dirty window is cancelled and the loop
        // goes on; an exception escaping an event does not end it either.
        std::vector<size_t> windowsAtTick;
        app.fPeriHook = [&](int tick) {
            windowsAtTick.push_back(XGWindow::GetWindows().size());
            if (tick == 1) throw std::runtime_error("test");
            if (tick == 2) app.Exit();
            if (tick == 3) {
                dirtyDoc->SetDirty(false);
                app.Exit();
            }
        };
        app.Run();
        QCOMPARE(windowsAtTick, (std::vector<size_t>{1, 1, 1}));
        QVERIFY(XGWindow::GetWindows().empty());
    }

    void closeButtonAsksTheDocument() {
        Front f;
        auto* sub = dynamic_cast<QMdiSubWindow*>(f.window->GetFrameWidget());
        QVERIFY(sub && sub->systemMenu());
        // Its system menu closes with Ctrl+F4 only: Ctrl+W is the application's.
        bool sawCtrlF4 = false;
        for (QAction* action : sub->systemMenu()->actions()) {
            for (const QKeySequence& k : action->shortcuts()) {
                QVERIFY(k != QKeySequence(Qt::CTRL | Qt::Key_W));
                sawCtrlF4 |= k == QKeySequence(Qt::CTRL | Qt::Key_F4);
            }
        }
        QVERIFY(sawCtrlF4);
        f.doc->SetDirty(true);
        sub->close();
        QCOMPARE(XGWindow::GetWindows().size(), size_t(1));
        f.doc->SetDirty(false);
        QPointer<QMdiSubWindow> guard(sub);
        sub->close();
        QVERIFY(XGWindow::GetWindows().empty());
        f.app.PostEvent();
        QVERIFY(guard.isNull());
    }

    void mainFrameCloseQuitsOnlyWhenWindowsClose() {
        Front f;
        TestApp& app = f.app;
        XGDocument* doc = f.doc;
        QPointer<QMainWindow> frame(app.GetMainFrame());
        QVERIFY(frame);
        QCOMPARE(frame->windowTitle(), QString("Vorn"));
        doc->SetDirty(true);
        QVERIFY(!frame->close());
        QVERIFY(!app.IsQuitting());
        doc->SetDirty(false);
        QVERIFY(frame->close());
        QVERIFY(XGWindow::GetWindows().empty());
        app.PostEvent();
        QVERIFY(frame.isNull());
        QVERIFY(app.IsQuitting());
        QCOMPARE(app.GetMainFrame(), nullptr);
    }

    void focusFallsToApplicationWhenFocusedViewDies() {
        Front f;
        QCOMPARE(f.window->GetFocusView(), static_cast<XGView*>(f.view));
        delete f.view;
        QCOMPARE(gFocus, static_cast<XGDispatch*>(&f.app));
        QCOMPARE(f.window->GetFocusView(), nullptr);
        // After the next event the front window takes it again.
        f.app.PostEvent();
        QCOMPARE(gFocus, static_cast<XGDispatch*>(f.window));
        f.window->Close();
        f.app.PostEvent();
        QCOMPARE(gFocus, static_cast<XGDispatch*>(&f.app));
    }

    // Runs after the key tests: after this double click the left button stays in the button state
    // that keys report.
    void mouseReachesTheView() {
        Front f;
        f.view->SetBounds({10, 20, 110, 70});
        QTest::mouseClick(f.view->GetWidget(), Qt::LeftButton, Qt::NoModifier, QPoint(5, 7));
        QTest::mouseDClick(f.view->GetWidget(), Qt::LeftButton, Qt::NoModifier, QPoint(5, 7));
        QCOMPARE(f.view->fClicks.back(), 2);
        QCOMPARE(f.view->fLastWhere, (Point{7, 5}));
    }

    void windowWithoutFrameIsTopLevel() {
        auto* window = new XGWindow(new XGDocForm(new XGDocument), true);
        XGEventTrigger::Periodic();
        QVERIFY(window->GetFrameWidget()->isWindow());
        QCOMPARE(window->GetParentDispatch(), window->GetForm());
        QVERIFY(window->GetDocument());
        QPointer<QWidget> frame(window->GetFrameWidget());
        frame->close();
        QVERIFY(XGWindow::GetWindows().empty());
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QVERIFY(frame.isNull());
    }

    void factoriesMakeByKind() {
        TestApp app;
        QVERIFY(XGViewFactory::IsRegistered('view'));
        for (FourCharCode kind : {'scrv', 'head', 'list', 'popm'}) { // the control views of the layouts
            std::unique_ptr<XGView> control(XGViewFactory::Create(kind));
            QVERIFY(control && control->GetKind() == kind);
        }
        XGViewFactory::Register('recv', [] { return new RecView("made"); });
        XGView* made = XGViewFactory::Create('recv');
        QVERIFY(dynamic_cast<RecView*>(made));
        delete made;
        QCOMPARE(XGViewFactory::Create('none'), nullptr);
        XGWindow* window = XGWindowFactory::Create('wind', new XGDocForm(new XGDocument));
        QVERIFY(window && window->GetDocument());
        window->Close();
        QCOMPARE(XGWindowFactory::Create('none', new XGDocForm(new XGDocument)), nullptr);
    }
};

QTEST_MAIN(TestWindows)
#include "tst_windows.moc"
