// Board windows in the running application: New Vorn, the window's views and menu bar, saving
// under a name and opening again, an open board brought to the front, printing to a PDF file,
// the question before closing a changed board, a board saved in Go Mode, and the window's moves
// kept in the board.

#include "AlertRecorder.h"
#include "BoardInApp.h"
#include "BoardProbes.h"
#include "BoardRegistration.h"
#include "BoardViewRegistration.h"
#include "BoardWindow.h"
#include "CItemArray.h"
#include "CVornItem.h"
#include "CVornPrefs.h"
#include "CVornViewLink.h"
#include "ImageProbe.h"
#include "TVornApp.h"
#include "TVornController.h"
#include "TVornModel.h"
#include "SaveAnswer.h"
#include "TestFiles.h"
#include "VBrowserWindowView.h"
#include "VInfoBar.h"
#include "VPathBar.h"
#include "XGDocument.h"
#include "XGFileSpecifier.h"
#include "XGInstance.h"
#include "XGMenuBar.h"
#include "XGPreferences.h"
#include "XGPrint.h"
#include "XGToolbarView.h"
#include "XGView.h"
#include "XGWindow.h"

#include <QDir>
#include <QFile>
#include <QImage>
#include <QWidget>
#include <QtTest>

using namespace yaaf;
using namespace vorntest;

namespace {

constexpr int32 kCmd_Save = 17675;
constexpr int32 kCmd_PageSetup = 35;
constexpr int32 kCmd_Print = 36;

} // namespace

class TestBoardWindow : public QObject, RunningBoardApp {
    Q_OBJECT

    // A board file written without a window.
    QString WriteBoard(const char* name, const QStringList& words, Vorn_ModeType mode = Vorn_Mode_EDIT) {
        TVornModel m;
        XGDocument::RewindUntitledCounter();
        // Without a window nothing measures the words: they get a place of their own.
        int32 top = 10;
        for (const QString& word : words) {
            CVornItem* itemP = m.AddWord(word.toUtf8().constData());
            itemP->i_boundsR = itemP->i_auto_boundsR = tagRECT{10, top, 150, top + 20};
            top += 30;
        }
        m.i_prefs.mode = mode;
        m.i_prefs.wind_edit.posR = tagRECT{30, 30, 430, 330};
        m.i_prefs.wind_go.posR = mode == Vorn_Mode_GO ? tagRECT{40, 40, 640, 490} : tagRECT{};
        const QString path = Path(name);
        m.SetFile(XGFileSpecifier(path.toStdString()));
        if (!m.WriteDocument()) return {};
        return path;
    }

    XGWindow* Open(const QString& path) {
        XGFileSpecifier spec(path.toStdString());
        XGWindow* w = TVornApp::InitWindow_Vorn(Vorn_WindowInit_OPEN_FILE, &spec);
        Settle();
        return w;
    }

private slots:
    void initTestCase() {
        QVERIFY(fDir.isValid());
        // Each run starts from the settings of a new installation, not from the last run's.
        const QString config = qEnvironmentVariable("XDG_CONFIG_HOME");
        QVERIFY2(!config.isEmpty(), "runs with a configuration folder of its own (ctest sets one)");
        QDir(config + "/Quorvale").removeRecursively();
        RegisterBoardDocuments();
        RegisterBoardWindows();
        StartApp();
    }
    void cleanupTestCase() {
        StopApp();
        XGSetPrintToFile({});
    }
    void cleanup() { CloseAll(); }

