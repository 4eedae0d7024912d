// Outline windows in the running application: New Browser at the machine, a browser at a
// folder reached and launched by keys, folders that cannot be browsed, a board shown as an
// outline in its window and back, a board converted into an outline window, and the generator
// target list following the board topic lists as their windows open and close.

#include "BoardInApp.h"
#include "BoardProbes.h"
#include "BoardRegistration.h"
#include "BoardViewRegistration.h"
#include "CItemArray.h"
#include "COutlineController.h"
#include "COutlineModel.h"
#include "CTopicList_Vorn.h"
#include "CTopic_Folder.h"
#include "CVornItem.h"
#include "CVornTargetList.h"
#include "CVornViewLink.h"
#include "HostInfo.h"
#include "LaunchRecorder.h"
#include "OutlineTestSupport.h"
#include "OutlineWindow.h"
#include "TVornApp.h"
#include "TVornController.h"
#include "TVornModel.h"
#include "VPathBar.h"
#include "XGKeyboard.h"
#include "XGMenuBar.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QtTest>

using namespace yaaf;
using namespace vorntest;

namespace {

constexpr int32 kCmd_NewBrowser = 17669;
constexpr int32 kCmd_ConvertToOutline = 15;

COutlineController* OutlineFormOf(XGWindow* w) {
    return w ? dynamic_cast<COutlineController*>(w->GetForm()) : nullptr;
}

VBrowserWindowView* BrowserOf(XGWindow* w) {
    return w && w->GetContentView() ? VBrowserWindowView::FromView(w->GetContentView()) : nullptr;
}

VOutline* OutlineOf(XGWindow* w) {
    VBrowserWindowView* bwP = BrowserOf(w);
    return bwP ? VOutlineBrowser(bwP).GetVOutline() : nullptr;
}

} // namespace

class TestOutlineWindows : public QObject, RunningBoardApp {
    Q_OBJECT

    // Runs the loop until the list holds `count` topics.
    bool SettleUntil(const std::function<bool()>& done, int ms = 10000) {
        QElapsedTimer t;
        t.start();
        while (t.elapsed() < ms) {
            Settle(1);
            if (done()) return true;
        }
        return false;
    }

private slots:
    void initTestCase() {
        QVERIFY(fDir.isValid());
        RegisterBoardDocuments();
        RegisterBoardWindows();
        RegisterOutlineDocuments();
        StartApp();
        QVERIFY(gRtlP);
    }
    void cleanupTestCase() {
        StopApp();
        QVERIFY(!gRtlP);
    }
    void cleanup() { CloseAll(); }

    void newBrowserShowsTheMachine() {
        QVERIFY(XGGetCommandStatus(kCmd_NewBrowser).enable);
        fApp->DoMenuCommand(kCmd_NewBrowser);
        Settle();
        XGWindow* w = XGWindow::GetFrontWindow();
        QVERIFY(OutlineFormOf(w));
        QCOMPARE(w->GetName(), Host_GetMachineName());
        QCOMPARE(BrowserOf(w)->GetViewAs(), O_ViewAs_HEIR_COL);
        VOutline* firstP = OutlineOf(w);
        QVERIFY(firstP && firstP->i_listP);
        QCOMPARE(Names(firstP->i_listP), QStringList({"Volumes", "Devices", "Network", "Services"}));
        QCOMPARE(firstP->GetAccessibleName(), std::string("Outline")); // for screen readers
        // Volumes open in the next column as the machine lists them.
        firstP->DoKey(Key(kXGKey_Down));
        VOutline* secondP = firstP->GetPrevNextColView(false);
        QVERIFY(secondP);
        QVERIFY(SettleUntil(
            [&] { return secondP->i_listP && secondP->i_listP->Count() == Host_CountVolumes(); }));
        QVERIFY(BrowserOf(w)->GetPathBar()->GetPath().find("/Volumes") != std::string::npos);
    }

