#pragma once
// The person's settings for speech and for switch scanning: how generated text is spoken and
// whether Go Mode highlights the items one after another. They belong to the application's
// store, never to a board file.

#include "XGSpeech.h"
#include "XGTypes.h"

namespace yaaf {
class XGPreferences;
}

constexpr yaaf::int32 kVornScanIntervalMinMs = 500;
constexpr yaaf::int32 kVornScanIntervalMaxMs = 5000;

struct VornAccessPrefsRec {
    yaaf::XGSpeechSettings speech;
    bool scanB = false;                // "Scan Items in Go Mode"
    yaaf::int32 scan_intervalL = 1500; // milliseconds, kVornScanIntervalMinMs to ...MaxMs

    bool operator==(const VornAccessPrefsRec&) const = default;
};

// Values out of range read as the nearest allowed one.
void Vorn_LoadAccessPrefs(const yaaf::XGPreferences& store, VornAccessPrefsRec& rec);
void Vorn_FlushAccessPrefs(yaaf::XGPreferences& store, const VornAccessPrefsRec& rec);
// Hands the speech settings to the speech queue.
void Vorn_ApplyAccessPrefs(const VornAccessPrefsRec& rec);
