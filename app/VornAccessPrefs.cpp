#include "VornAccessPrefs.h"

#include "XGPreferences.h"

#include <algorithm>

using namespace yaaf;

void Vorn_LoadAccessPrefs(const XGPreferences& store, VornAccessPrefsRec& rec) {
    rec = VornAccessPrefsRec{};
    rec.speech.rateS = int16(std::clamp<int32>(store.GetInteger("speech rate", 0), -100, 100));
    rec.speech.pitchS = int16(std::clamp<int32>(store.GetInteger("speech pitch", 0), -100, 100));
    rec.speech.volumeS = int16(std::clamp<int32>(store.GetInteger("speech volume", 100), 0, 100));
    rec.speech.voice = store.GetString("speech voice", "");
    rec.scanB = store.GetBoolean("scan items in go mode", false);
    rec.scan_intervalL = std::clamp<int32>(store.GetInteger("scan interval ms", 1500), kVornScanIntervalMinMs,
                                           kVornScanIntervalMaxMs);
}

void Vorn_FlushAccessPrefs(XGPreferences& store, const VornAccessPrefsRec& rec) {
    store.SetInteger("speech rate", rec.speech.rateS);
    store.SetInteger("speech pitch", rec.speech.pitchS);
    store.SetInteger("speech volume", rec.speech.volumeS);
    store.SetString("speech voice", rec.speech.voice.c_str());
    store.SetBoolean("scan items in go mode", rec.scanB);
    store.SetInteger("scan interval ms", rec.scan_intervalL);
}

void Vorn_ApplyAccessPrefs(const VornAccessPrefsRec& rec) {
    XGSpeech::Get().SetSettings(rec.speech);
}
