#include "XGSpeechPlatform.h"

#if VORN_HAVE_TEXTTOSPEECH
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QMetaObject>
#include <QObject>
#include <QPointer>
#include <QTextToSpeech>
#include <QThread>
#include <QTimer>
#include <QVoice>

#include <atomic>
#include <mutex>
#endif

#include <string>
#include <vector>

namespace yaaf {

#if VORN_HAVE_TEXTTOSPEECH
namespace {

// The speech service may take seconds to start, or never answer (a service without a sound
// device hangs its clients): the platform's text-to-speech lives on a thread of its own, and
// the user-interface thread only posts requests to it and reads what it last reported.

// An utterance the service never says it began is over after this long.
constexpr int kStartGraceMs = 2000;
// A service that has not answered by then is taken as not there.
constexpr qint64 kStartLimitMs = 10000;

// What the speech thread reports, read by the user-interface thread.
struct SharedState {
    std::atomic<bool> readyB{false};
    std::atomic<bool> busyB{false};
    std::mutex mutex;
    std::string problem;
    std::vector<std::string> voices;
};

// Threads of services that never answered, left to the end of the process: a new engine does
// not start another while one of them is still stuck.
std::atomic<int> sStuckThreads{0};

class SpeechWorker : public QObject {
public:
    explicit SpeechWorker(std::shared_ptr<SharedState> state) : fState(std::move(state)) {}

    void Start() {
        const QStringList engines = QTextToSpeech::availableEngines();
        if (engines.isEmpty()) {
            Fail("No text-to-speech plug-in is installed, so speech stays silent.");
            return;
        }
        // Speech Dispatcher first: it is the desktop's own service.
        const QString name =
            engines.contains(QStringLiteral("speechd")) ? QStringLiteral("speechd") : engines.first();
        fTts = new QTextToSpeech(name, this);
        if (fTts->state() == QTextToSpeech::Error) {
            Fail(Describe());
            return;
        }
        QObject::connect(fTts, &QTextToSpeech::stateChanged, this, [this](QTextToSpeech::State state) {
            if (state == QTextToSpeech::Speaking) {
                fSawSpeakingB = true;
                fState->busyB = true;
            } else if (state == QTextToSpeech::Ready) {
                fState->busyB = false;
            } else if (state == QTextToSpeech::Error) {
                fState->busyB = false;
                Fail(Describe());
            }
        });
        std::vector<std::string> voices;
        for (const QVoice& v : fTts->availableVoices())
            voices.push_back(v.name().toStdString());
        {
            std::lock_guard<std::mutex> lock(fState->mutex);
            fState->voices = std::move(voices);
        }
        fState->readyB = true;
    }

    void Apply(const XGSpeechSettings& s) {
        if (!fTts) return;
        fTts->setRate(qBound(-1.0, s.rateS / 100.0, 1.0));
        fTts->setPitch(qBound(-1.0, s.pitchS / 100.0, 1.0));
        fTts->setVolume(qBound(0.0, s.volumeS / 100.0, 1.0));
        if (s.voice.empty()) return;
        const QString wanted = QString::fromStdString(s.voice);
        for (const QVoice& v : fTts->availableVoices())
            if (v.name() == wanted) {
                fTts->setVoice(v);
                break;
            }
    }

    void Say(const QString& text) {
        if (!fTts) {
            fState->busyB = false;
            return;
        }
        fSawSpeakingB = false;
        fTts->say(text);
        const int serial = ++fSerial;
        QTimer::singleShot(kStartGraceMs, this, [this, serial] {
            if (serial == fSerial && !fSawSpeakingB) fState->busyB = false;
        });
    }

    void Stop() {
        ++fSerial;
        if (fTts) fTts->stop();
        fState->busyB = false;
    }

private:
    void Fail(const std::string& why) {
        std::lock_guard<std::mutex> lock(fState->mutex);
        if (fState->problem.empty()) fState->problem = why;
    }
    std::string Describe() const {
        std::string why = "The speech service cannot be reached, so speech stays silent";
        const QString detail = fTts ? fTts->errorString() : QString();
        if (!detail.isEmpty()) why += " (" + detail.toStdString() + ")";
        return why + ".";
    }

    std::shared_ptr<SharedState> fState;
    QTextToSpeech* fTts = nullptr;
    bool fSawSpeakingB = false;
    int fSerial = 0;
};

class XGPlatformSpeechEngine : public XGSpeechEngine {
public:
    XGPlatformSpeechEngine() : fState(std::make_shared<SharedState>()) {
        fSince.start();
        if (sStuckThreads.load() > 0) {
            fState->problem = "The speech service does not answer, so speech stays silent.";
            return;
        }
        fThread = new QThread;
        fThread->setObjectName(QStringLiteral("speech"));
        fWorker = new SpeechWorker(fState);
        fWorker->moveToThread(fThread);
        QObject::connect(fThread, &QThread::finished, fWorker, &QObject::deleteLater);
        fThread->start();
        Post([w = fWorker] { w->Start(); });
    }

    ~XGPlatformSpeechEngine() override {
        if (!fThread) return;
        Post([w = fWorker] { w->Stop(); });
        fThread->quit();
        if (fThread->wait(1500)) {
            delete fThread;
            return;
        }
        // Stuck inside the service: the thread stays to the end of the process rather than
        // holding up the user.
        ++sStuckThreads;
    }

    std::string Problem() override {
        {
            std::lock_guard<std::mutex> lock(fState->mutex);
            if (!fState->problem.empty()) return fState->problem;
        }
        if (!fState->readyB && fSince.elapsed() > kStartLimitMs)
            return "The speech service does not answer, so speech stays silent.";
        return {};
    }

    void Apply(const XGSpeechSettings& settings) override {
        Post([w = fWorker, settings] { w->Apply(settings); });
    }

    void Speak(const std::string& utf8) override {
        fState->busyB = true;
        const QString text = QString::fromUtf8(utf8.data(), qsizetype(utf8.size()));
        Post([w = fWorker, text] { w->Say(text); });
    }

    bool IsStarting() override { return fThread && !fState->readyB; }
    bool IsSpeaking() override { return fState->busyB; }

    void Stop() override {
        fState->busyB = false;
        Post([w = fWorker] { w->Stop(); });
    }

    std::vector<std::string> Voices() override {
        std::lock_guard<std::mutex> lock(fState->mutex);
        return fState->voices;
    }

private:
    template <class F> void Post(F f) {
        if (fWorker) QMetaObject::invokeMethod(fWorker, std::move(f), Qt::QueuedConnection);
    }

    std::shared_ptr<SharedState> fState;
    QThread* fThread = nullptr;
    SpeechWorker* fWorker = nullptr;
    QElapsedTimer fSince;
};

} // namespace

std::unique_ptr<XGSpeechEngine> XGNewPlatformSpeechEngine() {
    return std::make_unique<XGPlatformSpeechEngine>();
}

void XGInstallPlatformSpeech() {
    XGSpeech::SetEngineFactory([] { return XGNewPlatformSpeechEngine(); });
}

#else

std::unique_ptr<XGSpeechEngine> XGNewPlatformSpeechEngine() {
    return nullptr;
}

void XGInstallPlatformSpeech() {
    // No factory: the first utterance says that this build has no text-to-speech.
    XGSpeech::SetEngineFactory({});
}

#endif

} // namespace yaaf
