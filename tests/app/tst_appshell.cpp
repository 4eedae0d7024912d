// The application shell in one process: menu bars and the window list, quitting with a window
// that refuses, the desktop's log-out, the accelerator fall-back, the application commands, the
// version check from the menu, the window maker and the files it cannot open or print.

#include "AlertRecorder.h"
#include "CCheckVersion.h"
#include "CDocumentKinds.h"
#include "CVornPrefs.h"
#include "GGlobals.h"
#include "LaunchRecorder.h"
#include "LoopbackServer.h"
#include "RunningApp.h"
#include "TestFiles.h"
#include "TVornApp.h"
#include "VornWindowInit.h"
#include "XGAlert.h"
#include "XGDocForm.h"
#include "XGDocument.h"
#include "XGFileSpecifier.h"
#include "XGMenuBar.h"
#include "XGPlatform.h"
#include "XGRecentlyUsed.h"
#include "XGToolbar.h"
#include "XGView.h"
#include "XGWindow.h"

#include <QtTest>

using namespace yaaf;

namespace {

// A view that records keys and, when asked, answers one menu command.
class KeyView : public XGView {
    YAAF_DECLARE_DISPATCH()
public:
    KeyView() : XGView('view') {}
    int32 Key(int32 param, void*) {
        fKeys.push_back(uint32(param));
        return kDispatchHandled;
    }
    int32 Menu(int32 param, void*) {
        if (param != fAnswerCommand) return kDispatchNotHandled;
        fMenus.push_back(param);
        return kDispatchHandled;
    }
    std::vector<uint32> fKeys;
    std::vector<int32> fMenus;
    int32 fAnswerCommand = 0;
};

// A stand-in document kind that counts what the window maker does with it.
struct FakeDoc : public XGDocument {
    bool ReadDocument() override { return true; }
};
int s_opened = 0;
int s_printed = 0;

// A changed document that asks before closing, as a text does, and answers as told.
struct AskingDoc : public FakeDoc {
    bool CanClose() override {
        ++s_asked;
        return s_agree;
    }
    static inline int s_asked = 0;
    static inline bool s_agree = false;
};

} // namespace

YAAF_DISPATCH_BEGIN(KeyView)
YAAF_DISPATCH_ENTRY('keye', KeyView, Key)
YAAF_DISPATCH_ENTRY('menu', KeyView, Menu)
YAAF_DISPATCH_END(KeyView, XGView)

class TestAppShell : public QObject, vorntest::RunningApp {
    Q_OBJECT
    vorntest::LaunchRecorder fLaunches; // no test opens a browser
    std::string WriteFile(const char* name, const char* text) {
        vorntest::WriteFile(fDir.filePath(name), text);
        return fDir.filePath(name).toStdString();
    }

private slots:
    void initTestCase() {
        qputenv("VORN_UPDATE_SERVER", "127.0.0.1:1");
        qputenv("XDG_DATA_HOME", QDir(fDir.filePath("data")).absolutePath().toUtf8());
        CDocumentKinds& kinds = GetDocumentKinds();
        kinds.text.makeDocument = [] { return static_cast<XGDocument*>(new FakeDoc()); };
        kinds.text.openFile = [](XGDocument* d, const XGFileSpecifier& f) {
            d->SetFile(f);
            ++s_opened;
            return true;
        };
        kinds.text.makeForm = [](XGDocument* d) { return new XGDocForm(d); };
        kinds.text.makeWindow = [](XGDocForm* form) {
            auto* w = new XGWindow(form, false);
            w->SetName(static_cast<XGDocument*>(form->GetDocument())->GetDocumentName());
            return w;
        };
        kinds.text.printFile = [](const XGFileSpecifier&) {
            ++s_printed;
            return true;
        };
        StartApp();
    }
    void cleanupTestCase() {
        StopApp();
        QVERIFY(!g);
    }

