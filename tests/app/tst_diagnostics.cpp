// The log, memory tracking, the template formatter, assertions and the error dialogs.

#include "AlertRecorder.h"
#include "FormatSize.h"
#include "MemTracking.h"
#include "VornErrors.h"
#include "VornLog.h"
#include "XGAlert.h"
#include "XGAlertBox.h"
#include "XGAssert.h"
#include "XGFormat.h"
#include "XGResources.h"

#include <QApplication>
#include <QFile>
#include <QTimer>
#include <QWidget>
#include <QtTest>

#include <cstring>

using namespace yaaf;
using namespace vorntest;

namespace {

QByteArray ReadLog() {
    QFile f(QString::fromUtf8(kLogFileName));
    if (!f.open(QIODevice::ReadOnly)) return {};
    return f.readAll();
}

} // namespace

class TestDiagnostics : public QObject {
    Q_OBJECT

private slots:
    void init() {
        CloseLogFile();
        QFile::remove(QString::fromUtf8(kLogFileName));
        StartTracking();
    }
    void cleanup() { CloseLogFile(); }

    void yformatTemplates_data() {
        QTest::addColumn<QByteArray>("result");
        QTest::addColumn<QByteArray>("expected");
        auto row = [](const char* name, const std::string& got, const char* want) {
            QTest::newRow(name) << QByteArray(got.c_str()) << QByteArray(want);
        };
        row("assert text", yformatted("#S at #S(#L)", "x != 0", "Unit", 42), "x != 0 at Unit(42)");
        row("numbered", yformatted("#2S-#1S", "a", "b"), "b-a");
        row("running after numbered", yformatted("#2S #S #1S #S", "a", "b", "c"), "b c a b");
        row("four char code", yformatted("#I", 0x74657874u), "text");
        row("code unprintables", yformatted("#I", 0x41001F7Fu), "A...");
        row("hex", yformatted("#X", 255), "000000FF");
        row("hex negative", yformatted("#X", -1), "FFFFFFFF");
        row("long negative", yformatted("#L|#L", -2147483647 - 1, 0), "-2147483648|0");
        static const unsigned char pstr[] = {3, 'a', 'b', 'c', 'z'};
        row("length-prefixed", yformatted("[#P]", pstr), "[abc]");
        row("unknown letter", yformatted("#Q #s", "x"), "#Q #s");
        row("hash at end", yformatted("100#", "x"), "100#");
        row("hash hash", yformatted("##S", "x"), "##S");
        row("digit without letter", yformatted("#1x #0S", "x"), "#1x #0S");
        row("more directives than args", yformatted("#S/#S/#L", "only"), "only//");
        row("number beyond args", yformatted("<#9S><#3L>", "a", "b"), "<><>");
        row("no args at all", yformatted("open #1S."), "open .");
        row("wrong kind writes nothing", yformatted("#L#S", "text", 5), "");
        row("percent is plain text", yformatted("100% #S", "%s%n"), "100% %s%n");
        row("tenth argument is not taken",
            yformatted("#S#S#S#S#S#S#S#S#S#S", 1, 2, 3, 4, 5, 6, 7, 8, 9, "ten"), "");
    }
    void yformatTemplates() {
        QFETCH(QByteArray, result);
        QTEST(result, "expected");
    }
    void yformatSizedBufferNeverOverruns() {
        char buffer[16];
        std::memset(buffer, '*', sizeof buffer);
        const size_t full = yformat(buffer, 8, "#S at #S(#L)", "condition", "Unit", 505);
        QCOMPARE(full, std::strlen("condition at Unit(505)"));
        QCOMPARE(QByteArray(buffer), QByteArray("conditi"));
        for (size_t i = 8; i < sizeof buffer; ++i)
            QCOMPARE(buffer[i], '*');

        // A buffer of one byte holds just the terminator; none at all is left untouched.
        std::memset(buffer, '*', sizeof buffer);
        yformat(buffer, 1, "#S", "abc");
        QCOMPARE(buffer[0], '\0');
        QCOMPARE(buffer[1], '*');
        buffer[0] = '!';
        yformat(buffer, 0, "#S", "abc");
        QCOMPARE(buffer[0], '!');
    }
    void formatSize_data() {
        QTest::addColumn<uint>("bytes");
        QTest::addColumn<QString>("text");
        QTest::newRow("zero") << 0u << "0 K";
        QTest::newRow("one") << 1u << "1 b";
        QTest::newRow("999") << 999u << "999 b";
        QTest::newRow("1000") << 1000u << "1 K";
        QTest::newRow("1025") << 1025u << "1.0 K";
        QTest::newRow("1536") << 1536u << "1.5 K";
        QTest::newRow("just under 1000 K") << 1023998u << "999 K";
        QTest::newRow("1000 K") << 1023999u << "1 MB";
        QTest::newRow("2 MB") << 2097152u << "2.0 MB";
        // Rounding up must not wrap the largest count around to nothing.
        QTest::newRow("largest") << 0xFFFFFFFFu << "4096 MB";
    }
    void formatSize() {
        QFETCH(uint, bytes);
        QTEST(QString::fromStdString(FormatSize(bytes)), "text");
    }

