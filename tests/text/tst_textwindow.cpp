// Text windows inside the application: the menu bar a text window brings to the front, the
// unsaved-changes mark of the title, saving a new text under a name that Vorn opens again, and
// the scroll bars that stay in step with the caret, the page keys and the wheel.

#include "RunningApp.h"
#include "SaveAnswer.h"
#include "TEditDoc.h"
#include "TEditForm.h"
#include "TEditView.h"
#include "TVornApp.h"
#include "TestFiles.h"
#include "TextRegistration.h"
#include "TextWindow.h"
#include "ViewEvents.h"
#include "XGAlert.h"
#include "XGKeyboard.h"
#include "XGMenuBar.h"
#include "XGScrollView.h"
#include "XGWindow.h"

#include <QApplication>
#include <QScrollBar>
#include <QWheelEvent>
#include <QtTest>

using namespace yaaf;

class TestTextWindow : public QObject, vorntest::RunningApp {
    Q_OBJECT
    TEditForm* NewText() {
        XGWindow* window = TVornApp::DoNewTextWindow();
        Settle();
        return window ? dynamic_cast<TEditForm*>(window->GetForm()) : nullptr;
    }
    static void Key(uint32 code) {
        XGDispatch::SendDispatch('keye', int32(kXGKeySpecialFlag | code), nullptr);
    }

private slots:
    void initTestCase() {
        QVERIFY(fDir.isValid());
        RegisterTextDocuments();
        StartApp();
        XGSetAlertResponder([](const XGAlertRequest& r) { return r.cancelIndex; });
    }
    void cleanupTestCase() { StopApp(); }
    void cleanup() { CloseAll(); }

    void menuBarFollowsTheFrontWindow() {
        XGMenuBar* bar = fApp->GetMenuBar();
        QCOMPARE(bar->GetLoadedID(), 128);
        TEditForm* text = NewText();
        QVERIFY(text);
        QCOMPARE(bar->GetLoadedID(), 129);
        QCOMPARE(bar->GetMenuTitles(), (std::vector<std::string>{"&File", "&Edit", "&Search", "F&ont",
                                                                 "&Generate", "&Window", "&Help"}));
        QVERIFY(bar->IsItemEnabled(37)); // Find, which the board bar does not have
        // A window of another kind that asks for the board bar, then the text again.
        auto* board = new XGWindow(nullptr, true);
        board->SetMenuBarResID(128);
        Settle();
        QCOMPARE(bar->GetLoadedID(), 128);
        text->GetWindow()->Select();
        Settle();
        QCOMPARE(bar->GetLoadedID(), 129);
        // Player-only use keeps its reduced bar over every window.
        gVornPrefsP->i_prefs.b.player_onlyB = true;
        Settle();
        QCOMPARE(bar->GetLoadedID(), 130);
        CloseAll();
        QCOMPARE(bar->GetLoadedID(), 130);
        gVornPrefsP->i_prefs.b.player_onlyB = false;
        Settle();
        QCOMPARE(bar->GetLoadedID(), 128);
    }

    void titleMarksUnsavedChanges() {
        TEditForm* form = NewText();
        XGWindow* window = form->GetWindow();
        QWidget* frame = window->GetFrameWidget();
        const QString name = QString::fromStdString(form->GetModel()->GetDocumentName());
        QCOMPARE(frame->windowTitle(), name + "[*]");
        // 1 marked, 0 not, -1 when the frame shows other than the window says.
        auto marked = [&] {
            return frame->isWindowModified() == window->IsModified() ? int(window->IsModified()) : -1;
        };
        // The marks after Undo and after Redo, as "undone redone".
        auto undoRedo = [&] {
            gDo->Do(CDo_Type_UNDO);
            const int undone = marked();
            gDo->Do(CDo_Type_REDO);
            return QString("%1 %2").arg(undone).arg(marked());
        };
        QVERIFY(!frame->isWindowModified());
        form->GetView()->DoKey('a');
        form->GetView()->DoKey('b');
        QCOMPARE(marked(), 1);
        QCOMPARE(undoRedo(), QString("0 1"));
        // Saved: clean; more typing merges into the saved task, and undoing it all is a change.
        vorntest::SaveAnswer save(fDir.filePath("marked.txt"));
        QVERIFY(form->GetModel()->DoDocumentSave());
        QCOMPARE(marked(), 0);
        QCOMPARE(frame->windowTitle(), QString("marked.txt[*]"));
        form->GetView()->DoKey('c');
        QCOMPARE(marked(), 1);
        QCOMPARE(undoRedo(), QString("1 1"));
        // A font change is the view's: the document stays as saved.
        QVERIFY(form->GetModel()->DoDocumentSave());
        form->GetView()->DoMenuCommand(kTextCmd_Bigger);
        QCOMPARE(marked(), 0);
        gDo->Do(CDo_Type_UNDO);
        QCOMPARE(marked(), 0);
    }