    void newVornMakesABoardWindow() {
        QVERIFY(XGGetCommandStatus(kCmd_NewVorn).enable);
        const size_t before = XGWindow::GetWindows().size();
        XGWindow* w = NewBoard();
        QCOMPARE(XGWindow::GetWindows().size(), before + 1);
        QVERIFY(w && w->IsVisible() && w->IsFront());
        QVERIFY(QString::fromStdString(w->GetName()).startsWith("Untitled Vorn"));
        QCOMPARE(w->GetMenuBarResID(), kVornBoardMenuBar);
        QCOMPARE(fApp->GetMenuBar()->GetLoadedID(), kVornBoardMenuBar);

        XGView* root = w->GetContentView();
        for (int32 id : {1, 3, 4, 5, 6, 7, 11, 12})
            QVERIFY2(root->FindView(id), qPrintable(QString("view %1").arg(id)));
        auto* browser = dynamic_cast<VBrowserWindowView*>(root->FindView(1));
        QVERIFY(browser);
        QCOMPARE(QString::fromStdString(browser->GetPathBar()->GetPath()), QString(VPathBar::kNotSaved));
        // The window's buttons serve its board: their state is the board's, a press goes to it.
        XGToolbarView* toolbar = browser->GetToolbar();
        BoardOf(w)->i_prefs.view_as = O_ViewAs_FREEFORM;
        toolbar->UpdateStatus();
        QVERIFY(toolbar->IsButtonChecked(6) && !toolbar->IsButtonChecked(7));
        QVERIFY(!toolbar->IsButtonEnabled(9));
        QVERIFY(toolbar->PressButton(7));
        QCOMPARE(BoardOf(w)->i_prefs.view_as, O_ViewAs_FLAT_COL);
        QVERIFY(!BoardOf(w)->HasFile());

        // Hiding the toolbar pane through the board view gives its height to the board.
        XGView* content = browser->GetContentPane();
        XGView* board = BoardViewOf(w);
        const int32 top = content->GetBounds().top, boardHeight = board->GetHeight();
        QVERIFY(top > 0 && board->GetWidth() > 100 && boardHeight > 100);
        LinkOf(w)->ShowViewPane(2, false);
        QCOMPARE(content->GetBounds().top, 0);
        QCOMPARE(board->GetHeight(), boardHeight + top);
        LinkOf(w)->ShowViewPane(2, true);
        QCOMPARE(board->GetHeight(), boardHeight);

        // Page setup, print and save are the board's. Without a printer to choose (the dialogs
        // cannot show here) nothing is printed.
        for (int32 command : {kCmd_PageSetup, kCmd_Print, kCmd_Save}) {
            XGSMenuStatus status;
            status.enable = false;
            QCOMPARE(board->DoDispatch('stat', command, &status, true), kDispatchHandled);
            QVERIFY(status.enable);
        }
        QCOMPARE(SendToBoard(w, kCmd_PageSetup), kDispatchHandled);
        QCOMPARE(BoardOf(w)->DoPrintDocument(), 0);
    }

    void saveAsAndOpenAgain_data() {
        QTest::addColumn<QString>("answer"); // the name typed into the save dialog; empty: Cancel
        // A file that already has the name with ".2dv" added (the dialog asked about the other),
        // and the answer to "File exists": 0 No, 1 Yes; -1 for no such file.
        QTest::addColumn<int>("replace");
        QTest::addColumn<QString>("expected"); // the file written; empty: none
        QTest::newRow("suffix added") << "plain" << -1 << "plain.2dv";
        QTest::newRow("board name") << "named.2dv" << -1 << "named.2dv";
        QTest::newRow("other extension kept") << "notes.txt" << -1 << "notes.txt.2dv";
        QTest::newRow("added name taken, kept") << "kept.txt" << 0 << "";
        QTest::newRow("added name taken, replaced") << "swap.txt" << 1 << "swap.txt.2dv";
        QTest::newRow("cancel") << "" << -1 << "";
    }
    void saveAsAndOpenAgain() {
        QFETCH(QString, answer);
        QFETCH(int, replace);
        QFETCH(QString, expected);
        const QString taken = Path((answer + ".2dv").toUtf8().constData());
        if (replace >= 0) QVERIFY(WriteFile(taken, "not a board"));
        AlertRecorder alerts(replace);
        XGWindow* w = NewBoard({"alpha", "beta"});
        QVERIFY(BoardOf(w)->IsDocumentDirty());
        QVERIFY(w->IsModified());
        const std::string untitled = w->GetName();
        const QStringList filesBefore = QDir(fDir.path()).entryList(QDir::Files);
        {
            SaveAnswer save(answer.isEmpty() ? QString() : Path(answer.toUtf8().constData()));
            QCOMPARE(SendToBoard(w, kCmd_Save), kDispatchHandled);
            QCOMPARE(save.count, 1);
            QCOMPARE(QString::fromStdString(save.asked.title), QString("Vorn Document"));
            QCOMPARE(save.asked.filters, (std::vector<std::string>{"Vorn Documents (*.2dv)"}));
            QCOMPARE(QString::fromStdString(save.asked.defaultSuffix), QString("2dv"));
        }
        Settle();
        QCOMPARE(alerts.Count("already exists"), replace >= 0 ? 1 : 0);
        if (expected.isEmpty()) {
            QVERIFY(BoardOf(w)->IsDocumentDirty());
            QCOMPARE(w->GetName(), untitled);
            QCOMPARE(QDir(fDir.path()).entryList(QDir::Files), filesBefore);
            if (replace >= 0) QCOMPARE(ReadFile(taken), QByteArray("not a board"));
            QFile::remove(taken);
            return;
        }
        const QString file = Path(expected.toUtf8().constData());
        QVERIFY(QFile::exists(file));
        QCOMPARE(QString::fromStdString(w->GetName()), expected);
        QVERIFY(!BoardOf(w)->IsDocumentDirty());
        QVERIFY(!w->IsModified());
        auto* path = dynamic_cast<VPathBar*>(w->GetContentView()->FindView(kVornViewID_Path));
        QCOMPARE(QString::fromStdString(path->GetPath()), file);

        // Opened again it holds what was saved.
        QVERIFY(w->Close());
        XGFileSpecifier spec(file.toStdString());
        XGWindow* again = TVornApp::InitWindow_Vorn(Vorn_WindowInit_OPEN_FILE, &spec);
        QVERIFY(again);
        // Its item count shows before any tick reaches the window.
        QCOMPARE(VBrowserWindowView::FromView(again->GetContentView())->GetInfoBar()->GetNumItems(), 2);
        Settle();
        QCOMPARE(TitleList(BoardOf(again)), std::string("alpha beta"));
        QVERIFY(!BoardOf(again)->IsDocumentDirty());
        QFile::remove(file);
    }