    void logWritesTextUnchangedAndAppends() {
        Log("nothing to see while off\n");
        QVERIFY(!QFile::exists(QString::fromUtf8(kLogFileName)));
        OpenLogFile();
        QVERIFY(LogIsOpen());
        Log("100% done %s %d\n");
        Log_Number(-32768);
        // Flushed per write: readable while still open.
        QCOMPARE(ReadLog(), QByteArray("100% done %s %d\n-32768"));
        CloseLogFile();
        Log("while off\n");
        OpenLogFile();
        Log("\nagain");
        CloseLogFile();
        QCOMPARE(ReadLog(), QByteArray("100% done %s %d\n-32768\nagain"));
    }

    void doubleReleaseIsReportedAsUntracked() {
        AlertRecorder alerts(0);
        void* p = TrackNewPtrClear("scratch", 100);
        QCOMPARE(static_cast<unsigned char*>(p)[99], 0);
        TrackDisposePtr(p);
        QVERIFY(alerts.alerts.empty());

        TrackDisposePtr(p); // must be reported, not released a second time
        QCOMPARE(alerts.Count("Error:|Disposing an untracked Pointer."), 1);
        QCOMPARE(gTrackPtrs.totalSizeL, 0);
        TrackDisposePtr(nullptr);
        TrackDisposeHandle(nullptr);
        QCOMPARE(alerts.Count("Disposing a NULL Pointer, eh?"), 1);
        QCOMPARE(alerts.Count("Disposing a NULL Handle, eh?"), 1);
        QVERIFY(!TrackNewPtr("negative", -1));
        QVERIFY(gTrackPtrs.tracksA.empty());
    }
    void reportListsLostBlocks() {
        AlertRecorder alerts(0);
        OpenLogFile();
        void* kept = TrackNewPtr("item title", 2048);
        void* freed = TrackNewPtr("temp", 10);
        TrackDisposePtr(freed);
        ReportTracking();
        QCOMPARE(alerts.size(), size_t(1));
        QCOMPARE(alerts.Count("Error:|Lost 1 Pointers totalling 2.0 K in size.\n"), 1);
        const QByteArray expected = "---- Tracking Info ----\n"
                                    "Tracked a maximum of 0 Handles.  Peak useage: 0 K\n"
                                    "Lost 0 Handles totalling 0 K in size.\n"
                                    "\n"
                                    "Tracked a maximum of 2 Pointers.  Peak useage: 2.0 K\n"
                                    "  Lost a \xD2item title\xD3 Pointer, that was 2.0 K in size.\n"
                                    "\n";
        QCOMPARE(ReadLog(), expected);
        TrackDisposePtr(kept);
    }
    void reportWithNothingLostShowsNoDialog() {
        AlertRecorder alerts(0);
        OpenLogFile();
        for (int i = 0; i < 3; ++i)
            TrackDisposePtr(TrackNewPtr("block", 1000));
        ReportTracking();
        QVERIFY(alerts.alerts.empty());
        QVERIFY(ReadLog().contains("Tracked a maximum of 1 Pointers.  Peak useage: 1 K\n"
                                   "Lost 0 Pointers totalling 0 K in size.\n"));
    }
    void handleTracking() {
        AlertRecorder alerts(0);
        XGHandle* slot = nullptr;
        XGHandle* h = TrackNewHandle("line table", 64, &slot);
        QVERIFY(h && slot == h);
        // A handle already in the slot is tracked rather than replaced.
        XGHandle* existing = new XGHandle(10);
        XGHandle* slot2 = existing;
        QCOMPARE(TrackNewHandleClear("text", 10, &slot2), existing);
        QCOMPARE(gTrackHandles.totalSizeL, 74);
        TrackDisposeHandle(h);
        TrackDisposeHandle(existing);
        QVERIFY(alerts.alerts.empty() && gTrackHandles.tracksA.empty());
        // A pointer is not a handle: releasing it as one is reported and leaves it alone.
        void* p = TrackNewPtr("pointer", 8);
        TrackDisposeHandle(static_cast<XGHandle*>(p));
        QCOMPARE(alerts.Count("Disposing an untracked Handle."), 1);
        TrackDisposePtr(p);
        QCOMPARE(alerts.size(), size_t(1));
    }

