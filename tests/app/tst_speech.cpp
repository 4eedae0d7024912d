// Spoken output through a stand-in engine: what is said, in which order and with which
// settings; the bound on waiting utterances; text that is not UTF-8 or is very long; a service
// that is missing or stops answering; the preferences of speech and scanning with the Test
// button.
#include "CVornPrefs.h"
#include "SpeechDouble.h"
#include "Utilities.h"
#include "XGFormDialog.h"
#include "XGPreferences.h"

#include <QFile>
#include <QtTest>

#include <functional>
#include <string>
#include <vector>

using namespace yaaf;
using namespace vorntest;

namespace {

using Script = std::function<void(ScopedFakeSpeech&)>;
using Texts = std::vector<std::string>;

bool IsValidUtf8(const std::string& s) {
    return QString::fromUtf8(s.data(), qsizetype(s.size())).toUtf8() ==
           QByteArray(s.data(), qsizetype(s.size()));
}

QString AppStorePath() {
    return QString::fromStdString(
        XGPreferences::StorePath(kVornPrefsVendor, kVornPrefsProduct, kVornPrefsVersion));
}

} // namespace

Q_DECLARE_METATYPE(Script)
Q_DECLARE_METATYPE(Texts)

class TestSpeech : public QObject {
    Q_OBJECT

private slots:
    void init() {
        QFile::remove(AppStorePath());
        CVornPrefs::s_ShiftDownProc = [] { return false; };
    }

    // What the engine is asked to say, after the script and then draining the queue.
    void queue_data() {
        QTest::addColumn<Script>("script");
        QTest::addColumn<Texts>("said");
        QTest::addColumn<int>("dropped");
        QTest::newRow("in the order asked") << Script([](ScopedFakeSpeech&) {
            SpeakCString("one");
            SpeakCString("two");
            SpeakCString("three");
        }) << Texts{"one", "two", "three"} << 0;
        QTest::newRow("one at a time: the next waits for the end") << Script([](ScopedFakeSpeech& s) {
            SpeakCString("first");
            SpeakCString("second");
            Idle_DisposeSpeechChannel();
            Idle_DisposeSpeechChannel(); // still speaking: nothing more starts
            QCOMPARE(s.record->Texts(), Texts{"first"});
        }) << Texts{"first", "second"} << 0;
        QTest::newRow("faster than speech: the oldest of 40 go") << Script([](ScopedFakeSpeech&) {
            for (int i = 0; i < 40; ++i)
                SpeakCString(std::to_string(i).c_str());
            QCOMPARE(XGSpeech::Get().CountWaiting(), size_t(32));
        }) <<
            [] {
                Texts t;
                for (int i = 8; i < 40; ++i)
                    t.push_back(std::to_string(i));
                return t;
            }() << 8;
        QTest::newRow("a line break and blanks say nothing") << Script([](ScopedFakeSpeech&) {
            SpeakCString("\r");
            SpeakCString("  \t ");
            SpeakCString("");
            SpeakCString(nullptr);
            SpeakCString("word");
        }) << Texts{"word"} << 0;
        QTest::newRow("a service that hangs mid-sentence is stopped and the rest said")
            << Script([](ScopedFakeSpeech& s) {
                   SpeakCString("stuck");
                   SpeakCString("after");
                   Idle_DisposeSpeechChannel();
                   s.record->now += 3000 + 150 * 5 - 1;
                   Idle_DisposeSpeechChannel();
                   QCOMPARE(s.record->stops, 0);
                   s.record->now += 1;
                   Idle_DisposeSpeechChannel(); // the engine still claims to speak
                   QCOMPARE(s.record->stops, 1);
               })
            << Texts{"stuck", "after"} << 0;
        QTest::newRow("Stop forgets what waits") << Script([](ScopedFakeSpeech&) {
            SpeakCString("a");
            SpeakCString("b");
            Idle_DisposeSpeechChannel();
            XGSpeech::Get().Stop();
        }) << Texts{"a"} << 0;
    }
    void queue() {
        QFETCH(Script, script);
        QFETCH(int, dropped);
        ScopedFakeSpeech speech;
        script(speech);
        speech.Drain();
        QTEST(speech.record->Texts(), "said");
        QCOMPARE(XGSpeech::Get().CountDropped(), uint64(dropped));
        QVERIFY(speech.record->problems.empty());
    }