    // vorn --browse: a folder reached by the keys, its file launched with Return, and the
    // path bar telling where the selection is.
    void browseReachesAFileByKeys() {
        const QString root = fDir.filePath("browse");
        QVERIFY(QDir().mkpath(root + "/docs"));
        QFile f(root + "/docs/read me.txt");
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.close();
        fApp->BrowseFolder(root.toStdString());
        Settle();
        XGWindow* w = XGWindow::GetFrontWindow();
        QVERIFY(OutlineFormOf(w));
        QCOMPARE(QString::fromStdString(w->GetName()), QString("browse"));
        VOutline* firstP = OutlineOf(w);
        QVERIFY(SettleUntil([&] { return firstP->i_listP->Count() == 1; }));
        firstP->DoKey(Key(kXGKey_Down));
        QCOMPARE(QString::fromStdString(BrowserOf(w)->GetPathBar()->GetPath()), root + "/docs");
        firstP->DoKey(Key(kXGKey_Right));
        VOutline* secondP = firstP->GetPrevNextColView(false);
        QVERIFY(secondP);
        QVERIFY(SettleUntil([&] { return secondP->i_listP && secondP->i_listP->Count() == 1; }));
        secondP->DoKey(Key(kXGKey_Down));
        QCOMPARE(QString::fromStdString(BrowserOf(w)->GetPathBar()->GetPath()), root + "/docs/read me.txt");
        LaunchRecorder recorder;
        secondP->DoKey('\r');
        QCOMPARE(recorder.launched, std::vector<std::string>({"file:read me.txt"}));
    }

    void foldersThatCannotBeBrowsed_data() {
        QTest::addColumn<QString>("path");
        QTest::addColumn<QString>("reason");
        QTest::newRow("missing") << "nowhere/at/all"
                                 << "does not exist";
        QTest::newRow("a file") << "plain.txt"
                                << "not a folder";
    }
    void foldersThatCannotBeBrowsed() {
        QFETCH(QString, path);
        QFETCH(QString, reason);
        QFile(fDir.filePath("plain.txt")).open(QIODevice::WriteOnly);
        AlertRecorder alerts;
        const size_t before = XGWindow::GetWindows().size();
        fApp->BrowseFolder(fDir.filePath(path).toStdString());
        QCOMPARE(XGWindow::GetWindows().size(), before);
        QCOMPARE(alerts.Count(reason.toStdString()), 1);
    }

    // A board in its window as an outline in each outline mode, and back as a board.
    void aBoardShownAsAnOutlineAndBack_data() {
        QTest::addColumn<int>("mode");
        QTest::addColumn<int>("back");
        QTest::newRow("columns, back freeform") << 5 << 6;
        QTest::newRow("list, back flat columns") << 4 << 7;
        QTest::newRow("icons, back freeform") << 3 << 6;
        QTest::newRow("zoom, back flat columns") << 8 << 7;
    }
    void aBoardShownAsAnOutlineAndBack() {
        QFETCH(int, mode);
        QFETCH(int, back);
        XGWindow* w = NewBoard({"sun", "moon", "star"});
        TVornModel* boardP = BoardFormOf(w)->GetModel();
        const QStringList titles{"sun", "moon", "star"};
        const int32 lists = gRtlP->Count();
        QVERIFY(XGGetCommandStatus(mode).enable);
        QCOMPARE(SendToBoard(w, mode), kDispatchHandled);
        Settle();
        QVERIFY(!BoardViewOf(w));
        QVERIFY(!BoardFormOf(w)->i_viewP);
        VOutline* outlP = OutlineOf(w);
        QVERIFY(outlP);
        QCOMPARE(BrowserOf(w)->GetViewAs(), O_ViewAsType(mode - 2));
        QCOMPARE(Names(outlP->i_listP), titles);
        QVERIFY(dynamic_cast<CTopicList_Vorn*>(outlP->i_listP));
        QCOMPARE(gRtlP->Count(), lists + 1);
        QVERIFY(XGGetCommandStatus(back).enable);

        QCOMPARE(outlP->DoDispatch('menu', back, nullptr, true), kDispatchHandled);
        Settle();
        QVERIFY(BoardViewOf(w));
        QVERIFY(BoardFormOf(w)->i_viewP);
        QVERIFY(BoardViewOf(w)->IsFocus());
        QCOMPARE(boardP->i_prefs.view_as, O_ViewAsType(back - 2));
        QCOMPARE(TitleList(boardP), std::string("sun moon star"));
        QCOMPARE(gRtlP->Count(), lists);
        // The board is a board again: its commands work on it.
        QCOMPARE(SendToBoard(w, 47), kDispatchHandled);
        std::unique_ptr<CItemArray> selP(boardP->GetItemSelection());
        QCOMPARE(selP->Count(), 3);
    }