    void errorMessagesFromResource_data() {
        QTest::addColumn<int>("code");
        QTest::addColumn<QString>("shown"); // title|text
        QTest::newRow("first")
            << 0x800001
            << "Open File Error|A problem occured while trying to open My Board.2dv. The file "
               "may be open by another application.";
        QTest::newRow("read")
            << int(kErr_ReadFile)
            << "Read File Error|A problem occured while trying to read My Board.2dv. The file "
               "may be corrupted.";
        QTest::newRow("index 7") << 0x800007 << "|";
        QTest::newRow("index 0") << 0x800000 << "|";
        QTest::newRow("missing resource") << 0x810001 << "|";
        QTest::newRow("negative code") << int(0xFFFF0001) << "|";
    }
    void errorMessagesFromResource() {
        QFETCH(int, code);
        AlertRecorder alerts(0);
        Error(code, "My Board.2dv");
        QCOMPARE(alerts.size(), size_t(1));
        QVERIFY(alerts[0].kind == XGAlertKind::kError && alerts[0].buttons.size() == 1);
        QTEST(QString::fromStdString(alerts[0].title + "|" + alerts[0].text), "shown");
    }

    void saveAlertAnswers_data() {
        QTest::addColumn<int>("button");
        QTest::addColumn<int>("answer");
        QTest::newRow("don't save") << 0 << int(SaveAlert_DONT_SAVE);
        QTest::newRow("cancel") << 1 << int(SaveAlert_CANCEL);
        QTest::newRow("save") << 2 << int(SaveAlert_SAVE);
        QTest::newRow("closed") << -1 << int(SaveAlert_CANCEL);
    }
    void saveAlertAnswers() {
        QFETCH(int, button);
        QFETCH(int, answer);
        AlertRecorder alerts(0);
        alerts.answer = button;
        QCOMPARE(SaveAlert("50% plan"), answer);
        const XGAlertRequest& r = alerts.alerts.at(0);
        QCOMPARE(r.title, std::string("Save Changes?"));
        QCOMPARE(r.text, std::string("Save changes to the document \"50% plan\" before closing?"));
        QCOMPARE(r.buttons.at(r.defaultIndex).label, std::string("Save"));
        QCOMPARE(r.buttons.at(r.cancelIndex).label, std::string("Cancel"));
        QCOMPARE(XGAlertButtonForKey(r, 'd'), 0);
        QCOMPARE(XGAlertButtonForKey(r, 'S'), 2);
        QCOMPARE(XGAlertButtonForKey(r, 'c'), -1);
    }
    void saveAlertKeysPressButtonsInRealBox() {
        // Shows the real message box on the offscreen platform and types at it.
        XGInstallAlertBoxes();
        qputenv("VORN_ALERTS", "show");
        auto typeKey = [](Qt::Key key) {
            QTimer::singleShot(0, [key] {
                QWidget* box = QApplication::activeModalWidget();
                QVERIFY(box);
                QTest::keyClick(box, key);
            });
        };
        typeKey(Qt::Key_D);
        QCOMPARE(SaveAlert("a"), int(SaveAlert_DONT_SAVE));
        typeKey(Qt::Key_S);
        QCOMPARE(SaveAlert("a"), int(SaveAlert_SAVE));
        typeKey(Qt::Key_Escape);
        QCOMPARE(SaveAlert("a"), int(SaveAlert_CANCEL));
        typeKey(Qt::Key_Return);
        QCOMPARE(SaveAlert("a"), int(SaveAlert_SAVE));
        qunsetenv("VORN_ALERTS");
        // Without a responder on the offscreen platform nothing is shown and nothing is lost.
        QCOMPARE(SaveAlert("a"), int(SaveAlert_CANCEL));
    }

    void fatalAssertionThrows() {
        int a = 0;
        try {
            YAAF_ASSERT(a != 0);
            QFAIL("no exception");
        } catch (const XGYAAFUnexpected& e) {
            const std::string text = e.what();
            QVERIFY2(text.rfind("Unexpected error a != 0 at tst_diagnostics(", 0) == 0, e.what());
        }
        QVERIFY_THROWS_EXCEPTION(XGYAAFError, YAAFInlineError("specP == NULL", "TVornApp", 505));
    }
    // Reported assertions and errors show and go on; their texts are no formats.
    void reportsShowAndGoOn() {
        AlertRecorder alerts(0);
        YAAFInlineError_Dlg("specP == NULL", "TVornApp", 505);
        XGReportAssertion("memberB", "TVornModel", 7);
        YAAF_ASSERT_DLG(1 + 1 == 2);
        QCOMPARE(alerts.size(), size_t(2));
        QCOMPARE(alerts.Count("Assert Fail:|specP == NULL at TVornApp(505)"), 1);
        QCOMPARE(alerts[1].text, std::string("memberB at TVornModel(7)"));
        ReportErrorStr(-1, "a");
        ReportErrorStr(12, "b %s");
        Warning("Careful", "c");
        QCOMPARE(alerts.Count("Error:|a"), 1);
        QCOMPARE(alerts.Count("Error: 12|b %s"), 1);
        QCOMPARE(alerts.alerts.at(4).kind, XGAlertKind::kCaution);
    }
};

QTEST_MAIN(TestDiagnostics)
#include "tst_diagnostics.moc"
