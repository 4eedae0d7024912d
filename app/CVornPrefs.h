#pragma once
// The application's settings between runs: its own switches and the defaults for new boards.
// Loaded when made; every change through the setters (and the dialog's OK) writes them all
// back at once, and so does the destructor.

#include "VornAccessPrefs.h"
#include "VornPrefsTypes.h"
#include "XGTypes.h"

#include <functional>
#include <string>
#include <vector>

struct VornPrefsBoolsRec {
    bool logB = false;
    bool logMemB = false;
    bool show_deskB = false;
    bool auto_vers_checkB = false;
    bool player_onlyB = false;
    bool auto_save_textB = false; // for the run only, never stored
};

struct Vorn_ModelPrefs {
    Vorn_PrefBoolsRec b;
    O_ViewAsType view_as = O_ViewAs_NONE;
    O_SortType sort_by = O_Sort_NONE;
    yaaf::int16 num_columnsS = 0;
    yaaf::XGSFontResource font;
};

struct VornPrefsRec {
    yaaf::tagRECT new_windR;
    VornPrefsBoolsRec b;
    Vorn_ModelPrefs model;
    yaaf::int16 num_undoS = 0;
    yaaf::Point browserSizePt;            // v height, h width
    std::vector<std::string> recentFiles; // most recent first, at most ten
};

// The store of the application's settings.
constexpr const char* kVornPrefsVendor = "Quorvale";
constexpr const char* kVornPrefsProduct = "Vorn Application";
constexpr const char* kVornPrefsVersion = "1.0";

class CVornPrefs {
public:
    CVornPrefs();
    ~CVornPrefs();
    CVornPrefs(const CVornPrefs&) = delete;
    CVornPrefs& operator=(const CVornPrefs&) = delete;

    void Flush();

    void Get_VornModelPrefs(Vorn_PrefsRec& rec) const;
    void Set_VornModelPrefs(const Vorn_PrefsRec& rec);

    yaaf::Point Get_BrowserSize() const { return i_prefs.browserSizePt; }
    void Set_BrowserSize(yaaf::Point size);

    void Get_VornWindR(yaaf::tagRECT& rect) const { rect = i_prefs.new_windR; }
    void Set_VornWindR(yaaf::int32 left, yaaf::int32 top, yaaf::int32 right, yaaf::int32 bottom);

    bool Get_Logging() const { return i_prefs.b.logB; }
    // Opens the log when turned on and closes it when turned off.
    void Set_Logging(bool on);

    bool Get_MemLogging() const { return i_prefs.b.logMemB; }
    void Set_LogMem(bool on);

    // File > Open Recent's list (see VornRecentFiles.h); each change is written at once.
    const std::vector<std::string>& Get_RecentFiles() const { return i_prefs.recentFiles; }
    void Note_RecentFile(const std::string& path);
    void Forget_RecentFile(const std::string& path);
    void Clear_RecentFiles();

    // The preferences dialog; answers 1 for OK (the settings are then written) and 0 for Cancel.
    int DoDialog();

    VornPrefsRec i_prefs;
    // Speech and switch scanning (VornAccessPrefs.h); the dialog and Set_ScanInGoMode change them.
    VornAccessPrefsRec i_access;

    // "Scan Items in Go Mode" of the View menu.
    void Set_ScanInGoMode(bool on);

    // Whether Shift is held at start; tests replace it.
    static std::function<bool()> s_ShiftDownProc;

private:
    void Load();
};

extern CVornPrefs* gVornPrefsP;