    // The target list holds every board topic list while it lives, and no longer.
    void theTargetListFollowsBoards() {
        const int32 start = gRtlP->Count();
        XGWindow* a = NewBoard({"red", "green"});
        XGWindow* b = NewBoard({"blue"});
        SendToBoard(a, 5);
        SendToBoard(b, 4);
        Settle();
        QCOMPARE(gRtlP->Count(), start + 2);
        // Converting makes a window of its own with its own list.
        SendToBoard(NewBoard({"cyan", "magenta"}), kCmd_ConvertToOutline);
        Settle();
        XGWindow* converted = XGWindow::GetFrontWindow();
        COutlineController* formP = OutlineFormOf(converted);
        QVERIFY(formP);
        QVERIFY(dynamic_cast<CTopicList_Vorn*>(formP->GetModel()->i_listP));
        QCOMPARE(Names(OutlineOf(converted)->i_listP), QStringList({"cyan", "magenta"}));
        QCOMPARE(gRtlP->Count(), start + 3);
        RtlIndexOfRec find;
        find.listP = static_cast<CTopicList_Vorn*>(formP->GetModel()->i_listP);
        gRtlP->Iterate(kRtlIter_INDEX_OF, &find);
        QCOMPARE(find.indexL, start + 2);

        delete a;
        Settle();
        QCOMPARE(gRtlP->Count(), start + 2);
        // The converted board closes; its outline stays whole.
        AlertRecorder dontSave(0);
        for (XGWindow* w : std::vector<XGWindow*>(XGWindow::GetWindows()))
            if (w != converted && w != b) delete w;
        Settle();
        QCOMPARE(Names(OutlineOf(converted)->i_listP), QStringList({"cyan", "magenta"}));
        OutlineOf(converted)->DoDrawView(OutlineOf(converted)->GetContentRect());
        gRtlP->Idle();
        delete converted;
        Settle();
        QCOMPARE(gRtlP->Count(), start + 1);
        delete b;
        Settle();
        QCOMPARE(gRtlP->Count(), start);
    }

    // What the menus show beside a board's entries: a dash for a selection locked only in part,
    // a bullet for the mode and the view in force, a check for a setting that is on; which of
    // them Go Mode greys.
    void boardMenusShowTheirMarks() {
        XGWindow* w = NewBoard({"a", "b"});
        TVornModel* m = BoardFormOf(w)->GetModel();
        CItemArray selection;
        selection.Add(m->i_list->GetIndItem(0));
        m->SetSelection(&selection);
        SendToBoard(w, 18953); // Locked
        selection.Add(m->i_list->GetIndItem(1));
        m->SetSelection(&selection);
        SendToBoard(w, 18957); // Show Hidden (whose default the last run may have left on)
        XGMenuBar* bar = fApp->GetMenuBar();
        bar->UpdateStatus();
        QCOMPARE(bar->ItemMark(18953), '-');
        QVERIFY(!bar->IsItemChecked(18953));
        QCOMPARE(bar->ItemMark(17922), char(0xA5)); // Edit Mode
        QCOMPARE(bar->ItemMark(17921), char(0));    // Go Mode
        QCOMPARE(bar->ItemMark(m->i_prefs.view_as + 2), char(0xA5));
        const bool shownB = m->i_prefs.b.ignore_hiddenB();
        QCOMPARE(bar->ItemMark(18957), shownB ? char(0x12) : char(0));
        QCOMPARE(bar->IsItemChecked(18957), shownB);
        SendToBoard(w, 18953); // the dash locks all
        bar->UpdateStatus();
        QCOMPARE(bar->ItemMark(18953), char(0x12));
        // In Go Mode the outline modes are greyed; conversion into an outline window is not.
        QVERIFY(XGGetCommandStatus(kCmd_ConvertToOutline).enable);
        SendToBoard(w, 17921);
        Settle();
        QCOMPARE(m->GetMode(), Vorn_Mode_GO);
        for (int32 cmd : {3, 4, 5, 8})
            QVERIFY(!XGGetCommandStatus(cmd).enable);
        QVERIFY(XGGetCommandStatus(kCmd_ConvertToOutline).enable);
    }

    // A new outline's window shows both bars.
    void outlineWindowsShowTheirBars() {
        XGWindow* w = TVornApp::InitWindow_Vorn(Vorn_WindowInit_NEW_NEW_VORN);
        Settle();
        QVERIFY(OutlineFormOf(w));
        QVERIFY(BrowserOf(w)->IsPaneShown(kBrowserViewID_ToolbarPane));
        QVERIFY(BrowserOf(w)->IsPaneShown(kBrowserViewID_Footer));
        QVERIFY(QString::fromStdString(w->GetName()).startsWith("Untitled Outline "));
    }
};

QTEST_MAIN(TestOutlineWindows)
#include "tst_outlinewindows.moc"
