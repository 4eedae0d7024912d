#include "CVornPrefs.h"

#include "VornLog.h"
#include "VornRecentFiles.h"
#include "XGPlatform.h"
#include "XGPreferences.h"

#include <cstring>
#include <exception>
#include <string>

using namespace yaaf;

CVornPrefs* gVornPrefsP = nullptr;

std::function<bool()> CVornPrefs::s_ShiftDownProc = [] { return check_key_down(kKey_SHIFT); };

namespace {

// The board flags, by key, in the order they are read and written.
struct FlagKey {
    const char* key;
    Vorn_PrefBit bit;
    bool defaultB;
};

constexpr FlagKey kFlagKeysA[] = {
    {"ignore locks", Vorn_PrefBit_IGNORE_LOCKS, false},
    {"ignore hidden", Vorn_PrefBit_IGNORE_HIDDEN, false},
    {"auto save", Vorn_PrefBit_AUTO_SAVE, false},
    {"draw regions", Vorn_PrefBit_DRAW_REGIONS, false},
    {"sep lines", Vorn_PrefBit_SEP_LINES, true},
    {"generate conent", Vorn_PrefBit_GEN_CONTENT, false},
    {"dont generate title", Vorn_PrefBit_DONT_GEN_TITLE, false},
    {"speak", Vorn_PrefBit_SPEAK, false},
    {"numerology", Vorn_PrefBit_NUMER, false},
};

constexpr FlagKey kFlagKeysB[] = {
    {"show toolbar", Vorn_PrefBit_SHOW_TOOLBAR, true},
    {"show status bar", Vorn_PrefBit_SHOW_STATUS, true},
    {"sort ascending", Vorn_PrefBit_SORT_ASCENDING, true},
    {"generate background", Vorn_PrefBit_GEN_BACKGROUND, false},
    {"generate Vorn (vs. text)", Vorn_PrefBit_GEN_VORN, false},
    {"launch pictures", Vorn_PrefBit_GEN_LAUNCH_PIX, true},
};

std::string RecentKey(size_t index) {
    return "recent " + std::to_string(index + 1);
}

} // namespace

CVornPrefs::CVornPrefs() {
    Load();
}

CVornPrefs::~CVornPrefs() {
    // A destructor must not throw; a store that cannot even be named has nothing to keep.
    try {
        Flush();
    } catch (const std::exception&) {
    }
}

void CVornPrefs::Load() {
    i_prefs = VornPrefsRec{};
    {
        XGPreferences store(kVornPrefsVendor, kVornPrefsProduct, kVornPrefsVersion);
        VornPrefsRec& p = i_prefs;
        p.browserSizePt.h = store.GetShort("browser width", 700);
        p.browserSizePt.v = store.GetShort("browser height", 500);
        p.new_windR.left = store.GetShort("new windR.left", 0);
        p.new_windR.right = store.GetShort("new windR.right", 0);
        p.new_windR.top = store.GetShort("new windR.top", 0);
        p.new_windR.bottom = store.GetShort("new windR.bottom", 0);
        p.b.logB = store.GetBoolean("logging", false);
        p.b.logMemB = store.GetBoolean("log memory", false);
        p.b.show_deskB = store.GetBoolean("show servers", false);
        p.b.auto_vers_checkB = store.GetBoolean("auto version check", true);
        p.b.player_onlyB = store.GetBoolean("player only", false);
        for (const FlagKey& f : kFlagKeysA)
            p.model.b.Set(f.bit, store.GetBoolean(f.key, f.defaultB));
        p.model.num_columnsS = store.GetShort("num columns", 4);
        p.num_undoS = store.GetShort("num undos", 20);
        for (const FlagKey& f : kFlagKeysB)
            p.model.b.Set(f.bit, store.GetBoolean(f.key, f.defaultB));
        const bool autoLayoutB = store.GetBoolean("auto layout", false);
        p.model.view_as = O_ViewAsType(
            uint8(store.GetShort("view as", autoLayoutB ? O_ViewAs_FLAT_COL : O_ViewAs_FREEFORM)));
        p.model.sort_by = O_SortType(uint8(store.GetShort("sort by", O_Sort_NAME)));
        char nameAC[XGPreferences::kStringBufferSize];
        store.GetString("Font Name", nameAC, "Arial");
        std::strncpy(p.model.font.name, nameAC, sizeof p.model.font.name - 1);
        p.model.font.name[sizeof p.model.font.name - 1] = '\0';
        p.model.font.size = store.GetShort("Font Size", 12);
        p.model.font.SetStyleWord(uint16(store.GetShort("Font Style", 0)));
        // Added oldest first, so that a hand-edited list still comes out folded and short.
        for (size_t i = kVornRecentMax; i-- > 0;) {
            const std::string path = store.GetString(RecentKey(i).c_str());
            if (!path.empty()) VornAddRecent(p.recentFiles, path);
        }
        Vorn_LoadAccessPrefs(store, i_access);
    }
    Vorn_ApplyAccessPrefs(i_access);
    // Holding Shift at start turns logging on for this and later runs.
    if (i_prefs.b.logB || (s_ShiftDownProc && s_ShiftDownProc())) Set_Logging(true);
}