    void menuBarAndToolbar() {
        QCOMPARE(fApp->GetInitStage(), AppInitStage_MOVIES);
        XGMenuBar* bar = fApp->GetMenuBar();
        QVERIFY(bar);
        QCOMPARE(bar->GetLoadedID(), 128);
        const auto titles = bar->GetMenuTitles();
        QCOMPARE(titles.front(), std::string("&File"));
        QCOMPARE(titles.back(), std::string("&Help"));
        // Application commands are enabled, window commands are not without windows.
        QVERIFY(bar->IsItemEnabled(17666));
        QVERIFY(bar->IsItemEnabled(13));
        QVERIFY(!bar->IsItemEnabled(kXGCmd_Close));
        QVERIFY(!bar->IsItemEnabled(kXGCmd_Tile));
        // Nothing to undo: "Can't Undo" is disabled and shown.
        QVERIFY(!bar->IsItemEnabled(11));
        QCOMPARE(bar->GetItemTitle(11), std::string("Can't Undo "));
        QVERIFY(fApp->GetToolbar());
        QVERIFY(fApp->GetToolbar()->IsButtonEnabled(17666));
    }

    void windowListOrderAndDigits() {
        XGMenuBar* bar = fApp->GetMenuBar();
        QCOMPARE(bar->GetWindowListTexts(), std::vector<std::string>{"Empty"});
        for (const char* name : {"delta", "Alpha", "charlie", "bravo", "e", "f", "g", "h", "i", "j", "k"}) {
            auto* w = new XGWindow(nullptr, true);
            w->SetName(name);
        }
        // A window that is not listed.
        auto* tool = new XGWindow(nullptr, true);
        tool->SetName("aaa tool");
        tool->SetAttributes(kXGWindowAttr_Unlisted);
        fApp->SortWindowList();
        Settle();
        const std::vector<std::string> listed{"&1 Alpha", "&2 bravo", "&3 charlie", "&4 delta",
                                              "&5 e", "&6 f", "&7 g", "&8 h", "&9 i", "j", "k"};
        QCOMPARE(bar->GetWindowListTexts(), listed);
        // Ids from 0x7000 in list order; choosing one brings its window to the front.
        QCOMPARE(fApp->GetWindowList().front().commandID, kXGWindowListFirstID);
        QVERIFY(bar->TriggerItem(kXGWindowListFirstID + 2));
        Settle();
        QCOMPARE(XGWindow::GetFrontWindow()->GetName(), std::string("charlie"));
        QVERIFY(bar->IsItemChecked(kXGWindowListFirstID + 2));
        // A renaming sorts again.
        XGWindow* charlie = XGWindow::GetFrontWindow();
        charlie->SetName("zulu");
        Settle();
        QCOMPARE(bar->GetWindowListTexts()[2], std::string("&3 delta"));
        QVERIFY(bar->IsItemEnabled(kXGCmd_Close));
        QVERIFY(bar->IsItemEnabled(kXGCmd_Tile));
        delete tool;
        CloseAll();
        QCOMPARE(bar->GetWindowListTexts(), std::vector<std::string>{"Empty"});
    }

    // The desktop's log-out runs the quit query: every changed document asks, and a refusal
    // cancels the log-out (and the quitting). Where the desktop allows no questions, nothing is
    // asked or closed.
    void logOutAsksAsQuittingDoes_data() {
        QTest::addColumn<bool>("mayInteract");
        QTest::addColumn<bool>("agree");
        QTest::addColumn<bool>("mayEnd");
        QTest::addColumn<int>("asked");
        QTest::addColumn<int>("left");
        QTest::newRow("both agree") << true << true << true << 2 << 0;
        QTest::newRow("the first refuses") << true << false << false << 1 << 2;
        QTest::newRow("no questions allowed") << false << false << true << 0 << 2;
    }

    void logOutAsksAsQuittingDoes() {
        QFETCH(bool, mayInteract);
        QFETCH(bool, agree);
        QFETCH(int, left);
        for (int i = 0; i < 2; ++i) {
            auto* doc = new AskingDoc();
            doc->SetDirty();
            new XGWindow(new XGDocForm(doc), true);
        }
        Settle();
        AskingDoc::s_asked = 0;
        AskingDoc::s_agree = agree;
        QTEST(fApp->QueryEndSession(mayInteract), "mayEnd");
        QTEST(AskingDoc::s_asked, "asked");
        QCOMPARE(int(XGWindow::GetWindows().size()), left);
        QCOMPARE(fApp->IsQuitting(), left == 0);
        fApp->SetQuitFlag(false);
        CloseAll();
    }

