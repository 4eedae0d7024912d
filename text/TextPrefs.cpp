#include "TextPrefs.h"

#include "CVornPrefs.h"
#include "XGPreferences.h"

#include <exception>
#include <memory>

using namespace yaaf;

namespace {

bool s_autoSaveB = false; // used while no application preferences exist

std::unique_ptr<XGPreferences> OpenStore() {
    try {
        return std::make_unique<XGPreferences>(kTextPrefsVendor, kTextPrefsProduct, kTextPrefsVersion);
    } catch (const std::exception&) {
        // Without a configuration folder the defaults hold for the run.
        return nullptr;
    }
}

} // namespace

TextPrefsRec ReadTextPrefs() {
    TextPrefsRec prefs;
    if (auto store = OpenStore()) {
        prefs.autoIndentB = store->GetBoolean("AutoIndent", false);
        prefs.tabStopL = store->GetInteger("TabStop", 0);
        prefs.wordWrapB = store->GetBoolean("WordWrap", false);
        prefs.autoSaveB = store->GetBoolean("AutoSave", false);
    }
    return prefs;
}

void WriteTextPrefs(const TextPrefsRec& prefs) {
    if (auto store = OpenStore()) {
        store->SetBoolean("AutoIndent", prefs.autoIndentB);
        store->SetInteger("TabStop", prefs.tabStopL);
        store->SetBoolean("WordWrap", prefs.wordWrapB);
        store->SetBoolean("AutoSave", prefs.autoSaveB);
    }
}

TextFontPrefsRec ReadTextFontPrefs() {
    TextFontPrefsRec font;
    if (auto store = OpenStore()) {
        font.sizeS = store->GetShort("Font Size", 0);
        font.nameZ = store->GetString("Font Name");
        font.styleS = store->GetShort("Font Style", 0);
    }
    return font;
}

void WriteTextFontPrefs(const TextFontPrefsRec& font) {
    if (auto store = OpenStore()) {
        store->SetShort("Font Size", font.sizeS);
        store->SetString("Font Name", font.nameZ.c_str());
        store->SetShort("Font Style", font.styleS);
    }
}

XGFont DefaultTextFont() {
    return XGFont("Courier New", 8, kXGStyle_Fixed);
}

XGFont TextFontFromPrefs(const TextFontPrefsRec& font) {
    if (font.sizeS <= 0) return DefaultTextFont();
    return XGFont(font.nameZ.empty() ? std::string("Courier New") : font.nameZ, font.sizeS,
                  uint16(font.styleS));
}

XGFont CurrentTextFont() {
    return TextFontFromPrefs(ReadTextFontPrefs());
}

bool GetAutoSaveText() {
    return gVornPrefsP ? gVornPrefsP->i_prefs.b.auto_save_textB : s_autoSaveB;
}

void SetAutoSaveText(bool on) {
    s_autoSaveB = on;
    if (gVornPrefsP) gVornPrefsP->i_prefs.b.auto_save_textB = on;
}