    void openingAFolderMakesABoardOfItsFiles() {
        const QString folder = Path("pictures");
        QVERIFY(QDir().mkpath(folder));
        for (const char* name : {"cat.png", "dog.png"})
            QVERIFY(WriteFile(folder + "/" + name, {}));
        XGWindow* w = Open(folder);
        QVERIFY(w);
        TVornModel* board = BoardOf(w);
        // Each file and its line break; the folder names the board and is never written over.
        QCOMPARE(board->i_list->Count(), 4);
        QVERIFY(!board->IsDocumentDirty());
        QVERIFY(board->IsFolderDocument());
    }

    void openBoardComesToTheFront_data() {
        QTest::addColumn<QString>("route");
        QTest::newRow("open") << "open";
        QTest::newRow("shell") << "shell";
        QTest::newRow("second start") << "second start";
    }
    void openBoardComesToTheFront() {
        QFETCH(QString, route);
        const QString a = WriteBoard("front-a.2dv", {"one"});
        const QString b = WriteBoard("front-b.2dv", {"two"});
        XGWindow* wa = Open(a);
        XGWindow* wb = Open(b);
        QVERIFY(wa && wb && wa != wb);
        QCOMPARE(XGWindow::GetFrontWindow(), wb);
        const size_t count = XGWindow::GetWindows().size();
        if (route == "open") {
            QCOMPARE(Open(a), wa);
        } else if (route == "shell") {
            fApp->DoShellCommands(("[open(\"" + a + "\")]").toStdString());
        } else {
            {
                XGPreferences store(kVornLaunchVendor, kVornLaunchProduct, kVornLaunchVersion);
                store.SetString(kVornLaunchKey, a.toUtf8().constData());
                store.Sync();
            }
            fApp->HandleInstanceMessage(kXGInstanceLaunchMessage);
        }
        Settle();
        QCOMPARE(XGWindow::GetWindows().size(), count);
        QCOMPARE(XGWindow::GetFrontWindow(), wa);
    }

    void printsToPdf_data() {
        QTest::addColumn<QString>("route");
        QTest::addColumn<int>("mode");
        QTest::newRow("print command") << "command" << int(Vorn_Mode_EDIT);
        QTest::newRow("shell print") << "shell" << int(Vorn_Mode_EDIT);
        QTest::newRow("shell print in Go Mode") << "shell" << int(Vorn_Mode_GO);
    }
    void printsToPdf() {
        QFETCH(QString, route);
        QFETCH(int, mode);
        const QString empty = WriteBoard("print-empty.2dv", {});
        const QString full =
            WriteBoard("print-full.2dv", {"Printed words", "on a page"}, Vorn_ModeType(mode));
        AlertRecorder alerts;
        auto print = [&](const QString& board, const QString& pdf) -> qint64 {
            XGSetPrintToFile(pdf.toStdString());
            if (route == "command") {
                XGWindow* w = Open(board);
                if (!w) return -1;
                SendToBoard(w, kCmd_Print);
                w->Close();
            } else {
                const size_t windows = XGWindow::GetWindows().size();
                fApp->DoShellCommands(("[print(\"" + board + "\")]").toStdString());
                if (XGWindow::GetWindows().size() != windows) return -2; // printing opens nothing
            }
            XGSetPrintToFile({});
            QFile f(pdf);
            if (!f.open(QIODevice::ReadOnly) || !f.read(4).startsWith("%PDF")) return 0;
            return f.size();
        };
        const qint64 emptySize = print(empty, Path("empty.pdf"));
        const qint64 fullSize = print(full, Path("full.pdf"));
        QVERIFY2(emptySize > 0, qPrintable(QString::number(emptySize)));
        // The words are on the page: their font and text make the file larger.
        QVERIFY2(fullSize > emptySize, qPrintable(QString("%1 %2").arg(fullSize).arg(emptySize)));
        QVERIFY2(alerts.empty(), alerts.empty() ? "" : alerts[0].text.c_str());
    }

