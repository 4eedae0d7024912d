#include "TVornApp.h"

#include "CCheckVersion.h"
#include "CDo.h"
#include "CDocumentKinds.h"
#include "CVornPrefs.h"
#include "FileProblems.h"
#include "GGlobals.h"
#include "MemTracking.h"
#include "VornLog.h"
#include "VornRecentFiles.h"
#include "XGAlert.h"
#include "XGAssert.h"
#include "XGClockPlatform.h"
#include "XGDocForm.h"
#include "XGDocument.h"
#include "XGFileDialog.h"
#include "XGFileSpecifier.h"
#include "XGInstance.h"
#include "XGMenuBar.h"
#include "XGPlatform.h"
#include "XGPreferences.h"
#include "XGShellCommand.h"
#include "XGSpeech.h"
#include "XGSpeechPlatform.h"
#include "XGWindow.h"

#include <cctype>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>

using namespace yaaf;

TVornApp* gVornApp = nullptr;

const char* const kVornHelpURL = "https://www.quorvale.com/vorn/help/";
const char* const kVornFeedbackMailURL = "mailto:vorn@quorvale.com?subject=Vorn Feedback";
const char* const kVornFeedbackFormURL = "https://www.quorvale.com/vorn/feedback/formmail.html";

YAAF_DISPATCH_BEGIN(TVornApp)
YAAF_DISPATCH_ENTRY('peri', TVornApp, DoPeriodic)
YAAF_DISPATCH_ENTRY('oapp', TVornApp, DoOpenApplication)
YAAF_DISPATCH_ENTRY('odoc', TVornApp, DoOpenDocument)
YAAF_DISPATCH_ENTRY('pdoc', TVornApp, DoPrintDocument)
YAAF_DISPATCH_ENTRY('wmov', TVornApp, DoWindowMoved)
YAAF_DISPATCH_ENTRY('menu', TVornApp, DoRecentMenu)
YAAF_DISPATCH_END(TVornApp, yaaf::XGAppMultiWindow)

namespace {

// Application commands.
enum : int32 {
    kCmd_Undo = 11,
    kCmd_Redo = 12,
    kCmd_Logging = 108,
    kCmd_MemLogging = 109,
    kCmd_AutoVersCheck = 110,
    kCmd_Accepted111 = 111,
    kCmd_Accepted113 = 113,
    kCmd_ClearUndo = 114,
    kCmd_CheckVersion = 115,
    kCmd_Preferences = 16909,
    kCmd_NewVorn = 17665,
    kCmd_NewText = 17666,
    kCmd_Open = 17667,
    kCmd_NewBrowser = 17669,
    kCmd_Unsettled17670 = 17670,
    kCmd_OpenRecent = 17680,
    kCmd_ClearRecent = 17681,
    kCmd_Help = 18689,
    kCmd_FeedbackMail = 18691,
    kCmd_FeedbackForm = 18692,
    kCmd_ScanGoMode = 17933,
};

// How much of a command line is taken: a whole path of the platform, not a line of the old one.
constexpr size_t kMaxCommandLine = 4095;

std::string LowerCase(std::string s) {
    for (char& c : s)
        c = char(std::tolower(static_cast<unsigned char>(c)));
    return s;
}

bool IsBoardType(OSType type) {
    return type == '2dv ' || type == 'fldr';
}

bool IsTextType(OSType type) {
    return type == 'text' || type == 'txt ' || type == 'TEXT';
}

void LogHex(const char* format, uint32 value) {
    char line[64];
    std::snprintf(line, sizeof line, format, static_cast<unsigned long>(value));
    Log(line);
}

} // namespace

std::string VornInstanceName() {
    const char* name = std::getenv("VORN_INSTANCE_NAME");
    return name && *name ? std::string(name) : std::string(kVornInstanceName);
}

int32 VornSplashMs() {
    const char* text = std::getenv("VORN_SPLASH_MS");
    if (text && *text) {
        char* end = nullptr;
        long ms = std::strtol(text, &end, 10);
        if (end && *end == 0 && ms >= 0 && ms <= 60000) return int32(ms);
    }
    return 3000;
}