    // "=" is Add Column when a board answers it, and typing everywhere else.
    void acceleratorFallBack() {
        auto* w = new XGWindow(nullptr, true);
        auto* view = new KeyView();
        w->SetContentView(view);
        Settle();
        view->SetFocus();
        QWidget* widget = view->GetWidget();
        QVERIFY(widget);
        QTest::keyClick(widget, Qt::Key_Equal, Qt::NoModifier);
        QVERIFY(view->fMenus.empty());
        QCOMPARE(view->fKeys.size(), size_t(1));
        QCOMPARE(view->fKeys[0] & 0xFFFF, uint32('='));
        view->fKeys.clear();
        view->fAnswerCommand = 58;
        QTest::keyClick(widget, Qt::Key_Equal, Qt::NoModifier);
        QCOMPARE(view->fMenus, std::vector<int32>{58});
        QVERIFY(view->fKeys.empty());
        // Ctrl+G always sends Go Mode, the first of its two entries.
        view->fAnswerCommand = 17921;
        QTest::keyClick(widget, Qt::Key_G, Qt::ControlModifier);
        QCOMPARE(view->fMenus.back(), 17921);
        // A key without an entry reaches the view.
        view->fKeys.clear();
        QTest::keyClick(widget, Qt::Key_Q, Qt::NoModifier);
        QCOMPARE(view->fKeys.size(), size_t(1));
        CloseAll();
    }

    void applicationCommands() {
        std::vector<std::string>& urls = fLaunches.launched;
        urls.clear();
        QCOMPARE(XGSendMenuCommand(18689), kDispatchHandled);
        QCOMPARE(XGSendMenuCommand(18691), kDispatchHandled);
        QCOMPARE(XGSendMenuCommand(18692), kDispatchHandled);
        QCOMPARE(urls.size(), size_t(3));
        QVERIFY(QString::fromStdString(urls[0]).endsWith("/vorn/help/"));
        QVERIFY(QString::fromStdString(urls[1]).startsWith("mailto:"));
        QVERIFY(QString::fromStdString(urls[1]).endsWith("?subject=Vorn Feedback"));
        QVERIFY(QString::fromStdString(urls[2]).endsWith("/vorn/feedback/formmail.html"));
        // Logging toggles and shows its check.
        const bool before = gVornPrefsP->Get_Logging();
        QCOMPARE(XGSendMenuCommand(108), kDispatchHandled);
        QCOMPARE(gVornPrefsP->Get_Logging(), !before);
        XGSMenuStatus s = XGGetCommandStatus(108);
        QVERIFY(s.enable);
        QCOMPARE(s.check, !before);
        XGSendMenuCommand(108);
        QVERIFY(XGGetCommandStatus(17669).enable);
        QVERIFY(!XGGetCommandStatus(111).enable);
        // No board windows can be made here: "New Vorn" is greyed out, "New Text" is not.
        QVERIFY(!XGGetCommandStatus(17665).enable);
        QVERIFY(XGGetCommandStatus(17666).enable);
        QCOMPARE(XGSendMenuCommand(111), kDispatchHandled);
        // An unknown command is nobody's.
        QCOMPARE(XGSendMenuCommand(4242), kDispatchNotHandled);
    }

    // "Check for Update..." stands enabled in every menu bar while no check runs; choosing it
    // asks the server and tells the answer, a failure too, also as the first check of the run.
    void checkForUpdateInEveryMenuBar_data() {
        QTest::addColumn<int>("bar");
        QTest::newRow("boards") << 128;
        QTest::newRow("texts") << 129;
        QTest::newRow("player only") << 130;
    }

