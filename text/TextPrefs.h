#pragma once
// The text documents' own preference store: editing options and the display font.

#include "XGFont.h"
#include "XGTypes.h"

#include <string>

constexpr const char* kTextPrefsVendor = "Quorvale";
constexpr const char* kTextPrefsProduct = "Vorn Text";
constexpr const char* kTextPrefsVersion = "1.0";

struct TextPrefsRec {
    bool autoIndentB = false;
    yaaf::int32 tabStopL = 0;
    bool wordWrapB = false;
    bool autoSaveB = false;
};

TextPrefsRec ReadTextPrefs();
void WriteTextPrefs(const TextPrefsRec& prefs);

// The font stored for text windows: a "Font Size" of 0 means the default font.
struct TextFontPrefsRec {
    yaaf::int16 sizeS = 0;
    std::string nameZ;
    yaaf::int16 styleS = 0;
};
TextFontPrefsRec ReadTextFontPrefs();
void WriteTextFontPrefs(const TextFontPrefsRec& font);

// Fixed-pitch "Courier New", 8 point.
yaaf::XGFont DefaultTextFont();
// The font a new text window shows: the stored one, or the default.
yaaf::XGFont TextFontFromPrefs(const TextFontPrefsRec& font);
yaaf::XGFont CurrentTextFont();

// Tab sizes that are applied; others are stored but not used.
constexpr yaaf::int32 kTextTabStopMin = 2;
constexpr yaaf::int32 kTextTabStopMax = 60;

// Saving after every change, for the run (the application preferences' auto_save_textB).
bool GetAutoSaveText();
void SetAutoSaveText(bool on);