TVornApp::TVornApp() : XGAppMultiWindow("Vorn") {
    i_init_stageS = AppInitStage_NONE;
    SetWindowInitProc(&TVornApp::InitWindow_Vorn);
    StartTracking();
    // Loading the preferences opens the log when logging is on or Shift is held.
    gVornPrefsP = new CVornPrefs();
    // Speech and scanning run on the platform's text-to-speech and timers. Why speech stays
    // silent is said once, in the log and the status bar, never in a box that stops the user.
    XGInstallPlatformSpeech();
    XGInstallPlatformClock();
    XGSpeech::SetProblemReporter([this](const std::string& why) {
        Log("Speech: " + why + "\n");
        ShowStatusMessage(why);
    });

    Log("-------------------- New Vorn Log -------------------------\n");
    char line[128];
    std::snprintf(line, sizeof line, "%s %s\n", "Vorn", XGAppVersionString());
    Log(line);
    std::snprintf(line, sizeof line, "System version: 0x%hx\n", static_cast<unsigned short>(GetSystemVers()));
    Log(line);
    Log("Registering Views\n");
    // The framework's views register themselves with the factory; the document views are
    // registered by their parts (boards, text) before the application is made.

    SetCopyrightInfo(std::string("Vorn ") + XGAppVersionString(), VornSplashMs());
    XGContextMenu::SetPlayerOnly(gVornPrefsP->i_prefs.b.player_onlyB);
    XGSetRecentListProvider([] {
        return gVornPrefsP ? VornRecentMenuNames(gVornPrefsP->Get_RecentFiles()) : std::vector<std::string>();
    });
    gVornApp = this;
}

TVornApp::~TVornApp() {
    SetWindowInitProc(nullptr);
    XGSetRecentListProvider(nullptr);
    i_serverP.reset();
    // Documents go before the globals they use.
    while (!XGWindow::GetWindows().empty())
        delete XGWindow::GetWindows().front();
    Destroy();
    // The speech thread ends before the platform goes.
    XGSpeech::SetProblemReporter({});
    XGSpeech::SetEngineFactory({});
    delete gVornPrefsP; // writes the preferences back
    gVornPrefsP = nullptr;
    if (gVornApp == this) gVornApp = nullptr;
}

int32 TVornApp::GetCurMBarResID() {
    if (!gVornPrefsP) return 128;
    return gVornPrefsP->i_prefs.b.player_onlyB ? 130 : 128;
}

int32 TVornApp::GetOverrideMBarResID() {
    return gVornPrefsP && gVornPrefsP->i_prefs.b.player_onlyB ? 130 : 0;
}

void TVornApp::Init() {
    StatusInCopyright("Initializing COM");
    StatusInCopyright("Initializing Globals");
    if (!g) g = new GGlobals();
    StatusInCopyright("Initializing QuickTime");
    // Pictures are decoded by the platform's image readers, which need no start-up.
    i_init_stageS = AppInitStage_QTML;
    StatusInCopyright("Allocating QuickTime Globals");
    if (i_init_stageS == AppInitStage_QTML) i_init_stageS = AppInitStage_MOVIES;
    StatusInCopyright("Loading Plugins: No Plugins");
    StatusInCopyright("Catching Breath");
}

void TVornApp::Destroy() {
    if (i_init_stageS == AppInitStage_MOVIES) i_init_stageS = AppInitStage_QTML;
    if (i_init_stageS == AppInitStage_QTML) i_init_stageS = AppInitStage_NONE;
    if (g) {
        GGlobals* globals = g;
        g = nullptr;
        delete globals;
    }
}

bool TVornApp::StartInstanceServer(const std::string& name) {
    auto server = std::make_unique<XGInstanceServer>();
    if (!server->Listen(name)) return false;
    server->SetHandler([this](const std::string& message) { HandleInstanceMessage(message); });
    i_serverP = std::move(server);
    return true;
}

int32 TVornApp::Send(int32 msg, void* data) {
    int32 result = XGDispatch::SendDispatch(msg, 0, data);
    if (result == kDispatchNotHandled && !gFocus && gVornApp)
        result = gVornApp->DoDispatch(msg, 0, data, true);
    return result;
}

// ---- command line, hand-over and shell

void TVornApp::OpenArguments() {
    std::string text = i_command_lineZ.substr(0, kMaxCommandLine);
    Log("command line args: ");
    Log(text.empty() ? std::string("None") : text);
    Log("\n");
    if (!i_browse_pathZ.empty()) {
        // vorn --browse PATH: a browser window at the folder, and no other document.
        BrowseFolder(i_browse_pathZ);
        return;
    }
    OpenCommandLine(text, true);
}