    // Each utterance carries the settings in force when it began.
    void settings() {
        ScopedFakeSpeech speech;
        XGSpeechSettings slow{-50, 20, 80, "beta"};
        XGSpeech::Get().SetSettings(slow);
        SpeakCString("slow");
        speech.Drain();
        XGSpeechSettings fast{90, -10, 100, ""};
        XGSpeech::Get().SetSettings(fast);
        SpeakCString("fast");
        speech.Drain();
        QCOMPARE(speech.record->said.size(), size_t(2));
        QVERIFY(speech.record->said[0].settings == slow);
        QVERIFY(speech.record->said[1].settings == fast);
        // The Test button speaks at once with the form's settings, in place of what waits, and
        // the stored ones come back for the next utterance.
        SpeakCString("waiting");
        XGSpeechSettings tried{0, 0, 50, "alpha"};
        XGSpeech::Get().Test("sample", tried);
        QCOMPARE(XGSpeech::Get().CountWaiting(), size_t(0));
        SpeakCString("after");
        speech.Drain();
        QCOMPARE(speech.record->Texts(), (Texts{"slow", "fast", "sample", "after"}));
        QVERIFY(speech.record->said[2].settings == tried);
        QVERIFY(speech.record->said[3].settings == fast);
    }

    // Text as the engine gets it: always UTF-8, never longer than the limit.
    void speakable_data() {
        QTest::addColumn<QByteArray>("input");
        QTest::addColumn<QByteArray>("expected");
        QTest::newRow("UTF-8 kept") << QByteArray("caf\xc3\xa9 \xf0\x9f\x90\x88")
                                    << QByteArray("caf\xc3\xa9 \xf0\x9f\x90\x88");
        QTest::newRow("Latin-1 read as such") << QByteArray("caf\xe9") << QByteArray("caf\xc3\xa9");
        QTest::newRow("overlong and surrogate bytes") << QByteArray("a\xc0\xaf"
                                                                    "b\xed\xa0\x80")
                                                      << QByteArray("a\xc3\x80\xc2\xaf"
                                                                    "b\xc3\xad\xc2\xa0 ");
        QTest::newRow("cut sequence at the end") << QByteArray("x\xe2\x82") << QByteArray("x\xc3\xa2 ");
        QTest::newRow("controls as blanks") << QByteArray("a\tb\nc\x7f") << QByteArray("a b c ");
    }
    void speakable() {
        QFETCH(QByteArray, input);
        const std::string out = XGSpeech::Speakable(input.constData());
        QTEST(QByteArray::fromStdString(out), "expected");
        QVERIFY(IsValidUtf8(out));
    }

    // A title of 100,000 characters, of one and of several bytes each, is cut to the limit at
    // a character boundary and spoken once.
    void longTitle_data() {
        QTest::addColumn<QByteArray>("unit");
        QTest::newRow("four-byte characters") << QByteArray("\xf0\x9f\x90\x88");
        QTest::newRow("Latin-1 bytes") << QByteArray("\xe9");
    }
    void longTitle() {
        QFETCH(QByteArray, unit);
        ScopedFakeSpeech speech;
        const QByteArray title = unit.repeated(100000);
        SpeakCString(title.constData());
        speech.Drain();
        QCOMPARE(speech.record->said.size(), size_t(1));
        const std::string& said = speech.record->said[0].text;
        QVERIFY(said.size() <= XGSpeech::kMaxUtteranceBytes);
        QVERIFY(said.size() > XGSpeech::kMaxUtteranceBytes - 4);
        QVERIFY(IsValidUtf8(said));
    }

    // Without a speech service: silent, and the reason told once however often speech is asked.
    void noService_data() {
        QTest::addColumn<bool>("noEngineB");
        QTest::addColumn<QString>("problem");
        QTest::newRow("service refuses") << false << "The speech service cannot be reached.";
        QTest::newRow("built without speech") << true << "This program was built without text-to-speech.";
    }
    void noService() {
        QFETCH(bool, noEngineB);
        QFETCH(QString, problem);
        ScopedFakeSpeech speech(noEngineB);
        speech.record->problem = problem.toStdString();
        for (int i = 0; i < 5; ++i) {
            SpeakCString("hello");
            Idle_DisposeSpeechChannel();
        }
        QVERIFY(speech.record->said.empty());
        QCOMPARE(speech.record->problems, (Texts{problem.toStdString()}));
        QVERIFY(XGSpeech::Get().IsSilenced());
        QCOMPARE(XGSpeech::Get().CountWaiting(), size_t(0));
        // The engine is not asked again on every click...
        QVERIFY(speech.record->enginesMade <= 1);
        // ...but the Test button answers every time.
        XGSpeech::Get().Test("sample", {});
        QCOMPARE(speech.record->problems.size(), size_t(2));
    }