    void checkForUpdateInEveryMenuBar() {
        QFETCH(int, bar);
        gVornPrefsP->i_prefs.b.player_onlyB = bar == 130;
        if (bar == 129) (new XGWindow(nullptr, true))->SetMenuBarResID(129);
        QTRY_VERIFY(!gCheckVersion->IsChecking()); // the automatic check at start, if any
        Settle();
        XGMenuBar* menus = fApp->GetMenuBar();
        QCOMPARE(menus->GetLoadedID(), bar);
        QVERIFY(menus->IsItemEnabled(115));
        QVERIFY(XGGetCommandStatus(113).enable);
        QVERIFY(XGGetCommandStatus(114).enable);

        vorntest::AlertRecorder alerts;
        gCheckVersion->i_show_failure_messageB = false; // as before any check has finished
        QVERIFY(menus->TriggerItem(115));
        QTRY_VERIFY(!gCheckVersion->IsChecking()); // nothing listens on 127.0.0.1:1
        fApp->PreEvent();                          // the periodic work reports
        QCOMPARE(alerts.size(), size_t(1));
        QCOMPARE(QString::fromStdString(alerts[0].title), QString("Version Check"));
        QCOMPARE(QString::fromStdString(alerts[0].text),
                 QString("There was some kind of problem checking the server for a new version."));
        gVornPrefsP->i_prefs.b.player_onlyB = false;
        CloseAll();
    }

    void openingFiles() {
        s_opened = 0;
        const std::string txt = WriteFile("note.txt", "hello");
        vorntest::AlertRecorder alerts;
        XGFileSpecifier text(txt);
        XGWindow* w = InitWindow_Vorn(Vorn_WindowInit_OPEN_FILE, &text);
        QVERIFY(w);
        QCOMPARE(s_opened, 1);
        // With an outForm the window is made but not shown.
        XGDocForm* form = nullptr;
        XGWindow* hidden = InitWindow_Vorn(Vorn_WindowInit_OPEN_FILE, &text, &form);
        QVERIFY(hidden && form && form->GetWindow() == hidden);
        Settle();
        QVERIFY(w->IsVisible() && !hidden->IsVisible());
        CloseAll();

        // The command line: one whole path with a blank, else tokens; a missing file is named.
        const std::string spaced = WriteFile("two words.txt", "x");
        s_opened = 0;
        QCOMPARE(fApp->OpenCommandLine(spaced, true), 1);
        QCOMPARE(s_opened, 1);
        QVERIFY(alerts.empty());
        QCOMPARE(fApp->OpenCommandLine("\"" + spaced + "\" " + txt + " /nonexistent/x.txt", true), 3);
        QCOMPARE(s_opened, 3);
        QCOMPARE(alerts.Count("\"/nonexistent/x.txt\": the file does not exist."), 1);
        QCOMPARE(fApp->OpenCommandLine("", true), 0);
        CloseAll();
    }

    // A file that cannot be opened or printed is named in a message, whichever way it came.
    void filesThatCannotBeOpenedAreNamed_data() {
        QTest::addColumn<QString>("shell"); // the shell text with FILE for the file; empty: a window
        QTest::addColumn<QString>("name");
        QTest::addColumn<bool>("exists");
        QTest::addColumn<QString>("reason"); // empty: no message
        auto row = [](const char* n, const QString& shell, const char* file, bool exists, const char* why) {
            QTest::newRow(n) << shell << file << exists << why;
        };
        const QString open = "[open(\"FILE\")]", print = "[print(\"FILE\")]";
        const char* unknown = "it is neither a Vorn board nor a text document";
        row("missing", QString(), "missing.txt", false, "the file does not exist");
        row("unknown type", open, "data.xyz", true, unknown);
        row("board, no board windows", QString(), "b.2dv", true,
            "board windows are not available in this version");
        row("board printed", print, "b.2dv", true, "printing boards is not available in this version");
        row("missing printed", print, "gone.2dv", false, "the file does not exist");
        row("unknown type printed", print, "data.xyz", true, unknown);
        row("text printed", print, "note.txt", true, "");
    }

    void filesThatCannotBeOpenedAreNamed() {
        QFETCH(QString, shell);
        QFETCH(QString, name);
        QFETCH(bool, exists);
        QFETCH(QString, reason);
        const std::string path =
            exists ? WriteFile(qPrintable(name), "x") : fDir.filePath(name).toStdString();
        vorntest::AlertRecorder alerts;
        s_opened = s_printed = 0;
        if (shell.isEmpty()) {
            XGFileSpecifier spec(path);
            QVERIFY(!InitWindow_Vorn(Vorn_WindowInit_OPEN_FILE, &spec));
        } else {
            fApp->DoShellCommands(shell.replace("FILE", QString::fromStdString(path)).toStdString());
        }
        QCOMPARE(s_opened, 0);
        QVERIFY(XGWindow::GetWindows().empty());
        QCOMPARE(s_printed, reason.isEmpty() ? 1 : 0);
        QCOMPARE(alerts.size(), size_t(reason.isEmpty() ? 0 : 1));
        if (reason.isEmpty()) return;
        const bool print = shell.startsWith("[print");
        QCOMPARE(QString::fromStdString(alerts[0].title), print ? "Print Error" : "Open File Error");
        QCOMPARE(QString::fromStdString(alerts[0].text),
                 QString("Vorn cannot %1 \"%2\": %3.").arg(print ? "print" : "open", path.c_str(), reason));
    }

