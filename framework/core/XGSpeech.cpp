#include "XGSpeech.h"

#include <algorithm>
#include <chrono>

namespace yaaf {

namespace {

XGSpeechEngineFactory& Factory() {
    static XGSpeechEngineFactory sFactory;
    return sFactory;
}

XGSpeechProblemProc& Reporter() {
    static XGSpeechProblemProc sReporter;
    return sReporter;
}

XGSpeech::Clock& ClockProc() {
    static XGSpeech::Clock sClock;
    return sClock;
}

// A silenced engine is asked again after this long, without saying so a second time (a
// speech service started later is then found).
constexpr int64 kRetryAfterMs = 60000;

void AppendUtf8(std::string& out, uint32 c) {
    if (c < 0x80) {
        out += char(c);
    } else if (c < 0x800) {
        out += char(0xC0 | (c >> 6));
        out += char(0x80 | (c & 0x3F));
    } else if (c < 0x10000) {
        out += char(0xE0 | (c >> 12));
        out += char(0x80 | ((c >> 6) & 0x3F));
        out += char(0x80 | (c & 0x3F));
    } else {
        out += char(0xF0 | (c >> 18));
        out += char(0x80 | ((c >> 12) & 0x3F));
        out += char(0x80 | ((c >> 6) & 0x3F));
        out += char(0x80 | (c & 0x3F));
    }
}

// The length of the well-formed UTF-8 sequence at p (at most n bytes), or 0.
std::size_t SequenceLength(const unsigned char* p, std::size_t n, uint32* codeP) {
    const unsigned char b = p[0];
    std::size_t len = 0;
    uint32 c = 0, min = 0;
    if (b < 0x80) {
        *codeP = b;
        return 1;
    } else if ((b & 0xE0) == 0xC0) {
        len = 2, c = b & 0x1F, min = 0x80;
    } else if ((b & 0xF0) == 0xE0) {
        len = 3, c = b & 0x0F, min = 0x800;
    } else if ((b & 0xF8) == 0xF0) {
        len = 4, c = b & 0x07, min = 0x10000;
    } else {
        return 0;
    }
    if (len > n) return 0;
    for (std::size_t i = 1; i < len; ++i) {
        if ((p[i] & 0xC0) != 0x80) return 0;
        c = (c << 6) | (p[i] & 0x3F);
    }
    // Overlong forms, surrogates and values past Unicode are not text.
    if (c < min || c > 0x10FFFF || (c >= 0xD800 && c <= 0xDFFF)) return 0;
    *codeP = c;
    return len;
}

} // namespace

XGSpeech& XGSpeech::Get() {
    static XGSpeech sSpeech;
    return sSpeech;
}

XGSpeechEngineFactory XGSpeech::SetEngineFactory(XGSpeechEngineFactory factory) {
    XGSpeechEngineFactory previous = std::move(Factory());
    Factory() = std::move(factory);
    Get().Reset();
    return previous;
}

XGSpeechProblemProc XGSpeech::SetProblemReporter(XGSpeechProblemProc reporter) {
    XGSpeechProblemProc previous = std::move(Reporter());
    Reporter() = std::move(reporter);
    return previous;
}

XGSpeech::Clock XGSpeech::SetClock(Clock clock) {
    Clock previous = std::move(ClockProc());
    ClockProc() = std::move(clock);
    return previous;
}

int64 XGSpeech::Now() const {
    if (ClockProc()) return ClockProc()();
    using namespace std::chrono;
    return duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count();
}

std::string XGSpeech::Speakable(const char* text) {
    std::string out;
    if (!text) return out;
    const auto* p = reinterpret_cast<const unsigned char*>(text);
    std::size_t n = 0;
    while (p[n])
        ++n;
    out.reserve(std::min(n, kMaxUtteranceBytes));
    for (std::size_t i = 0; i < n;) {
        uint32 c = 0;
        std::size_t len = SequenceLength(p + i, n - i, &c);
        if (len == 0) {
            // Older boards hold Latin-1 text: a byte that is no UTF-8 is read as its character.
            c = p[i];
            len = 1;
        }
        if (c < 0x20 || c == 0x7F || (c >= 0x80 && c < 0xA0)) c = ' ';
        std::string piece;
        AppendUtf8(piece, c);
        if (out.size() + piece.size() > kMaxUtteranceBytes) break;
        out += piece;
        i += len;
    }
    // Blanks alone say nothing.
    if (out.find_first_not_of(' ') == std::string::npos) out.clear();
    return out;
}

int64 XGSpeech::DeadlineFor(const std::string& text, int16 rateS) {
    // Generous: a normal voice says about fifteen characters a second, the slowest a third of
    // that.
    const int64 slowdown = 1 + 2 * std::max<int64>(0, -int64(rateS)) / 100;
    return (3000 + 150 * int64(text.size())) * slowdown;
}

void XGSpeech::Say(const char* text) {
    std::string speakable = Speakable(text);
    if (speakable.empty()) return;
    if (fSilencedB && Now() < fRetryAtMs) {
        ++fDropped;
        return;
    }
    fWaiting.push_back(std::move(speakable));
    while (fWaiting.size() > kMaxWaiting) {
        fWaiting.pop_front();
        ++fDropped;
    }
}

bool XGSpeech::EnsureEngine(bool alwaysReportB) {
    if (fEngine) return true;
    if (fSilencedB && Now() < fRetryAtMs) return false;
    if (!Factory()) {
        Silence("This program was built without text-to-speech.", alwaysReportB);
        return false;
    }
    fEngine = Factory()();
    if (!fEngine) {
        Silence("No text-to-speech engine could be started.", alwaysReportB);
        return false;
    }
    if (std::string why = fEngine->Problem(); !why.empty()) {
        Silence(why, alwaysReportB);
        return false;
    }
    fSilencedB = false;
    fSettingsDirtyB = true;
    return true;
}

void XGSpeech::Silence(const std::string& why, bool alwaysReportB) {
    fDropped += fWaiting.size();
    fWaiting.clear();
    if (fEngine) fEngine->Stop();
    fEngine.reset();
    fSpeakingB = false;
    fSilencedB = true;
    fRetryAtMs = Now() + kRetryAfterMs;
    if ((alwaysReportB || !fReportedB) && Reporter()) Reporter()(why);
    fReportedB = true;
}

void XGSpeech::Idle() {
    if (!fEngine && fWaiting.empty()) return;
    if (!EnsureEngine()) return;
    if (std::string why = fEngine->Problem(); !why.empty()) {
        Silence(why, false);
        return;
    }
    if (fEngine->IsStarting()) return;
    if (fSpeakingB) {
        if (fEngine->IsSpeaking() && Now() < fDeadlineMs) return;
        if (Now() >= fDeadlineMs) fEngine->Stop();
        // The utterance is over: its channel is free for the next.
        fSpeakingB = false;
    }
    if (fWaiting.empty()) return;
    if (fSettingsDirtyB) {
        fEngine->Apply(fSettings);
        fSettingsDirtyB = false;
    }
    std::string next = std::move(fWaiting.front());
    fWaiting.pop_front();
    fDeadlineMs = Now() + DeadlineFor(next, fSettings.rateS);
    fSpeakingB = true;
    fEngine->Speak(next);
}

void XGSpeech::Stop() {
    fWaiting.clear();
    if (fEngine) fEngine->Stop();
    fSpeakingB = false;
}

void XGSpeech::SetSettings(const XGSpeechSettings& settings) {
    if (settings == fSettings) return;
    fSettings = settings;
    fSettingsDirtyB = true;
}

void XGSpeech::Test(const char* text, const XGSpeechSettings& settings) {
    // Asked for by the user: an engine that failed before is tried again, and the answer is
    // always told.
    fRetryAtMs = 0;
    if (!EnsureEngine(true)) return;
    Stop();
    fEngine->Apply(settings);
    // The stored settings apply again from the next utterance on.
    fSettingsDirtyB = !(settings == fSettings);
    const std::string sample = Speakable(text);
    if (sample.empty()) return;
    fDeadlineMs = Now() + DeadlineFor(sample, settings.rateS);
    fSpeakingB = true;
    fEngine->Speak(sample);
}

std::vector<std::string> XGSpeech::Voices() {
    if (!fEngine && (!Factory() || (fSilencedB && Now() < fRetryAtMs))) return {};
    if (!EnsureEngine()) return {};
    return fEngine->Voices();
}

void XGSpeech::Reset() {
    fWaiting.clear();
    if (fEngine) fEngine->Stop();
    fEngine.reset();
    fSpeakingB = false;
    fSettingsDirtyB = true;
    fDropped = 0;
    fSilencedB = false;
    fReportedB = false;
    fRetryAtMs = 0;
}

} // namespace yaaf
