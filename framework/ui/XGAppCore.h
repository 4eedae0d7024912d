#pragma once
// The application object: the last link of every dispatch chain, and the run loop that takes one
// platform event at a time between the periodic work before and after it.

#include "XGDispatch.h"
#include "XGTypes.h"

#include <functional>
#include <memory>
#include <string>

namespace yaaf {

class XGWindow;
struct XGAppCorePlatform;

class XGAppCore : public XGDispatch {
    YAAF_DECLARE_DISPATCH()
public:
    // Needs the platform (XGPlatformInit or XGApplicationMain) set up first.
    XGAppCore();
    ~XGAppCore() override;

    // The menu bar layout for windows that do not choose their own.
    virtual int32 GetCurMBarResID() { return 128; }
    // A menu bar layout that stands in for every window's own choice (a reduced bar for a
    // restricted use), or 0 to let the front window choose.
    virtual int32 GetOverrideMBarResID() { return 0; }
    // Start-up work of the application, before the loop runs.
    virtual void Init() {}
    // Runs the loop until quitting has closed every window.
    virtual void Run();
    // The counterpart of Init; the run loop does not call it.
    virtual void Destroy() {}
    // Ends the loop after the current event.
    virtual void Exit() { fQuitFlag = true; }
    // Sees each input event before standard handling; true consumes it. data is the platform's
    // event.
    virtual bool FilterEvent(void* event) { return false; }

    // The splash window: About shows it until a key or a mouse button goes down; start-up shows
    // it before Init, writes status lines into it and removes it once its minimum time is over
    // (with a minimum time of 0 start-up shows no splash).
    virtual void ShowCopyright();
    virtual void OpenCopyright();
    virtual void CloseCopyright();
    virtual void StatusInCopyright(const char* line);
    // Turns the command line into 'odoc' or 'oapp' messages, after Init.
    virtual void OpenArguments() {}
    // Runs once, the first time a pass of the loop finds no platform event waiting once start-up
    // is over (start-up timing). While it is pending the loop does not sleep between passes.
    void SetFirstIdleHandler(std::function<void()> handler) { fFirstIdle = std::move(handler); }
    // The splash's top-right text and its minimum time.
    void SetCopyrightInfo(const std::string& title, int32 minimumMs) {
        fSplashTitle = title;
        fSplashMinimumMs = minimumMs;
    }

    // One event: the pre-event work, one pass of the platform's events, the post-event work.
    void RunOnce(XGWindow* modalWindow = nullptr);
    // The steps before and after an event, also used on their own (after start-up).
    void PreEvent();
    void PostEvent();
    // Gives the focus to the front window's view (or the application when there is no window)
    // unless it is already inside the front window.
    void AdjustFocus();

    // 'qapp': asks every window to close; answers -1 when one refuses.
    virtual int32 DoQuitApplication(int32 param, void* data);
    // Sends 'qapp' along the focus chain (to the application when nothing has the focus);
    // true when quitting was accepted, every window closed and the loop is ending.
    bool SendQuitQuery();
    // The desktop session is ending (log out, shut-down) and the desktop asks first: answers
    // whether it may end. When the desktop lets the application ask the user, this is the quit
    // query (every changed document asks) and a refusal answers false; when it does not, no
    // question can be put and nothing is closed: the answer is true.
    virtual bool QueryEndSession(bool mayInteract);
    virtual int32 DoMenuCommand(int32 command);
    virtual int32 DoGetMenuStatus(int32 command, XGSMenuStatus* status);

    bool IsQuitting() const { return fQuitFlag; }
    void SetQuitFlag(bool quit) { fQuitFlag = quit; }
    XGWindow* GetModalWindow() const { return fModalWindow; }
    XGWindow* GetEventOwner() const { return fEventOwner; }

protected:
    // The window whose event is being handled, or none.
    XGWindow* fEventOwner = nullptr;
    // The modal window while one runs; the application's own menu handlers then decline.
    XGWindow* fModalWindow = nullptr;
    bool fQuitFlag = false;
    std::string fSplashTitle;
    int32 fSplashMinimumMs = 3000;

private:
    friend struct XGAppCorePlatform;

    int32 HandleQuit(int32 param, void* data) { return DoQuitApplication(param, data); }
    int32 HandleMenu(int32 param, void*) { return DoMenuCommand(param); }
    int32 HandleStatus(int32 param, void* data) {
        return DoGetMenuStatus(param, static_cast<XGSMenuStatus*>(data));
    }
    // Closes the front window until none is left; false when one refused.
    bool CloseAllWindows();

    std::unique_ptr<XGAppCorePlatform> fPlatform;
    std::function<void()> fFirstIdle;
};

// The application, or none.
extern XGAppCore* gApplication;

// Application commands answered by the framework.
enum : int32 {
    kXGCmd_About = 13,
    kXGCmd_Exit = 16654,
    kXGCmd_Close = 17674,
    kXGCmd_Tile = 126,
    kXGCmd_Cascade = 127,
    kXGCmd_ArrangeIcons = 128,
};

} // namespace yaaf
