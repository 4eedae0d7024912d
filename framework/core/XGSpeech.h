#pragma once
// Spoken output. Asking to speak only queues the text; the run loop's idle step hands the next
// utterance to the speech engine once the one before has ended, so nothing the user does waits
// on the synthesizer. Utterances are spoken one at a time in the order they were asked for; at
// most kMaxWaiting wait, and beyond that the oldest is dropped (clicks faster than speech).
//
// The engine is made the first time it is needed, by the factory that the widget layer
// installs (the platform's text-to-speech); tests install a stand-in. When there is no engine,
// or it cannot speak, speech stays silent and the reason is reported once.

#include "XGTypes.h"

#include <cstddef>
#include <deque>
#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace yaaf {

struct XGSpeechSettings {
    int16 rateS = 0;     // -100 slowest to 100 fastest; 0 is the engine's normal rate
    int16 pitchS = 0;    // -100 lowest to 100 highest
    int16 volumeS = 100; // 0 silent to 100 loudest
    std::string voice;   // a name of Voices(), or empty for the engine's own choice

    bool operator==(const XGSpeechSettings&) const = default;
};

// The synthesizer behind the queue.
class XGSpeechEngine {
public:
    virtual ~XGSpeechEngine() = default;
    // Empty while the engine can speak, else why it cannot (in words for the user).
    virtual std::string Problem() = 0;
    // Still finding its service: nothing is handed to it yet.
    virtual bool IsStarting() { return false; }
    virtual void Apply(const XGSpeechSettings& settings) = 0;
    // Starts speaking; the utterance before has ended or been stopped.
    virtual void Speak(const std::string& utf8) = 0;
    // Whether the utterance last started is still under way (or about to start).
    virtual bool IsSpeaking() = 0;
    virtual void Stop() = 0;
    virtual std::vector<std::string> Voices() = 0;
};

using XGSpeechEngineFactory = std::function<std::unique_ptr<XGSpeechEngine>()>;
using XGSpeechProblemProc = std::function<void(const std::string& why)>;

class XGSpeech {
public:
    static constexpr std::size_t kMaxWaiting = 32;
    // Longer text is cut (at a character boundary): no synthesizer is asked to read a book.
    static constexpr std::size_t kMaxUtteranceBytes = 4000;

    using Clock = std::function<int64()>; // milliseconds, monotonic

    static XGSpeech& Get();

    // Answer the previous factory or reporter. Installing a factory drops the current engine.
    static XGSpeechEngineFactory SetEngineFactory(XGSpeechEngineFactory factory);
    static XGSpeechProblemProc SetProblemReporter(XGSpeechProblemProc reporter);
    // The clock of the stuck-utterance watchdog; tests move it by hand. Empty for the steady clock.
    static Clock SetClock(Clock clock);

    // Queues the text (made speakable first); empty text is not queued.
    void Say(const char* text);
    // Starts the next utterance when the engine is free; stops one that has not ended long
    // after it should have (a synthesizer that died mid-sentence).
    void Idle();
    // Stops speaking and forgets what waits.
    void Stop();

    // Taken for the next utterance.
    void SetSettings(const XGSpeechSettings& settings);
    const XGSpeechSettings& GetSettings() const { return fSettings; }
    // Speaks a sample at once with the given settings, in place of anything queued (the
    // preferences' Test button). A problem is reported every time, not just once.
    void Test(const char* text, const XGSpeechSettings& settings);
    // The engine's voices (the engine is made if need be); empty without an engine.
    std::vector<std::string> Voices();

    std::size_t CountWaiting() const { return fWaiting.size(); }
    uint64 CountDropped() const { return fDropped; }
    // Whether speech was found impossible (and said so).
    bool IsSilenced() const { return fSilencedB; }
    // Forgets the engine, the queue and the reported problem (tests, the end of the run).
    void Reset();

    // Text as it will be spoken: valid UTF-8 (a byte that is not is read as Latin-1), control
    // characters as blanks, at most kMaxUtteranceBytes.
    static std::string Speakable(const char* text);

private:
    XGSpeech() = default;
    bool EnsureEngine(bool alwaysReportB = false);
    void Silence(const std::string& why, bool alwaysReportB);
    int64 Now() const;
    static int64 DeadlineFor(const std::string& text, int16 rateS);

    std::unique_ptr<XGSpeechEngine> fEngine;
    std::deque<std::string> fWaiting;
    XGSpeechSettings fSettings;
    bool fSettingsDirtyB = true;
    bool fSpeakingB = false;
    int64 fDeadlineMs = 0;
    uint64 fDropped = 0;
    bool fSilencedB = false;
    bool fReportedB = false;
    int64 fRetryAtMs = 0; // a silenced engine is not asked again before this
};

} // namespace yaaf