void TVornApp::BrowseFolder(const std::string& path) {
    const CDocumentKinds& kinds = GetDocumentKinds();
    if (!kinds.browseFolder) return;
    ScFileProblemBatch batch;
    kinds.browseFolder(XGFileSpecifier(path));
}

int TVornApp::OpenCommandLine(const std::string& text, bool openAppIfNone) {
    // Files that cannot be opened are told in one message, however many there are.
    ScFileProblemBatch batch;
    if (!text.empty()) {
        XGFileSpecifier whole(text);
        if (whole.Exists()) {
            Log("Opening that one file.\n");
            Send('odoc', &whole);
            return 1;
        }
    }
    std::vector<std::string> tokens = XGSplitCommandLine(text, 32);
    if (tokens.empty()) {
        if (openAppIfNone) Send('oapp', nullptr);
        return 0;
    }
    int n = 0;
    for (const std::string& token : tokens) {
        Log("File #");
        Log(std::to_string(n));
        Log(": ");
        Log(token);
        Log("\n");
        XGFileSpecifier spec(token);
        Send('odoc', &spec);
        ++n;
    }
    return n;
}

void TVornApp::HandleInstanceMessage(const std::string& message) {
    if (message == kXGInstanceLaunchMessage) {
        BringFrameToFront();
        std::string launch;
        {
            XGPreferences store(kVornLaunchVendor, kVornLaunchProduct, kVornLaunchVersion);
            launch = store.GetString(kVornLaunchKey);
        }
        // A second start without arguments only brings this one to the front.
        OpenCommandLine(launch.substr(0, kMaxCommandLine), false);
        return;
    }
    DoShellCommands(message);
}

void TVornApp::DoShellCommands(const std::string& text) {
    ScFileProblemBatch batch;
    for (const XGShellCommand& cmd : XGParseShellCommands(text)) {
        const std::string name = LowerCase(cmd.name);
        if (name == "open" && !cmd.args.empty()) {
            XGFileSpecifier spec(cmd.args[0]);
            Send('odoc', &spec);
        } else if (name == "print" && !cmd.args.empty()) {
            XGFileSpecifier spec(cmd.args[0]);
            Send('pdoc', &spec);
        } else if (name == "browse" && !cmd.args.empty()) {
            BrowseFolder(cmd.args[0]);
        } else if (name == "exit") {
            Send('qapp', nullptr);
        }
    }
}

// ---- messages

int32 TVornApp::DoPeriodic(int32, void*) {
    if (g) g->Idle();
    return kDispatchHandled;
}

int32 TVornApp::DoOpenApplication(int32, void*) {
    // A start without arguments shows the empty main frame.
    return kDispatchHandled;
}

int32 TVornApp::DoOpenDocument(int32, void* data) {
    auto* spec = static_cast<const XGFileSpecifier*>(data);
    if (spec) InitWindow_Vorn(Vorn_WindowInit_OPEN_FILE, spec);
    return kDispatchHandled;
}

int32 TVornApp::DoPrintDocument(int32, void* data) {
    auto* spec = static_cast<const XGFileSpecifier*>(data);
    if (spec) DoPrintDocument(*spec);
    return kDispatchHandled;
}

int32 TVornApp::DoRecentMenu(int32 command, void* data) {
    if (command != kCmd_OpenRecent || fModalWindow) return kDispatchNotHandled;
    if (data) OpenRecent(*static_cast<const int32*>(data));
    return kDispatchHandled;
}

void TVornApp::OpenRecent(int32 position) {
    if (!gVornPrefsP) return;
    const std::vector<std::string>& list = gVornPrefsP->Get_RecentFiles();
    if (position < 1 || size_t(position) > list.size()) return;
    const std::string path = list[size_t(position - 1)];
    XGFileSpecifier spec(path);
    if (!spec.Exists()) {
        // Gone since: told, and no longer offered.
        gVornPrefsP->Forget_RecentFile(path);
        ReportFileProblem(path, FileProblem_MISSING, FileAction_OPEN);
        return;
    }
    DoOpenWindow(spec);
}

int32 TVornApp::DoWindowMoved(int32, void* data) {
    auto* windowP = static_cast<XGWindow*>(data);
    auto* formP = windowP ? dynamic_cast<XGDocForm*>(windowP->GetForm()) : nullptr;
    const CTargetService& target = GetDocumentKinds().target;
    if (formP && target.moved) target.moved(formP);
    // Others along the chain may want it too.
    return kDispatchNotHandled;
}