    void closingAChangedBoardAsks_data() {
        QTest::addColumn<bool>("changed");
        QTest::addColumn<int>("button"); // of "Save Changes?": 0 Don't Save, 1 Cancel, 2 Save
        QTest::addColumn<bool>("closed");
        QTest::addColumn<bool>("saved");
        QTest::newRow("clean") << false << 1 << true << false;
        QTest::newRow("don't save") << true << 0 << true << false;
        QTest::newRow("cancel") << true << 1 << false << false;
        QTest::newRow("save") << true << 2 << true << true;
    }
    void closingAChangedBoardAsks() {
        QFETCH(bool, changed);
        QFETCH(int, button);
        QFETCH(bool, closed);
        QFETCH(bool, saved);
        XGWindow* w = NewBoard(changed ? QStringList{"unsaved"} : QStringList{});
        const size_t count = XGWindow::GetWindows().size();
        const QString file = Path("asked.2dv");
        SaveAnswer save(file);
        AlertRecorder alerts(button);
        QCOMPARE(w->Close(), closed);
        QCOMPARE(alerts.Count("Save Changes?"), changed ? 1 : 0);
        QCOMPARE(XGWindow::GetWindows().size(), closed ? count - 1 : count);
        QCOMPARE(QFile::exists(file), saved);
        QFile::remove(file);
    }

    void boardSavedInGoModeOpensInGoMode() {
        const QString path = WriteBoard("go.2dv", {"Go", "Mode", "words"}, Vorn_Mode_GO);
        XGWindow* w = Open(path);
        QVERIFY(w);
        TVornModel* m = BoardOf(w);
        QCOMPARE(m->GetMode(), Vorn_Mode_GO);
        QVERIFY(m->GetFirstPict() && m->GetFirstPict()->i_b.lockedB());
        QCOMPARE(w->GetBounds(), (tagRECT{40, 40, 640, 490}));
        QVERIFY(!m->IsDocumentDirty());

        // The picture fills the window's board view, whatever its size.
        XGView* board = BoardViewOf(w);
        for (const tagRECT& r : {tagRECT{40, 40, 640, 490}, tagRECT{10, 10, 900, 700}}) {
            w->SetBounds(r);
            Settle();
            const QImage shot = board->GetWidget()->grab().toImage();
            const tagRECT pict = m->GetFirstPict()->i_boundsR;
            QCOMPARE(m->i_scaleX, double(board->GetWidth()) / pict.Width());
            QCOMPARE(m->i_scaleY, double(board->GetHeight()) / pict.Height());
            QVERIFY(DarkPixels(shot, shot.rect()) > 0);
        }
    }

    void windowMovesAreKeptInTheBoard() {
        const QString path = WriteBoard("moved.2dv", {"item"});
        XGWindow* target = NewBoard();
        XGWindow* w = Open(path);
        TVornModel* m = BoardOf(w);
        // The board opened where it was stored, and that is no change.
        QCOMPARE(w->GetBounds(), (tagRECT{30, 30, 430, 330}));
        QVERIFY(!m->IsDocumentDirty());

        // After start-up a move is the user's: it changes the board and the place of new boards.
        Settle();
        w->SetBounds(tagRECT{50, 60, 450, 360});
        Settle();
        QVERIFY(m->IsDocumentDirty());
        QVERIFY(w->IsModified());
        tagRECT pref{};
        gVornPrefsP->Get_VornWindR(pref);
        QCOMPARE(pref, (tagRECT{50, 60, 450, 360}));

        // Saving keeps the window's place in the file.
        SendToBoard(w, kCmd_Save);
        QVERIFY(!m->IsDocumentDirty());
        TVornModel reread;
        XGDocument::RewindUntitledCounter();
        QVERIFY(reread.DoOpenDocument(XGFileSpecifier(path.toStdString())));
        QCOMPARE(reread.i_prefs.wind_edit.posR, (tagRECT{50, 60, 450, 360}));

        // A board whose target window moves opens its next target window there.
        m->i_target_controllerP = BoardFormOf(target);
        target->SetBounds(tagRECT{200, 150, 700, 550});
        Settle();
        QCOMPARE(m->i_prefs.wind_gen.posR, (tagRECT{200, 150, 700, 550}));
    }
};

QTEST_MAIN(TestBoardWindow)
#include "tst_boardwindow.moc"
