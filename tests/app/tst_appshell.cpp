// The application shell in one process: menu bars and the window list, quitting with a window
// that refuses, the accelerator fall-back, the application commands and the window maker.

#include "CDocumentKinds.h"
#include "CVornPrefs.h"
#include "GGlobals.h"
#include "TVornApp.h"
#include "VornWindowInit.h"
#include "XGAlert.h"
#include "XGDocForm.h"
#include "XGDocument.h"
#include "XGFileSpecifier.h"
#include "XGMenuBar.h"
#include "XGPlatform.h"
#include "XGSplash.h"
#include "XGToolbar.h"
#include "XGView.h"
#include "XGWindow.h"

#include <QMainWindow>
#include <QMenuBar>
#include <QTemporaryDir>
#include <QtTest>

using namespace yaaf;

namespace {

class RefusingWindow : public XGWindow {
public:
    explicit RefusingWindow(bool refuse) : XGWindow(nullptr, true), fRefuse(refuse) {}
    bool CanClose() override { return !fRefuse; }
    bool fRefuse;
};

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

std::vector<std::string> s_urls;
bool RecordURL(const char* url) {
    s_urls.emplace_back(url);
    return true;
}

// A stand-in document kind that counts what the window maker does with it.
struct FakeDoc : public XGDocument {
    bool ReadDocument() override { return true; }
};
int s_opened = 0;

} // namespace

YAAF_DISPATCH_BEGIN(KeyView)
YAAF_DISPATCH_ENTRY('keye', KeyView, Key)
YAAF_DISPATCH_ENTRY('menu', KeyView, Menu)
YAAF_DISPATCH_END(KeyView, XGView)

class TestAppShell : public QObject {
    Q_OBJECT
    TVornApp* fApp = nullptr;
    QTemporaryDir fDir;

    void Settle() {
        for (int i = 0; i < 3; ++i) {
            QCoreApplication::processEvents();
            fApp->PostEvent();
        }
    }
    void CloseAll() {
        while (!XGWindow::GetWindows().empty())
            delete XGWindow::GetWindows().front();
        Settle();
    }
    std::string WriteFile(const char* name, const char* text) {
        QString path = fDir.filePath(name);
        QFile f(path);
        f.open(QIODevice::WriteOnly);
        f.write(text);
        return path.toStdString();
    }

private slots:
    void initTestCase() {
        qputenv("VORN_UPDATE_SERVER", "127.0.0.1:1");
        XGSetLaunchURLHook(RecordURL);
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
        fApp = new TVornApp();
        fApp->Init();
        Settle();
    }
    void cleanupTestCase() {
        CloseAll();
        delete fApp;
        QVERIFY(!g);
        XGSetLaunchURLHook(nullptr);
    }

    void startUpMakesTheGlobals() {
        QVERIFY(g);
        QCOMPARE(fApp->GetInitStage(), AppInitStage_MOVIES);
        QVERIFY(XGWindow::GetWindows().empty());
    }

    void menuBarAndToolbar() {
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

        if (const char* dir = std::getenv("VORN_SCREENSHOT_DIR")) {
            fApp->GetMainFrame()->grab().save(QString(dir) + "/mainframe.png");
            XGSplash::SaveImage("Vorn 1.0a50.3", "Initializing Globals", std::string(dir) + "/splash.png");
            fApp->GetMainFrame()->menuBar()->actions().at(0)->menu()->grab().save(QString(dir) +
                                                                                  "/filemenu.png");
        }
    }