bool TVornApp::DoPrintDocument(const XGFileSpecifier& fileSpec) {
    const CDocumentKinds& kinds = GetDocumentKinds();
    if (fileSpec.IsEmpty()) return false;
    const std::string path = fileSpec.GetFullPath();
    if (!fileSpec.Exists()) {
        ReportFileProblem(path, FileProblem_MISSING, FileAction_PRINT);
        return false;
    }
    const OSType type = fileSpec.GetFileType();
    const bool board = IsBoardType(type);
    const CDocumentKind* kind = board ? &kinds.board : IsTextType(type) ? &kinds.text : nullptr;
    if (!kind) {
        ReportFileProblem(path, FileProblem_UNKNOWN_TYPE, FileAction_PRINT);
        return false;
    }
    if (!kind->printFile) {
        ReportFileProblem(path, board ? FileProblem_NO_BOARD_PRINT : FileProblem_NO_PRINT, FileAction_PRINT);
        return false;
    }
    return kind->printFile(fileSpec);
}

int32 TVornApp::DoMenuCommand(int32 command) {
    if (fModalWindow) return XGAppMultiWindow::DoMenuCommand(command);
    switch (command) {
    case kCmd_Undo:
    case kCmd_Redo:
        if (!gDo) return kDispatchNotHandled;
        gDo->Do(command == kCmd_Undo ? CDo_Type_UNDO : CDo_Type_REDO);
        return kDispatchHandled;
    case kCmd_Logging:
        if (!gVornPrefsP) return kDispatchNotHandled;
        gVornPrefsP->Set_Logging(!gVornPrefsP->Get_Logging());
        gVornPrefsP->Flush();
        return kDispatchHandled;
    case kCmd_MemLogging:
        if (!gVornPrefsP) return kDispatchNotHandled;
        gVornPrefsP->Set_LogMem(!gVornPrefsP->Get_MemLogging());
        gVornPrefsP->Flush();
        return kDispatchHandled;
    case kCmd_AutoVersCheck:
        if (!gVornPrefsP) return kDispatchNotHandled;
        gVornPrefsP->i_prefs.b.auto_vers_checkB = !gVornPrefsP->i_prefs.b.auto_vers_checkB;
        gVornPrefsP->Flush();
        return kDispatchHandled;
    case kCmd_Accepted111:
    case kCmd_Accepted113:
        return kDispatchHandled;
    case kCmd_ClearUndo:
        if (gDo) gDo->DisposeActiveStacks();
        return kDispatchHandled;
    case kCmd_CheckVersion:
        if (gCheckVersion) gCheckVersion->DoCommandCheck();
        return kDispatchHandled;
    case kCmd_Preferences:
        if (gVornPrefsP) {
            gVornPrefsP->DoDialog();
            XGContextMenu::SetPlayerOnly(gVornPrefsP->i_prefs.b.player_onlyB);
        }
        return kDispatchHandled;
    case kCmd_NewVorn:
        DoNewVornWindow();
        return kDispatchHandled;
    case kCmd_NewText:
        DoNewTextWindow();
        return kDispatchHandled;
    case kCmd_Open:
        DoOpenWindow();
        return kDispatchHandled;
    case kCmd_NewBrowser:
        InitWindow_Vorn(Vorn_WindowInit_NEW_BROWSER);
        return kDispatchHandled;
    case kCmd_ScanGoMode:
        if (!gVornPrefsP) return kDispatchNotHandled;
        gVornPrefsP->Set_ScanInGoMode(!gVornPrefsP->i_access.scanB);
        return kDispatchHandled;
    case kCmd_ClearRecent:
        if (gVornPrefsP) gVornPrefsP->Clear_RecentFiles();
        return kDispatchHandled;
    case kCmd_Help:
        LaunchURL(kVornHelpURL);
        return kDispatchHandled;
    case kCmd_FeedbackMail:
        LaunchURL(kVornFeedbackMailURL);
        return kDispatchHandled;
    case kCmd_FeedbackForm:
        LaunchURL(kVornFeedbackFormURL);
        return kDispatchHandled;
    default:
        return XGAppMultiWindow::DoMenuCommand(command);
    }
}

