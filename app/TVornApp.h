#pragma once
// The Vorn application object: start-up and shut-down, the application's commands, the opening
// of files from the command line, from a second start and from the shell channel, and the
// making of every document window.

#include "VornWindowInit.h"
#include "XGAppMultiWindow.h"

#include <memory>
#include <string>
#include <vector>

namespace yaaf {
class XGInstanceServer;
}

enum AppInitStageType {
    AppInitStage_NONE = 0,
    AppInitStage_QTML = 1,   // the picture library is initialised
    AppInitStage_MOVIES = 2, // its movie toolbox is entered as well
};

// The help and feedback pages on the maker's server.
extern const char* const kVornHelpURL;
extern const char* const kVornFeedbackMailURL;
extern const char* const kVornFeedbackFormURL;

// The store a second start hands its command line over in.
constexpr const char* kVornLaunchVendor = "Quorvale";
constexpr const char* kVornLaunchProduct = "Vorn Launch";
constexpr const char* kVornLaunchVersion = "1.0";
constexpr const char* kVornLaunchKey = "Launch";

// The name the running instance listens on; VORN_INSTANCE_NAME replaces it when set.
constexpr const char* kVornInstanceName = "_XGMain_VORN";
std::string VornInstanceName();
// The splash's minimum time: 3000 ms, or VORN_SPLASH_MS when that is set to a number >= 0.
yaaf::int32 VornSplashMs();

class TVornApp : public yaaf::XGAppMultiWindow {
    YAAF_DECLARE_DISPATCH()
public:
    TVornApp();
    ~TVornApp() override;

    yaaf::int32 GetCurMBarResID() override;
    // Player-only use shows its reduced bar (130) over every window.
    yaaf::int32 GetOverrideMBarResID() override;
    void Init() override;
    void Destroy() override;
    void OpenArguments() override;

    // The command-line text of this start (the arguments joined, see XGJoinCommandLine).
    void SetCommandLine(const std::string& text) { i_command_lineZ = text; }
    // vorn --browse PATH: the start opens a browser window at the folder instead of documents.
    void SetBrowsePath(const std::string& path) { i_browse_pathZ = path; }
    // A browser window at the folder (told when it cannot be browsed).
    void BrowseFolder(const std::string& path);
    // Listens for later starts and shell commands; false when another instance holds the name.
    bool StartInstanceServer(const std::string& name);

    // A message from the instance channel: the hand-over of a second start, or shell text.
    void HandleInstanceMessage(const std::string& message);
    // Runs the commands of a shell text: open, print, browse, exit (names ignore case).
    void DoShellCommands(const std::string& text);
    // Turns a command line into 'odoc' messages (one whole existing path, else its tokens);
    // answers the number of files sent. With `openAppIfNone`, no token sends 'oapp'.
    int OpenCommandLine(const std::string& text, bool openAppIfNone);

    static yaaf::XGWindow* InitWindow_Vorn(Vorn_WindowInit kind,
                                           const yaaf::XGFileSpecifier* fileSpec = nullptr,
                                           yaaf::XGDocForm** outForm = nullptr);
    static yaaf::XGWindow* DoNewTextWindow() { return InitWindow_Vorn(Vorn_WindowInit_NEW_TEXT); }
    static yaaf::XGWindow* DoNewVornWindow() { return InitWindow_Vorn(Vorn_WindowInit_NEW_VORN); }
    static yaaf::XGWindow* DoOpenWindow() { return InitWindow_Vorn(Vorn_WindowInit_OPEN_NEW); }
    static yaaf::XGWindow* DoOpenWindow(const yaaf::XGFileSpecifier& fileSpec) {
        return InitWindow_Vorn(Vorn_WindowInit_OPEN_FILE, &fileSpec);
    }
    static bool DoPrintDocument(const yaaf::XGFileSpecifier& fileSpec);

    yaaf::int32 DoMenuCommand(yaaf::int32 command) override;
    yaaf::int32 DoGetMenuStatus(yaaf::int32 command, yaaf::XGSMenuStatus* status) override;

    AppInitStageType GetInitStage() const { return i_init_stageS; }

private:
    yaaf::int32 DoPeriodic(yaaf::int32 param, void* data);
    yaaf::int32 DoOpenApplication(yaaf::int32 param, void* data);
    yaaf::int32 DoOpenDocument(yaaf::int32 param, void* data);
    yaaf::int32 DoPrintDocument(yaaf::int32 param, void* data);
    // File > Open Recent's entries, which carry their position as the data of 'menu'.
    yaaf::int32 DoRecentMenu(yaaf::int32 command, void* data);
    void OpenRecent(yaaf::int32 position);
    // A document window moved or changed its size ('wmov').
    yaaf::int32 DoWindowMoved(yaaf::int32 param, void* data);

    // Sends a message along the focus chain, to the application when nothing has the focus.
    static yaaf::int32 Send(yaaf::int32 msg, void* data);

    AppInitStageType i_init_stageS = AppInitStage_NONE;
    std::string i_command_lineZ;
    std::string i_browse_pathZ;
    std::unique_ptr<yaaf::XGInstanceServer> i_serverP;
};

// The application, or none.
extern TVornApp* gVornApp;