    void savingANewTextAddsTheSuffix_data() {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("written");
        QTest::newRow("no extension") << QString("notes") << QString("notes.txt");
        QTest::newRow("trailing dot") << QString("dotted.") << QString("dotted.txt");
        QTest::newRow("text") << QString("letter.text") << QString("letter.text");
        QTest::newRow("another extension kept") << QString("readme.md") << QString("readme.md");
    }
    void savingANewTextAddsTheSuffix() {
        QFETCH(QString, typed);
        QFETCH(QString, written);
        TEditForm* form = NewText();
        form->GetView()->DoKey('x');
        {
            vorntest::SaveAnswer save(fDir.filePath(typed));
            QVERIFY(form->GetModel()->DoDocumentSave());
            QCOMPARE(QString::fromStdString(save.asked.title), QString("Save TEXT Document As"));
            QCOMPARE(save.asked.filters, std::vector<std::string>{"Text Documents (*.txt *.text)"});
        }
        QCOMPARE(QString::fromStdString(form->GetWindow()->GetName()), written);
        QVERIFY(QFileInfo::exists(fDir.filePath(written)));
        // The name that was written is one Vorn opens (the window of a file already open comes
        // to the front, so close it first).
        CloseAll();
        if (!written.endsWith(".md"))
            QVERIFY(TVornApp::DoOpenWindow(XGFileSpecifier(fDir.filePath(written).toStdString())));
    }

    void scrollBarsStayInStep() {
        std::string text;
        for (int i = 0; i < 400; ++i)
            text += "line " + std::to_string(i) + (i == 7 ? std::string(300, 'w') : std::string()) + "\r\n";
        const QString path = fDir.filePath("long.txt");
        QVERIFY(vorntest::WriteFile(path, QByteArray::fromStdString(text)));
        XGWindow* window = TVornApp::DoOpenWindow(XGFileSpecifier(path.toStdString()));
        QVERIFY(window);
        window->GetFrameWidget()->resize(400, 300);
        Settle();
        auto* form = dynamic_cast<TEditForm*>(window->GetForm());
        TEditView* view = form->GetView();
        XGScrollView* scroller = XGScrollView::FromContent(view);
        QVERIFY(scroller);
        QScrollBar* v = scroller->GetVerticalBar();
        QScrollBar* h = scroller->GetHorizontalBar();
        XGEditCore* core = view->GetEditCore();
        auto inStep = [&] {
            return v->isVisible() && h->isVisible() && v->value() == core->GetYScroll() &&
                   h->value() == core->GetXScroll() && v->maximum() == view->GetMaxYScroll() &&
                   h->maximum() == view->GetMaxXScroll();
        };
        QVERIFY(inStep());
        QVERIFY(v->maximum() > 300);
        QVERIFY(h->maximum() > 0);
        view->SetFocus();
        Key(kXGKey_End); // the caret goes to the end and the text follows it
        QCOMPARE(v->value(), v->maximum());
        QVERIFY(inStep());
        Key(kXGKey_PageUp);
        QCOMPARE(v->value(), v->maximum() - scroller->GetPageY());
        QVERIFY(inStep());
        QWheelEvent wheel(QPointF(20, 20), QPointF(20, 20), QPoint(), QPoint(0, 120), Qt::NoButton,
                          Qt::NoModifier, Qt::NoScrollPhase, false);
        const int before = v->value();
        QApplication::sendEvent(view->GetWidget(), &wheel);
        QCOMPARE(v->value(), before - QApplication::wheelScrollLines());
        QVERIFY(inStep());
        v->setValue(3); // dragging the bar
        h->setValue(5);
        QCOMPARE(core->GetYScroll(), 3);
        QCOMPARE(core->GetXScroll(), 5);
        view->DoKey('!'); // typing brings the caret back into view
        QCOMPARE(v->value(), v->maximum());
        QCOMPARE(h->value(), 0);
        QVERIFY(inStep());
        // A window one pixel wide still keeps them in step.
        window->SetSizeLimits(1, 1, 32000, 32000);
        window->GetFrameWidget()->resize(1, 1);
        Settle();
        view->DoKey('?');
        Key(kXGKey_PageUp);
        QVERIFY(v->value() == core->GetYScroll() && h->value() == core->GetXScroll());
        // Shift+F10 opens the context menu from the keys, as the right button does; F10 alone
        // is not taken.
        vorntest::PopUpRecorder popUps;
        const int32 f10 = int32(kXGKeySpecialFlag | (kXGKey_F1 + 9));
        QCOMPARE(view->DoKey(f10), kDispatchNotHandled);
        QCOMPARE(view->DoKey(f10 | int32(uint32(kXGMod_Shift) << 16)), kDispatchHandled);
        QCOMPARE(popUps.menus, std::vector<int16>{145});
    }
};

QTEST_MAIN(TestTextWindow)
#include "tst_textwindow.moc"
