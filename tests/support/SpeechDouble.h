#pragma once
// A stand-in for the speech engine: it records what it was asked to say with the settings in
// force, and says it for as long as the test wants. Installing it also records the problems
// that speech reports and puts the watchdog's clock in the test's hands.

#include "XGSpeech.h"

#include <memory>
#include <string>
#include <vector>

namespace vorntest {

struct SpeechRecord {
    struct Utterance {
        std::string text;
        yaaf::XGSpeechSettings settings;
    };
    std::vector<Utterance> said;
    std::vector<std::string> problems; // reported to the user
    std::string problem;               // the engine's answer to Problem()
    std::vector<std::string> voices{"alpha", "beta"};
    bool speakingB = false;
    int stops = 0;
    int enginesMade = 0;
    yaaf::int64 now = 0;

    std::vector<std::string> Texts() const {
        std::vector<std::string> out;
        for (const Utterance& u : said)
            out.push_back(u.text);
        return out;
    }
};

class FakeSpeechEngine : public yaaf::XGSpeechEngine {
public:
    explicit FakeSpeechEngine(std::shared_ptr<SpeechRecord> r) : fRecord(std::move(r)) {}
    std::string Problem() override { return fRecord->problem; }
    void Apply(const yaaf::XGSpeechSettings& settings) override { fSettings = settings; }
    void Speak(const std::string& utf8) override {
        fRecord->said.push_back({utf8, fSettings});
        fRecord->speakingB = true;
    }
    bool IsSpeaking() override { return fRecord->speakingB; }
    void Stop() override {
        ++fRecord->stops;
        fRecord->speakingB = false;
    }
    std::vector<std::string> Voices() override { return fRecord->voices; }

private:
    std::shared_ptr<SpeechRecord> fRecord;
    yaaf::XGSpeechSettings fSettings;
};

// While it lives, XGSpeech speaks through a FakeSpeechEngine (or, with noEngineB, has none).
class ScopedFakeSpeech {
public:
    explicit ScopedFakeSpeech(bool noEngineB = false) : record(std::make_shared<SpeechRecord>()) {
        auto r = record;
        fPrevFactory = yaaf::XGSpeech::SetEngineFactory(
            noEngineB ? yaaf::XGSpeechEngineFactory()
                      : yaaf::XGSpeechEngineFactory([r]() -> std::unique_ptr<yaaf::XGSpeechEngine> {
                            ++r->enginesMade;
                            return std::make_unique<FakeSpeechEngine>(r);
                        }));
        fPrevReporter =
            yaaf::XGSpeech::SetProblemReporter([r](const std::string& why) { r->problems.push_back(why); });
        fPrevClock = yaaf::XGSpeech::SetClock([r] { return r->now; });
        yaaf::XGSpeech::Get().SetSettings({});
    }
    ~ScopedFakeSpeech() {
        yaaf::XGSpeech::SetEngineFactory(std::move(fPrevFactory));
        yaaf::XGSpeech::SetProblemReporter(std::move(fPrevReporter));
        yaaf::XGSpeech::SetClock(std::move(fPrevClock));
        yaaf::XGSpeech::Get().Reset();
    }
    ScopedFakeSpeech(const ScopedFakeSpeech&) = delete;
    ScopedFakeSpeech& operator=(const ScopedFakeSpeech&) = delete;

    // The engine finishes what it says, and the idle step runs.
    void FinishAndIdle() {
        record->speakingB = false;
        yaaf::XGSpeech::Get().Idle();
    }
    // Idles until nothing waits, finishing each utterance.
    void Drain() {
        yaaf::XGSpeech::Get().Idle();
        for (int guard = 0; guard < 1000 && (record->speakingB || yaaf::XGSpeech::Get().CountWaiting());
             ++guard)
            FinishAndIdle();
    }

    std::shared_ptr<SpeechRecord> record;

private:
    yaaf::XGSpeechEngineFactory fPrevFactory;
    yaaf::XGSpeechProblemProc fPrevReporter;
    yaaf::XGSpeech::Clock fPrevClock;
};

} // namespace vorntest