int32 TVornApp::DoGetMenuStatus(int32 command, XGSMenuStatus* status) {
    if (fModalWindow || !status) return XGAppMultiWindow::DoGetMenuStatus(command, status);
    switch (command) {
    case kCmd_Undo:
    case kCmd_Redo: {
        if (!gDo) return kDispatchNotHandled;
        char text[kCDo_MenuTextSize] = {};
        gDo->GetString(command == kCmd_Undo ? CDo_Type_UNDO : CDo_Type_REDO, text);
        if (XGMenuBar* bar = XGMenuBar::Current()) {
            std::string title = text;
            title += command == kCmd_Undo ? "\tCtrl+Z" : "\tCtrl+Shift+Z";
            bar->SetItemText(command, title);
        }
        status->enable = text[0] != 'C';
        return kDispatchHandled;
    }
    case kCmd_Logging:
        status->enable = true;
        status->check = gVornPrefsP && gVornPrefsP->Get_Logging();
        return kDispatchHandled;
    case kCmd_MemLogging:
        status->enable = true;
        status->check = gVornPrefsP && gVornPrefsP->Get_MemLogging();
        return kDispatchHandled;
    case kCmd_AutoVersCheck:
        status->enable = true;
        status->check = gVornPrefsP && gVornPrefsP->i_prefs.b.auto_vers_checkB;
        return kDispatchHandled;
    case kCmd_ScanGoMode:
        status->enable = gVornPrefsP != nullptr;
        status->check = gVornPrefsP && gVornPrefsP->i_access.scanB;
        return kDispatchHandled;
    case kCmd_CheckVersion:
        // A second question while one is under way would only wait for the same answer.
        status->enable = gCheckVersion && !gCheckVersion->IsChecking();
        return kDispatchHandled;
    case kCmd_NewVorn:
        // Greyed out, rather than silently doing nothing, while no board window can be made.
        status->enable = GetDocumentKinds().board.IsAvailable();
        return kDispatchHandled;
    case kCmd_OpenRecent:
    case kCmd_ClearRecent:
        status->enable = gVornPrefsP && !gVornPrefsP->Get_RecentFiles().empty();
        return kDispatchHandled;
    case kCmd_Accepted113:
    case kCmd_ClearUndo:
    case kCmd_Preferences:
    case kCmd_NewText:
    case kCmd_Open:
    case kCmd_NewBrowser:
    case kCmd_Unsettled17670:
    case kCmd_Help:
    case kCmd_FeedbackMail:
    case kCmd_FeedbackForm:
        status->enable = true;
        return kDispatchHandled;
    default:
        return XGAppMultiWindow::DoGetMenuStatus(command, status);
    }
}

// ---- document windows

namespace {

// Holds a candidate document until a form takes it.
struct DocHolder {
    XGDocument* docP = nullptr;
    ~DocHolder() { delete docP; }
    XGDocument* release() {
        XGDocument* d = docP;
        docP = nullptr;
        return d;
    }
    void reset() {
        delete docP;
        docP = nullptr;
    }
};

XGWindow* MakeDocumentWindow(const CDocumentKind& kind, DocHolder& doc, XGDocForm** outForm) {
    XGDocForm* form = kind.makeForm(doc.release());
    if (!form) return nullptr;
    if (outForm) *outForm = form;
    XGWindow* window = kind.makeWindow(form);
    if (!window && outForm) *outForm = nullptr;
    return window;
}

} // namespace