    // Many files that cannot be opened make one message, not a dialog each.
    void manyFailuresMakeOneMessage() {
        vorntest::AlertRecorder alerts;
        std::string line = WriteFile("data.xyz", "?");
        for (int i = 0; i < 12; ++i)
            line += " " + fDir.filePath(QString("gone%1.txt").arg(i)).toStdString();
        fApp->OpenCommandLine(line, true);
        QCOMPARE(alerts.size(), size_t(1));
        const QString text = QString::fromStdString(alerts[0].text);
        QVERIFY2(text.startsWith("Vorn cannot open these files:\n\"" + fDir.filePath("data.xyz") +
                                 "\": it is neither"),
                 qPrintable(text));
        QVERIFY(text.contains(fDir.filePath("gone8.txt")));
        QVERIFY(!text.contains(fDir.filePath("gone9.txt")));
        QVERIFY(text.endsWith("\nand 3 more."));
        // Opening and printing in one shell text: still one message.
        fApp->DoShellCommands("[open(\"/nonexistent/a.txt\")][print(\"/nonexistent/b.2dv\")]");
        QCOMPARE(alerts.size(), size_t(2));
        QCOMPARE(QString::fromStdString(alerts[1].title), QString("File Error"));
        QVERIFY(QString::fromStdString(alerts[1].text).startsWith("Vorn cannot open or print these files:"));
    }

    // File > Open Recent: newest first, one entry per file however it was named, at most ten,
    // kept in the preferences; a file gone since is named in a message and leaves the list.
    // Steps: "o:NAME" opens (making the file), "d:NAME" deletes, "c:N" chooses entry N, "x"
    // chooses Clear Menu. DIR in the expected texts is the folder of the files.
    void openRecent_data() {
        QTest::addColumn<QString>("steps");
        QTest::addColumn<QStringList>("texts");
        QTest::addColumn<int>("alerts");
        QTest::newRow("newest first, folded")
            << "o:a.txt o:b.txt o:a.txt" << QStringList{"&1 a.txt", "&2 b.txt"} << 0;
        QTest::newRow("another name of one file")
            << "o:a.txt o:sub/../a.txt o:./a.txt" << QStringList{"&1 a.txt"} << 0;
        QTest::newRow("ten kept")
            << "o:1.txt o:2.txt o:3.txt o:4.txt o:5.txt o:6.txt o:7.txt o:8.txt o:9.txt o:10.txt "
               "o:11.txt"
            << QStringList{"&1 11.txt", "&2 10.txt", "&3 9.txt", "&4 8.txt", "&5 7.txt",
                           "&6 6.txt",  "&7 5.txt",  "&8 4.txt", "&9 3.txt", "1&0 2.txt"}
            << 0;
        QTest::newRow("chosen opens and comes first")
            << "o:a.txt o:b.txt c:2" << QStringList{"&1 a.txt", "&2 b.txt"} << 0;
        QTest::newRow("missing is told and dropped")
            << "o:a.txt o:b.txt d:a.txt c:2" << QStringList{"&1 b.txt"} << 1;
        QTest::newRow("same name, two folders")
            << "o:a.txt o:sub/a.txt" << QStringList{"&1 a.txt  (DIR/sub)", "&2 a.txt  (DIR)"} << 0;
        QTest::newRow("ampersand is no mnemonic") << "o:R&D.txt" << QStringList{"&1 R&&D.txt"} << 0;
        QTest::newRow("clear menu") << "o:a.txt x" << QStringList{} << 0;
    }

