#pragma once
// The main frame's menu bar, the accelerator table and context menus, built from the menu
// resources. Every item carries its command id; choosing it sends 'menu' along the focus chain,
// and after each event every item's state is asked for with 'Prst', 'stat' and 'Post'.

#include "XGMenuResource.h"
#include "XGTypes.h"

#include <functional>
#include <memory>
#include <string>
#include <vector>

class QMenuBar;
class QMainWindow;
class QKeyEvent;

namespace yaaf {

class XGView;
struct XGWindowListRecord;
struct XGMenuBarPlatform;

// The id of the window list's placeholder item "Empty".
constexpr int32 kXGCmd_WindowListEmpty = 129;
// The font menu's items all carry this id; the item's position (from 1) goes with it.
constexpr int32 kXGCmd_FontMenuItem = 74;

// Sends a menu command along the focus chain (to the application when nothing has the focus).
// `position` is the item number for the font menu's items and is passed as the data of 'menu'
// (a pointer to it); for other commands the data is none. Answers the dispatch result.
int32 XGSendMenuCommand(int32 command, int32 position = 0);

// Asks the focus chain for one command's state: 'stat' with a status preset to disabled,
// unchecked, mark 0x12.
XGSMenuStatus XGGetCommandStatus(int32 command);

class XGMenuBar {
public:
    explicit XGMenuBar(QMainWindow* frame);
    ~XGMenuBar();
    XGMenuBar(const XGMenuBar&) = delete;
    XGMenuBar& operator=(const XGMenuBar&) = delete;

    // Builds the bar from menu bar resource `id`; false (the bar unchanged) when there is none.
    bool Load(int32 id);
    int32 GetLoadedID() const { return fLoadedID; }

    // Replaces the window list's entries: "&" digit blank name for listed windows, the name
    // alone beyond nine, "Empty" (129) when there is none. `front` is checked.
    void RebuildWindowList(const std::vector<XGWindowListRecord>& list, const void* front);
    // Runs 'Prst', 'stat' for every item and 'Post' from the focus, and applies the answers.
    void UpdateStatus();

    // For 'stat' handlers whose item text follows the state (Undo, Redo).
    void SetItemText(int32 command, const std::string& text);
    // The title of the menu item with the id, without the shortcut text; empty when none.
    std::string GetItemTitle(int32 command) const;
    // Test access: the menus' titles and, per id, the item's enabled and checked state.
    std::vector<std::string> GetMenuTitles() const;
    bool IsItemEnabled(int32 command) const;
    bool IsItemChecked(int32 command) const;
    // The mark shown beside an entry: 0 none, 0x12 a check, '-' a dash, 0xA5 a bullet.
    char ItemMark(int32 command) const;
    bool HasItem(int32 command) const;
    // The window list entries' texts in menu order.
    std::vector<std::string> GetWindowListTexts() const;
    // Chooses the item with the id as the user would.
    bool TriggerItem(int32 command);
    // The recent list's entry texts as opening its menu makes them, and choosing the entry at
    // `position` (from 1) as the user would.
    std::vector<std::string> GetRecentListTexts();
    bool TriggerRecentItem(int32 position);

    // The bar in use, or none.
    static XGMenuBar* Current();

private:
    std::unique_ptr<XGMenuBarPlatform> fPlatform;
    int32 fLoadedID = 0;
};

// Gives the names that a menu's recent list shows, most recent first, asked each time the menu
// opens. Its items carry the list's command and their position (from 1) as the font menu's do.
using XGRecentListProvider = std::function<std::vector<std::string>()>;
void XGSetRecentListProvider(XGRecentListProvider provider);

// The text of the font menu's item at `position` (from 1); empty when there is no such item.
std::string XGGetFontMenuItemText(int32 position);
// The installed font families as the font menu lists them.
const std::vector<std::string>& XGGetFontMenuNames();

// The accelerator table in use (loaded from its resource), applied to key presses before any
// other handling. A key whose command nobody handles goes on to its normal handling.
class XGAccelerators {
public:
    static bool Load(int16 id);
    static const std::vector<XGAcceleratorRecord>& Table();
    // Translates a key press of the platform; true when it became a handled menu command.
    static bool TranslateKey(const QKeyEvent* event);
    // The same for a key given as in XGAcceleratorRecord.
    static bool TranslateKey(uint16 modifiers, int32 key);
};

// A context menu from menu resources: the full one, or the reduced one in player-only mode.
class XGContextMenu {
public:
    XGContextMenu(int16 menuID, int16 playerMenuID);
    // Shows the menu at the point of the view (view coordinates) with the items' states, and
    // sends the chosen command. Answers the command, or 0 when none was chosen.
    int32 PopUp(XGView* view, Point where);
    int16 CurrentID() const;

    // Whether the reduced menus are in use (set by the application from its preferences).
    static void SetPlayerOnly(bool playerOnly);
    static bool IsPlayerOnly();

    // Tests answer pop-ups through this instead of showing a menu: it gets the menu's id, the
    // view and the point, and answers the command to send (0 for none). An empty function
    // restores the menu.
    using PopUpHook = std::function<int32(int16 menuID, XGView* view, Point where)>;
    static void SetPopUpHook(PopUpHook hook);

private:
    int16 fMenuID;
    int16 fPlayerMenuID;
};

} // namespace yaaf