XGWindow* TVornApp::InitWindow_Vorn(Vorn_WindowInit kind, const XGFileSpecifier* fileSpec,
                                    XGDocForm** outForm) {
    const CDocumentKinds& kinds = GetDocumentKinds();
    if (outForm) *outForm = nullptr;

    Log("creating model\n");
    DocHolder vornModelP, textModelP;
    int made = 0;
    if (kinds.board.IsAvailable() && (vornModelP.docP = kinds.board.makeDocument())) ++made;
    if (kinds.text.IsAvailable() && (textModelP.docP = kinds.text.makeDocument())) ++made;
    // One window consumes one untitled number.
    for (int i = 1; i < made; ++i)
        XGDocument::RewindUntitledCounter();

    XGFileSpecifier chosen;
    switch (kind) {
    case Vorn_WindowInit_NEW_VORN:
        Log("creating new vorn document\n");
        textModelP.reset();
        if (!vornModelP.docP || (kinds.board.initNew && !kinds.board.initNew(vornModelP.docP)))
            return nullptr;
        break;
    case Vorn_WindowInit_NEW_NEW_VORN:
    case Vorn_WindowInit_NEW_BROWSER: {
        vornModelP.reset();
        textModelP.reset();
        if (!kinds.outline.IsAvailable()) return nullptr;
        if (made > 0) XGDocument::RewindUntitledCounter();
        DocHolder outline;
        outline.docP = kinds.outline.makeDocument();
        if (!outline.docP || (kinds.outline.initNew && !kinds.outline.initNew(outline.docP))) return nullptr;
        XGDocForm* form = nullptr;
        Log("creating vorn window\n");
        XGWindow* window = MakeDocumentWindow(kinds.outline, outline, &form);
        if (!window) return nullptr;
        if (kind == Vorn_WindowInit_NEW_BROWSER && kinds.addBrowserParts) kinds.addBrowserParts(form);
        if (outForm) *outForm = form;
        Log("success!\n");
        if (!outForm) window->Select();
        return window;
    }
    case Vorn_WindowInit_NEW_TEXT:
        Log("creating new text document\n");
        vornModelP.reset();
        if (!textModelP.docP || (kinds.text.initNew && !kinds.text.initNew(textModelP.docP))) return nullptr;
        break;
    case Vorn_WindowInit_OPEN_NEW: {
        YAAF_ASSERT_DLG(fileSpec == NULL);
        std::vector<std::string> filters;
        if (!kinds.board.fileFilter.empty()) filters.push_back(kinds.board.fileFilter);
        if (!kinds.text.fileFilter.empty()) filters.push_back(kinds.text.fileFilter);
        Log("showing the 'open file' dialog\n");
        if (!XGChooseOpenFile("Open Vorn File", filters, chosen)) return nullptr;
        fileSpec = &chosen;
        [[fallthrough]];
    }
    case Vorn_WindowInit_OPEN_FILE: {
        if (!fileSpec || fileSpec->IsEmpty()) return nullptr;
        if (kinds.findOpenBoard) {
            if (XGWindow* open = kinds.findOpenBoard(*fileSpec)) {
                VornNoteRecentFile(fileSpec->GetFullPath());
                if (!outForm) open->Select();
                return open;
            }
        }
        Log("opening file document\n");
        const OSType type = fileSpec->GetFileType();
        LogHex("File Type from file: 0x%lX\n", type);
        LogHex("File Type from prog: 0x%lX\n", uint32('.2dv'));
        // What cannot be opened is told, naming the file; a document that fails to read its
        // file tells why itself.
        if (!fileSpec->Exists()) {
            ReportFileProblem(fileSpec->GetFullPath(), FileProblem_MISSING, FileAction_OPEN);
            return nullptr;
        }
        if (IsBoardType(type) && !vornModelP.docP) {
            ReportFileProblem(fileSpec->GetFullPath(), FileProblem_NO_BOARDS, FileAction_OPEN);
            return nullptr;
        }
        if (IsBoardType(type)) {
            textModelP.reset();
            if (!kinds.board.openFile || !kinds.board.openFile(vornModelP.docP, *fileSpec)) return nullptr;
        } else if (IsTextType(type) && textModelP.docP) {
            vornModelP.reset();
            if (!kinds.text.openFile || !kinds.text.openFile(textModelP.docP, *fileSpec)) return nullptr;
        } else {
            ReportFileProblem(fileSpec->GetFullPath(), FileProblem_UNKNOWN_TYPE, FileAction_OPEN);
            return nullptr;
        }
        break;
    }
    default:
        return nullptr;
    }

    XGWindow* window = nullptr;
    if (vornModelP.docP) {
        YAAF_ASSERT_DLG(textModelP.docP == NULL);
        Log("creating vorn controller\n");
        Log("creating vorn window\n");
        window = MakeDocumentWindow(kinds.board, vornModelP, outForm);
    } else if (textModelP.docP) {
        YAAF_ASSERT_DLG(vornModelP.docP == NULL);
        Log("creating text controller\n");
        Log("creating text window\n");
        window = MakeDocumentWindow(kinds.text, textModelP, outForm);
    }
    if (!window) return nullptr;
    Log("success!\n");
    if (fileSpec) VornNoteRecentFile(fileSpec->GetFullPath());
    if (!outForm) window->Select();
    return window;
}