    void openRecent() {
        QFETCH(QString, steps);
        QFETCH(QStringList, texts);
        QFETCH(int, alerts);
        gVornPrefsP->Clear_RecentFiles();
        QDir(fDir.path()).mkpath("sub");
        XGMenuBar* bar = fApp->GetMenuBar();
        vorntest::AlertRecorder recorder;
        for (const QString& step : steps.split(' ')) {
            const QString arg = step.mid(2);
            if (step.startsWith("o:")) {
                if (!QFile::exists(fDir.filePath(arg))) WriteFile(qPrintable(arg), "x");
                XGFileSpecifier spec(fDir.filePath(arg).toStdString());
                QVERIFY(InitWindow_Vorn(Vorn_WindowInit_OPEN_FILE, &spec));
            } else if (step.startsWith("d:")) {
                QVERIFY(QFile::remove(fDir.filePath(arg)));
            } else if (step.startsWith("c:")) {
                QVERIFY(bar->TriggerRecentItem(arg.toInt()));
            } else {
                QVERIFY(bar->TriggerItem(17681));
            }
            // Chosen with the windows still open, as the menu is used.
            Settle();
        }
        CloseAll();
        QStringList shown;
        for (const std::string& t : bar->GetRecentListTexts())
            shown << QString::fromStdString(t).replace(QDir(fDir.path()).canonicalPath(), "DIR");
        QCOMPARE(shown, texts);
        QCOMPARE(int(recorder.size()), alerts);
        if (alerts) QVERIFY(QString::fromStdString(recorder[0].text).endsWith("the file does not exist."));
        fApp->PostEvent();
        QCOMPARE(bar->IsItemEnabled(17681), !texts.isEmpty());
        // Kept in the preferences, as the next start reads them.
        std::vector<std::string> kept = gVornPrefsP->Get_RecentFiles();
        {
            CVornPrefs fresh;
            QCOMPARE(fresh.Get_RecentFiles(), kept);
        }
        QCOMPARE(int(kept.size()), texts.size());
        // And in the desktop's list.
        if (!kept.empty()) {
            QFile xbel(QString::fromStdString(XGRecentlyUsedPath()));
            QVERIFY(xbel.open(QIODevice::ReadOnly));
            const QString href = QUrl::fromLocalFile(QString::fromStdString(kept[0])).toEncoded();
            QVERIFY(xbel.readAll().contains(href.toHtmlEscaped().toUtf8()));
        }
    }

    void untitledCounterTakesOneNumberPerWindow() {
        CDocumentKinds& kinds = GetDocumentKinds();
        // Two candidate kinds: each window still takes one number.
        kinds.board.makeDocument = [] { return static_cast<XGDocument*>(new FakeDoc()); };
        kinds.board.makeForm = kinds.text.makeForm;
        kinds.board.makeWindow = kinds.text.makeWindow;
        const int32 before = XGDocument::GetUntitledCounter();
        QVERIFY(InitWindow_Vorn(Vorn_WindowInit_NEW_TEXT));
        QVERIFY(InitWindow_Vorn(Vorn_WindowInit_NEW_VORN));
        QCOMPARE(XGDocument::GetUntitledCounter(), before + 2);
        kinds.board = CDocumentKind();
        CloseAll();
    }

    // Quitting while the version check waits on a server that never answers: the check is
    // cancelled, not waited out. Runs last: it ends the application.
    void quittingDoesNotWaitForASilentServer() {
        vorntest::LoopbackServer server(vorntest::LoopbackServer::Silent());
        qputenv("VORN_UPDATE_SERVER", QByteArray::fromStdString(server.Address()));
        XGMenuBar* menus = fApp->GetMenuBar();
        QVERIFY(menus->TriggerItem(115));
        QTRY_COMPARE(server.Connections(), 1);
        Settle();
        QVERIFY(gCheckVersion->IsChecking());
        QVERIFY(!menus->IsItemEnabled(115)); // greyed while it asks
        QElapsedTimer timer;
        timer.start();
        QCOMPARE(fApp->DoDispatch('qapp', 0, nullptr, true), kDispatchHandled);
        // As the program's entry does once the loop has ended.
        fApp->Destroy();
        delete fApp;
        fApp = nullptr;
        QVERIFY2(timer.elapsed() < 1000, qPrintable(QString::number(timer.elapsed())));
    }
};

QTEST_MAIN(TestAppShell)
#include "tst_appshell.moc"
