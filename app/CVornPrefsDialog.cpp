// The preferences dialog, apart from the store so that programs without windows need none.

#include "CVornPrefs.h"

#include "XGFormDialog.h"
#include "XGSpeech.h"

#include <algorithm>

using namespace yaaf;

namespace {

enum : int {
    kPrefsDialog_LAYOUT = 128,
    kPrefsItem_LOGGING = 3,
    kPrefsItem_LOG_MEMORY = 4,
    kPrefsItem_CHECK_UPDATES = 5,
    kPrefsItem_UNDO_DEPTH = 6,
    kPrefsItem_PLAYER_ONLY = 7,
    kPrefsItem_SPEECH_RATE = 8,
    kPrefsItem_SPEECH_PITCH = 9,
    kPrefsItem_SPEECH_VOLUME = 10,
    kPrefsItem_SPEECH_VOICE = 11,
    kPrefsItem_SPEECH_TEST = 12,
    kPrefsItem_SCAN = 13,
    kPrefsItem_SCAN_INTERVAL = 14,
};

constexpr const char* kDefaultVoice = "Default";
constexpr const char* kTestSentence = "This is how Vorn speaks.";

// The speech settings as the form shows them; voices are the choice's entries after "Default".
XGSpeechSettings SpeechFromForm(const XGFormDialog& form, const std::vector<std::string>& voices) {
    XGSpeechSettings s;
    s.rateS = int16(form.GetNumber(kPrefsItem_SPEECH_RATE));
    s.pitchS = int16(form.GetNumber(kPrefsItem_SPEECH_PITCH));
    s.volumeS = int16(form.GetNumber(kPrefsItem_SPEECH_VOLUME));
    const int32 chosen = form.GetNumber(kPrefsItem_SPEECH_VOICE);
    if (chosen > 0 && size_t(chosen) <= voices.size()) s.voice = voices[size_t(chosen) - 1];
    return s;
}

} // namespace

int CVornPrefs::DoDialog() {
    XGFormDialog dialog(kPrefsDialog_LAYOUT, "Vorn Preferences");
    dialog.AddCheckBox(kPrefsItem_LOGGING, "Enable Logging", i_prefs.b.logB);
    dialog.AddCheckBox(kPrefsItem_LOG_MEMORY, "Log Memory Tracking", i_prefs.b.logMemB);
    dialog.AddCheckBox(kPrefsItem_CHECK_UPDATES, "Check for Updates", i_prefs.b.auto_vers_checkB);
    // A negative depth would mean nothing to the undo engine, so the field does not take one.
    dialog.AddNumberField(kPrefsItem_UNDO_DEPTH, "Undo Stack Depth", i_prefs.num_undoS, 0, 32767);
    dialog.AddCheckBox(kPrefsItem_PLAYER_ONLY, "Player Only", i_prefs.b.player_onlyB);

    // Speech: a voice kept from an earlier run stays chosen even while the service is away.
    std::vector<std::string> voices = XGSpeech::Get().Voices();
    const XGSpeechSettings& speech = i_access.speech;
    if (!speech.voice.empty() && std::find(voices.begin(), voices.end(), speech.voice) == voices.end())
        voices.insert(voices.begin(), speech.voice);
    std::vector<std::string> voiceChoices{kDefaultVoice};
    voiceChoices.insert(voiceChoices.end(), voices.begin(), voices.end());
    const auto at = std::find(voices.begin(), voices.end(), speech.voice);
    const int32 chosenVoice = speech.voice.empty() || at == voices.end() ? 0 : int32(at - voices.begin()) + 1;
    dialog.AddNumberField(kPrefsItem_SPEECH_RATE, "Speech Rate (-100 to 100)", speech.rateS, -100, 100);
    dialog.AddNumberField(kPrefsItem_SPEECH_PITCH, "Speech Pitch (-100 to 100)", speech.pitchS, -100, 100);
    dialog.AddNumberField(kPrefsItem_SPEECH_VOLUME, "Speech Volume (0 to 100)", speech.volumeS, 0, 100);
    dialog.AddChoice(kPrefsItem_SPEECH_VOICE, "Voice", voiceChoices, chosenVoice);
    dialog.AddButton(kPrefsItem_SPEECH_TEST, "Test", [voices](const XGFormDialog& form) {
        XGSpeech::Get().Test(kTestSentence, SpeechFromForm(form, voices));
    });
    // Scanning, in tenths of a second.
    dialog.AddCheckBox(kPrefsItem_SCAN, "Scan Items in Go Mode", i_access.scanB);
    dialog.AddDecimalField(kPrefsItem_SCAN_INTERVAL, "Scan Interval (seconds)", i_access.scan_intervalL / 100,
                           kVornScanIntervalMinMs / 100, kVornScanIntervalMaxMs / 100, 1);
    if (dialog.Run() != XGFormDialog::kItemOK) return 0;
    i_access.speech = SpeechFromForm(dialog, voices);
    i_access.scanB = dialog.GetCheck(kPrefsItem_SCAN);
    i_access.scan_intervalL = dialog.GetNumber(kPrefsItem_SCAN_INTERVAL) * 100;
    Vorn_ApplyAccessPrefs(i_access);
    // The log itself opens or closes at the next start or through the logging command.
    i_prefs.b.logB = dialog.GetCheck(kPrefsItem_LOGGING);
    i_prefs.b.logMemB = dialog.GetCheck(kPrefsItem_LOG_MEMORY);
    i_prefs.b.auto_vers_checkB = dialog.GetCheck(kPrefsItem_CHECK_UPDATES);
    i_prefs.num_undoS = int16(dialog.GetNumber(kPrefsItem_UNDO_DEPTH));
    i_prefs.b.player_onlyB = dialog.GetCheck(kPrefsItem_PLAYER_ONLY);
    Flush();
    return 1;
}