    void windowListOrderAndDigits() {
        XGMenuBar* bar = fApp->GetMenuBar();
        QCOMPARE(bar->GetWindowListTexts(), std::vector<std::string>{"Empty"});
        std::vector<XGWindow*> made;
        for (const char* name : {"delta", "Alpha", "charlie", "bravo", "e", "f", "g", "h", "i", "j", "k"}) {
            auto* w = new XGWindow(nullptr, true);
            w->SetName(name);
            made.push_back(w);
        }
        // A window that is not listed.
        auto* tool = new XGWindow(nullptr, true);
        tool->SetName("aaa tool");
        tool->SetAttributes(kXGWindowAttr_Unlisted);
        fApp->SortWindowList();
        Settle();
        const auto texts = bar->GetWindowListTexts();
        QCOMPARE(texts.size(), size_t(11));
        QCOMPARE(texts[0], std::string("&1 Alpha"));
        QCOMPARE(texts[1], std::string("&2 bravo"));
        QCOMPARE(texts[2], std::string("&3 charlie"));
        QCOMPARE(texts[3], std::string("&4 delta"));
        QCOMPARE(texts[8], std::string("&9 i"));
        QCOMPARE(texts[9], std::string("j"));
        QCOMPARE(texts[10], std::string("k"));
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

    void quittingWithARefusingWindow() {
        auto* plain = new XGWindow(nullptr, true);
        plain->SetName("plain");
        auto* refusing = new RefusingWindow(true);
        refusing->SetName("refusing");
        Settle();
        QCOMPARE(fApp->DoDispatch('qapp', 0, nullptr, true), kDispatchNotHandled);
        QVERIFY(!fApp->IsQuitting());
        QVERIFY(!XGWindow::GetWindows().empty());
        bool refusingLeft = false;
        for (XGWindow* w : XGWindow::GetWindows())
            refusingLeft |= w == refusing;
        QVERIFY(refusingLeft);
        // Once it agrees, quitting closes everything and ends the loop.
        refusing->fRefuse = false;
        QCOMPARE(fApp->DoDispatch('qapp', 0, nullptr, true), kDispatchHandled);
        QVERIFY(fApp->IsQuitting());
        QVERIFY(XGWindow::GetWindows().empty());
        fApp->SetQuitFlag(false);
        Settle();
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
        s_urls.clear();
        QCOMPARE(XGSendMenuCommand(18689), kDispatchHandled);
        QCOMPARE(XGSendMenuCommand(18691), kDispatchHandled);
        QCOMPARE(XGSendMenuCommand(18692), kDispatchHandled);
        QCOMPARE(s_urls.size(), size_t(3));
        QVERIFY(QString::fromStdString(s_urls[0]).endsWith("/vorn/help/"));
        QVERIFY(QString::fromStdString(s_urls[1]).startsWith("mailto:"));
        QVERIFY(QString::fromStdString(s_urls[1]).endsWith("?subject=Vorn Feedback"));
        QVERIFY(QString::fromStdString(s_urls[2]).endsWith("/vorn/feedback/formmail.html"));
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

    void playerOnlyUsesBar130() {
        gVornPrefsP->i_prefs.b.player_onlyB = true;
        Settle();
        QCOMPARE(fApp->GetMenuBar()->GetLoadedID(), 130);
        // A window with a bar of its own gets it while in front.
        auto* w = new XGWindow(nullptr, true);
        w->SetMenuBarResID(129);
        Settle();
        QCOMPARE(fApp->GetMenuBar()->GetLoadedID(), 129);
        CloseAll();
        QCOMPARE(fApp->GetMenuBar()->GetLoadedID(), 130);
        gVornPrefsP->i_prefs.b.player_onlyB = false;
        Settle();
        QCOMPARE(fApp->GetMenuBar()->GetLoadedID(), 128);
    }

    void openingFiles() {
        s_opened = 0;
        const std::string txt = WriteFile("note.txt", "hello");
        const std::string odd = WriteFile("data.xyz", "?");
        XGFileSpecifier missing(fDir.filePath("missing.txt").toStdString());
        XGFileSpecifier unknown(odd);
        QVERIFY(!InitWindow_Vorn(Vorn_WindowInit_OPEN_FILE, &missing));
        QVERIFY(!InitWindow_Vorn(Vorn_WindowInit_OPEN_FILE, &unknown));
        // Boards are not registered here: a board file opens nothing.
        XGFileSpecifier board(WriteFile("b.2dv", "x"));
        QVERIFY(!InitWindow_Vorn(Vorn_WindowInit_OPEN_FILE, &board));
        QCOMPARE(s_opened, 0);
        QVERIFY(XGWindow::GetWindows().empty());

        XGFileSpecifier text(txt);
        XGWindow* w = InitWindow_Vorn(Vorn_WindowInit_OPEN_FILE, &text);
        QVERIFY(w);
        QCOMPARE(s_opened, 1);
        // With an outForm the window is made but not shown.
        XGDocForm* form = nullptr;
        XGWindow* hidden = InitWindow_Vorn(Vorn_WindowInit_OPEN_FILE, &text, &form);
        QVERIFY(hidden);
        QVERIFY(form);
        QCOMPARE(form->GetWindow(), hidden);
        Settle();
        QVERIFY(w->IsVisible());
        QVERIFY(!hidden->IsVisible());
        CloseAll();

        // The command line: one whole path with a blank, else tokens; missing files open nothing.
        const std::string spaced = WriteFile("two words.txt", "x");
        s_opened = 0;
        QCOMPARE(fApp->OpenCommandLine(spaced, true), 1);
        QCOMPARE(s_opened, 1);
        QCOMPARE(fApp->OpenCommandLine("\"" + spaced + "\" " + txt + " /nonexistent/x.txt", true), 3);
        QCOMPARE(s_opened, 3);
        QCOMPARE(fApp->OpenCommandLine("", true), 0);
        CloseAll();
        // The shell's text, names without regard to case; garbled text is ignored.
        s_opened = 0;
        fApp->DoShellCommands("[OPEN(\"" + txt + "\")][open(\"" + fDir.filePath("nope.txt").toStdString() +
                              "\")]");
        QCOMPARE(s_opened, 1);
        fApp->DoShellCommands("[open(\"" + txt);
        fApp->DoShellCommands("\x01\x02garbage]]((");
        QCOMPARE(s_opened, 1);
        CloseAll();
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
};

QTEST_MAIN(TestAppShell)
#include "tst_appshell.moc"