void CVornPrefs::Flush() {
    XGPreferences store(kVornPrefsVendor, kVornPrefsProduct, kVornPrefsVersion);
    const VornPrefsRec& p = i_prefs;
    store.SetShort("browser width", p.browserSizePt.h);
    store.SetShort("browser height", p.browserSizePt.v);
    store.SetShort("new windR.left", p.new_windR.left);
    store.SetShort("new windR.right", p.new_windR.right);
    store.SetShort("new windR.top", p.new_windR.top);
    store.SetShort("new windR.bottom", p.new_windR.bottom);
    store.SetBoolean("logging", p.b.logB);
    store.SetBoolean("log memory", p.b.logMemB);
    store.SetBoolean("show servers", p.b.show_deskB);
    store.SetBoolean("auto version check", p.b.auto_vers_checkB);
    store.SetBoolean("player only", p.b.player_onlyB);
    for (const FlagKey& f : kFlagKeysA)
        store.SetBoolean(f.key, p.model.b.Get(f.bit));
    store.SetShort("num columns", p.model.num_columnsS);
    store.SetShort("num undos", p.num_undoS);
    for (const FlagKey& f : kFlagKeysB)
        store.SetBoolean(f.key, p.model.b.Get(f.bit));
    store.SetShort("view as", p.model.view_as);
    store.SetShort("sort by", p.model.sort_by);
    store.SetString("Font Name", p.model.font.name);
    store.SetShort("Font Size", p.model.font.size);
    store.SetShort("Font Style", p.model.font.GetStyleWord());
    for (size_t i = 0; i < kVornRecentMax; ++i) {
        if (i < p.recentFiles.size())
            store.SetString(RecentKey(i).c_str(), p.recentFiles[i].c_str());
        else
            store.RemoveValue(RecentKey(i).c_str());
    }
    Vorn_FlushAccessPrefs(store, i_access);
}

void CVornPrefs::Set_ScanInGoMode(bool on) {
    i_access.scanB = on;
    Flush();
}

void CVornPrefs::Get_VornModelPrefs(Vorn_PrefsRec& rec) const {
    rec.b = i_prefs.model.b;
    rec.view_as = i_prefs.model.view_as;
    rec.sort_by = i_prefs.model.sort_by;
    rec.num_columnsS = i_prefs.model.num_columnsS ? i_prefs.model.num_columnsS : int16(4);
    rec.font = i_prefs.model.font;
    rec.mode = Vorn_Mode_EDIT;
    rec.wind_edit.posR = i_prefs.new_windR;
}

void CVornPrefs::Set_VornModelPrefs(const Vorn_PrefsRec& rec) {
    i_prefs.model.b = rec.b;
    i_prefs.model.view_as = rec.view_as;
    i_prefs.model.sort_by = rec.sort_by;
    i_prefs.model.num_columnsS = rec.num_columnsS;
    i_prefs.model.font = rec.font;
    i_prefs.new_windR = rec.wind_edit.posR;
    Flush();
}

void CVornPrefs::Set_BrowserSize(Point size) {
    i_prefs.browserSizePt = size;
    Flush();
}

void CVornPrefs::Set_VornWindR(int32 left, int32 top, int32 right, int32 bottom) {
    i_prefs.new_windR = tagRECT{left, top, right, bottom};
    Flush();
}

void CVornPrefs::Set_Logging(bool on) {
    i_prefs.b.logB = on;
    if (on)
        OpenLogFile();
    else
        CloseLogFile();
    Flush();
}

void CVornPrefs::Set_LogMem(bool on) {
    i_prefs.b.logMemB = on;
    Flush();
}

void CVornPrefs::Note_RecentFile(const std::string& path) {
    VornAddRecent(i_prefs.recentFiles, path);
    Flush();
}

void CVornPrefs::Forget_RecentFile(const std::string& path) {
    if (VornRemoveRecent(i_prefs.recentFiles, path)) Flush();
}

void CVornPrefs::Clear_RecentFiles() {
    i_prefs.recentFiles.clear();
    Flush();
}
