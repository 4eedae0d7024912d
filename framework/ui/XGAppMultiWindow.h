#pragma once
// The application with a main frame whose child-window area holds the document windows, and the
// records of the open windows that the Window menu lists.

#include "XGAppCore.h"

#include <string>
#include <vector>

class QMainWindow;

namespace yaaf {

class XGMainFrame;
class XGMenuBar;
class XGToolbar;

struct XGWindowListRecord {
    int16 digit = -1;     // shortcut digit 1 to 9, or -1
    int32 commandID = -1; // menu command id in 0x7000 to 0x7FFF, or -1
    XGWindow* window = nullptr;
    void* menuBar = nullptr; // used only by single-window applications
};

constexpr int32 kXGWindowListFirstID = 0x7000;
constexpr int32 kXGWindowListLastID = 0x7FFF;

class XGAppMultiWindow : public XGAppCore {
    YAAF_DECLARE_DISPATCH()
public:
    explicit XGAppMultiWindow(const std::string& appName);
    ~XGAppMultiWindow() override;

    const std::string& GetAppName() const { return fAppName; }

    // The window list: one record per open window, sorted by attribute bits and then by name
    // regardless of case; listed windows are numbered in that order.
    const std::vector<XGWindowListRecord>& GetWindowList() const { return fWindowList; }
    // Whether a window appears in the Window menu.
    static bool IsListed(const XGWindow* window);
    // Sorts and renumbers the records (the menu calls it when a window changed its attributes).
    void SortWindowList();
    // Set whenever the list changed; whoever rebuilds the menu clears it.
    bool fWindowListChanged = false;

    virtual int32 DoWindowCreate(int32 windowID, void* window);
    virtual int32 DoWindowDestroy(int32 windowID, void* window);
    virtual int32 DoWindowName(int32 windowID, void* window);
    // After each event (the 'post' broadcast).
    virtual int32 DoPostPeriodic();

    int32 DoMenuCommand(int32 command) override;
    int32 DoGetMenuStatus(int32 command, XGSMenuStatus* status) override;

    // For framework code: the main frame (none once it was closed).
    QMainWindow* GetMainFrame() const;
    // The main frame's menu bar and toolbar (none once the frame was closed).
    XGMenuBar* GetMenuBar() const { return fMyMenuBar; }
    XGToolbar* GetToolbar() const { return fToolbar; }
    // The menu bar layout for the front window: the application's override, else the window's
    // own, else the application's default (also with no window).
    int32 GetCurMenu() const;
    // Loads a menu bar layout into the main frame's bar.
    bool SetMenuBar(int32 id);
    // Brings the main frame to the front (a second start handed its work over).
    void BringFrameToFront();
    // A line in the main frame's status bar (made when first needed); empty text clears it.
    void ShowStatusMessage(const std::string& text);
    // What the status bar shows now (empty without one).
    std::string GetStatusMessage() const;

private:
    friend class XGMainFrame;

    int32 HandleCreate(int32 param, void* data) { return DoWindowCreate(param, data); }
    int32 HandleDestroy(int32 param, void* data) { return DoWindowDestroy(param, data); }
    int32 HandleName(int32 param, void* data) { return DoWindowName(param, data); }
    int32 HandlePost(int32, void*) { return DoPostPeriodic(); }

    void FrameGone();
    // The main frame asks to close: true when quitting was accepted and no window is left.
    bool FrameCloseRequested();

    std::string fAppName;
    XGMainFrame* fFrame = nullptr;
    std::vector<XGWindowListRecord> fWindowList;
    XGMenuBar* fMyMenuBar = nullptr;
    XGToolbar* fToolbar = nullptr;
    // The front window when the window list was last built (compared, never used).
    const void* fListedFront = nullptr;
};

} // namespace yaaf
