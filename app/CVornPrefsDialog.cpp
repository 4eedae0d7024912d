// The preferences dialog, apart from the store so that programs without windows need none.

#include "CVornPrefs.h"

#include "XGFormDialog.h"

using namespace yaaf;

namespace {

enum : int {
    kPrefsDialog_LAYOUT = 128,
    kPrefsItem_LOGGING = 3,
    kPrefsItem_LOG_MEMORY = 4,
    kPrefsItem_CHECK_UPDATES = 5,
    kPrefsItem_UNDO_DEPTH = 6,
    kPrefsItem_PLAYER_ONLY = 7,
};

} // namespace

int CVornPrefs::DoDialog() {
    XGFormDialog dialog(kPrefsDialog_LAYOUT, "Vorn Preferences");
    dialog.AddCheckBox(kPrefsItem_LOGGING, "Enable Logging", i_prefs.b.logB);
    dialog.AddCheckBox(kPrefsItem_LOG_MEMORY, "Log Memory Tracking", i_prefs.b.logMemB);
    dialog.AddCheckBox(kPrefsItem_CHECK_UPDATES, "Check for Updates", i_prefs.b.auto_vers_checkB);
    // A negative depth would mean nothing to the undo engine, so the field does not take one.
    dialog.AddNumberField(kPrefsItem_UNDO_DEPTH, "Undo Stack Depth", i_prefs.num_undoS, 0, 32767);
    dialog.AddCheckBox(kPrefsItem_PLAYER_ONLY, "Player Only", i_prefs.b.player_onlyB);
    if (dialog.Run() != XGFormDialog::kItemOK) return 0;
    // The log itself opens or closes at the next start or through the logging command.
    i_prefs.b.logB = dialog.GetCheck(kPrefsItem_LOGGING);
    i_prefs.b.logMemB = dialog.GetCheck(kPrefsItem_LOG_MEMORY);
    i_prefs.b.auto_vers_checkB = dialog.GetCheck(kPrefsItem_CHECK_UPDATES);
    i_prefs.num_undoS = int16(dialog.GetNumber(kPrefsItem_UNDO_DEPTH));
    i_prefs.b.player_onlyB = dialog.GetCheck(kPrefsItem_PLAYER_ONLY);
    Flush();
    return 1;
}