    // A service that fails while speaking: the rest is dropped and it is said once.
    void serviceDiesMidSentence() {
        ScopedFakeSpeech speech;
        SpeakCString("one");
        SpeakCString("two");
        Idle_DisposeSpeechChannel();
        speech.record->problem = "gone";
        Idle_DisposeSpeechChannel();
        SpeakCString("three");
        Idle_DisposeSpeechChannel();
        QCOMPARE(speech.record->Texts(), Texts{"one"});
        QCOMPARE(speech.record->problems, Texts{"gone"});
        // A minute on, a service that is back is found again, without a second message.
        speech.record->problem.clear();
        speech.record->now += 60000;
        SpeakCString("four");
        speech.Drain();
        QCOMPARE(speech.record->Texts(), (Texts{"one", "four"}));
        QCOMPARE(speech.record->problems.size(), size_t(1));
    }

    // The preferences of speech and scanning: the dialog, the Test button, the store.
    void preferencesDialog() {
        ScopedFakeSpeech speech;
        {
            CVornPrefs prefs;
            QCOMPARE(prefs.i_access, VornAccessPrefsRec{});
            XGScopedFormResponder responder([](XGFormDialog& d) {
                if (d.FindItem(11)->choices != Texts{"Default", "alpha", "beta"})
                    return XGFormDialog::kItemCancel;
                d.SetNumber(8, 40);
                d.SetNumber(9, -30);
                d.SetNumber(10, 250); // beyond the field: kept to 100
                d.SetNumber(11, 2);
                d.Click(12); // Test: spoken with what the form shows
                d.Click(13);
                d.SetNumber(14, 2); // below 0.5 s
                return XGFormDialog::kItemOK;
            });
            QCOMPARE(prefs.DoDialog(), 1);
            QCOMPARE(speech.record->Texts(), Texts{"This is how Vorn speaks."});
            QVERIFY((speech.record->said[0].settings == XGSpeechSettings{40, -30, 100, "beta"}));
            QVERIFY((XGSpeech::Get().GetSettings() == XGSpeechSettings{40, -30, 100, "beta"}));
            QVERIFY(prefs.i_access.scanB);
            QCOMPARE(prefs.i_access.scan_intervalL, 500);
        }
        CVornPrefs again;
        QVERIFY((again.i_access.speech == XGSpeechSettings{40, -30, 100, "beta"}));
        QVERIFY(again.i_access.scanB);
        QCOMPARE(again.i_access.scan_intervalL, 500);
        // The View menu's switch is stored at once.
        again.Set_ScanInGoMode(false);
        QVERIFY(!CVornPrefs().i_access.scanB);
    }

    // Values from a hand-edited store are kept in range; a voice no longer offered is kept.
    void storedValuesInRange_data() {
        QTest::addColumn<QString>("key");
        QTest::addColumn<int>("interval");
        QTest::addColumn<int>("rate");
        QTest::addColumn<QString>("text");
        QTest::newRow("interval too short") << "scan interval ms" << 500 << 0 << "10";
        QTest::newRow("interval too long") << "scan interval ms" << 5000 << 0 << "999999";
        QTest::newRow("rate too fast") << "speech rate" << 1500 << 100 << "7000";
        QTest::newRow("rate not a number") << "speech rate" << 1500 << 0 << "-x";
    }
    void storedValuesInRange() {
        QFETCH(QString, key);
        QFETCH(QString, text);
        {
            XGPreferences store(kVornPrefsVendor, kVornPrefsProduct, kVornPrefsVersion);
            store.SetString(key.toUtf8().constData(), text.toUtf8().constData());
            store.SetString("speech voice", "gone voice");
        }
        ScopedFakeSpeech speech;
        CVornPrefs prefs;
        QTEST(prefs.i_access.scan_intervalL, "interval");
        QTEST(int(prefs.i_access.speech.rateS), "rate");
        XGScopedFormResponder responder([](XGFormDialog& d) {
            // The stored voice, first after Default.
            return d.GetNumber(11) == 1 ? XGFormDialog::kItemOK : XGFormDialog::kItemCancel;
        });
        QCOMPARE(prefs.DoDialog(), 1);
        QCOMPARE(prefs.i_access.speech.voice, std::string("gone voice"));
    }
};

QTEST_MAIN(TestSpeech)
#include "tst_speech.moc"
