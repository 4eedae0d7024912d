// Switch scanning and the keyboard highlight of a board in Go Mode, on a real board window with
// a text window as the target: the order of the highlight (hidden, locked and line-break items
// left out, rows first on flat columns), the switches and the arrows as key presses, time moved
// by hand, the interval changed while scanning, the mark on the screen, and what Go Mode clicks
// generate and speak.
#include "BoardGlobals.h"
#include "CVornPrefs.h"
#include "ManualClock.h"
#include "ShownBoard.h"
#include "SpeechDouble.h"
#include "TextFixture.h"
#include "VornScanner.h"

#include <QImage>
#include <QtTest>

#include <functional>
#include <memory>
#include <string>
#include <vector>

using namespace yaaf;
using namespace vorntest;

namespace {

constexpr int32 kInterval = 1500;

// "title", "title/h" (hidden), "title/l" (locked); "\r" is a line break.
using Specs = std::vector<std::string>;

// The application's preferences while the object lives, scanning as asked.
struct InstalledPrefs : CVornPrefs {
    explicit InstalledPrefs(bool scanB) {
        i_access.scanB = scanB;
        i_access.scan_intervalL = kInterval;
        gVornPrefsP = this;
    }
    ~InstalledPrefs() { gVornPrefsP = nullptr; }
};

std::vector<ItemSpec> Places(const Specs& specs) {
    std::vector<ItemSpec> items;
    for (const std::string& spec : specs)
        items.push_back({spec.substr(0, spec.find('/')),
                         tagRECT{20 + 70 * int32(items.size()), 40, 70 + 70 * int32(items.size()), 60}});
    return items;
}

// A board in Go Mode in a shown window, typing into a text window, with the application's
// preferences and time in the test's hands.
struct ScanBoard {
    explicit ScanBoard(const Specs& specs, O_ViewAsType viewAs = O_ViewAs_FREEFORM, bool scanB = true)
        : prefs(scanB), board(Places(specs), viewAs), modelP(board.modelP), viewP(board.viewP),
          ev(board.ev.get()) {
        for (size_t i = 0; i < specs.size(); ++i) {
            CVornItem* itemP = modelP->i_list->GetIndItem(int32(i));
            if (specs[i].find("/h") != std::string::npos) itemP->i_b.set_hiddenB(true);
            if (specs[i].find("/l") != std::string::npos) itemP->i_b.set_lockedB(true);
        }
        modelP->i_prefs.b.set_sep_linesB(false); // generated words end in a blank
        modelP->i_target_controllerP = text.form;
        viewP->DoMenuCommand(kVornCmd_GoMode);
        viewP->DoPeriodic(); // scanning starts with the tick
    }

    CVornScanner* Scanner() const { return viewP->GetScanner(); }
    // What is highlighted: a title, or the titles of a row joined by "+"; "-" for nothing.
    std::string Shown() const {
        std::string out;
        for (CVornItem* itemP : Scanner()->Highlighted())
            out += (out.empty() ? "" : "+") + itemP->GetName(Vorn_Ref_SRC);
        return out.empty() ? "-" : out;
    }
    // What the highlight shows after each of n intervals.
    std::string Run(int n) {
        std::string out = Shown();
        for (int i = 0; i < n; ++i) {
            clock.Advance(kInterval);
            out += " " + Shown();
        }
        return out;
    }
    QString Typed() const { return QString::fromStdString(text.Text()); }
    QImage Grab() const { return viewP->GetWidget()->grab().toImage(); }

    ManualClock clock; // first: the scanner takes its timer from it
    InstalledPrefs prefs;
    TextFixture text;
    ShownBoard board;
    TVornModel* modelP;
    TVornView* viewP;
    ViewEvents* ev;
};

using Script = std::function<void(ScanBoard&)>;

} // namespace

Q_DECLARE_METATYPE(Script)
Q_DECLARE_METATYPE(Specs)

class TestScanning : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<BoardGlobals> fGlobals;

private slots:
    void initTestCase() {
        CVornPrefs::s_ShiftDownProc = [] { return false; };
        fGlobals = std::make_unique<BoardGlobals>();
        RegisterBoardWindowViews();
        RegisterTextViews();
    }
    void cleanupTestCase() { fGlobals.reset(); }

    // The highlight at the start and after each interval.
    void order_data() {
        QTest::addColumn<Specs>("items");
        QTest::addColumn<bool>("flatB");
        QTest::addColumn<QString>("shown");
        QTest::newRow("freeform, board order, hidden and locked left out")
            << Specs{"a", "b/h", "c/l", "d", "e"} << false << "a d e a d";
        QTest::newRow("flat columns: rows first")
            << Specs{"a", "b", "\r", "c", "d", "\r", "e"} << true << "a+b c+d e a+b c+d";
        QTest::newRow("flat columns, one row: items at once") << Specs{"a", "b", "c"} << true << "a b c a b";
        QTest::newRow("flat columns: a row of hidden items is no row")
            << Specs{"a", "\r", "b/h", "c/l", "\r", "d"} << true << "a d a d a";
        QTest::newRow("nothing to scan") << Specs{"x/h", "y/l", "\r"} << false << "- - - - -";
        QTest::newRow("empty board") << Specs{} << true << "- - - - -";
    }
    void order() {
        QFETCH(Specs, items);
        QFETCH(bool, flatB);
        QFETCH(QString, shown);
        ScanBoard b(items, flatB ? O_ViewAs_FLAT_COL : O_ViewAs_FREEFORM);
        QCOMPARE(QString::fromStdString(b.Run(4)), shown);
    }

    // Switch presses and arrow keys as key events, time moved by hand: what was typed into the
    // text, in brackets, and what is highlighted at the end.
    void switches_data() {
        QTest::addColumn<Specs>("items");
        QTest::addColumn<bool>("flatB");
        QTest::addColumn<bool>("scanB");
        QTest::addColumn<QString>("after");
        QTest::addColumn<Script>("script");
        const Specs abc{"a", "b", "c"};
        const Specs rows{"a", "b", "\r", "c", "d", "\r", "e"};
        QTest::newRow("Space generates what is highlighted, scanning starts again")
            << abc << false << true << "[b ] a" << Script([](ScanBoard& b) {
                   b.clock.Advance(kInterval);
                   b.ev->Key(Qt::Key_Space);
               });
        QTest::newRow("Tab steps by hand; the next step waits a whole interval")
            << abc << false << true << "[] c" << Script([](ScanBoard& b) {
                   b.clock.Advance(kInterval - 100);
                   b.ev->Key(Qt::Key_Tab);
                   QCOMPARE(b.Shown(), std::string("b"));
                   b.clock.Advance(kInterval - 1);
                   QCOMPARE(b.Shown(), std::string("b"));
                   b.clock.Advance(1);
               });
        QTest::newRow("Shift+Tab steps back")
            << abc << false << true << "[] c"
            << Script([](ScanBoard& b) { b.ev->Key(Qt::Key_Backtab, Qt::ShiftModifier); });
        QTest::newRow("other keys are typed")
            << abc << false << true << "[xy] a" << Script([](ScanBoard& b) { b.ev->Type("xy"); });
        QTest::newRow("rows: choose the second row, then its second item")
            << rows << true << true << "[d ] a+b" << Script([](ScanBoard& b) {
                   b.clock.Advance(kInterval);
                   b.ev->Key(Qt::Key_Space); // the row c+d
                   QCOMPARE(b.Shown(), std::string("c"));
                   b.clock.Advance(kInterval);
                   b.ev->Key(Qt::Key_Space);
               });
        QTest::newRow("rows: a pass over a row without a choice goes back to it")
            << rows << true << true << "[] c+d" << Script([](ScanBoard& b) {
                   b.ev->Key(Qt::Key_Space);
                   b.clock.Advance(2 * kInterval);
                   QCOMPARE(b.Shown(), std::string("a+b"));
                   b.clock.Advance(kInterval);
               });
        QTest::newRow("scanning off: arrows move, Return generates, Escape gives Space back")
            << abc << false << false << "[ b  ] -" << Script([](ScanBoard& b) {
                   QCOMPARE(b.Shown(), std::string("-"));
                   b.ev->Key(Qt::Key_Space); // typed: nothing is highlighted
                   b.ev->Key(Qt::Key_Right); // shows the first item
                   b.ev->Key(Qt::Key_Right);
                   b.clock.Advance(10 * kInterval); // it does not move by itself
                   b.ev->Key(Qt::Key_Return);
                   b.ev->Key(Qt::Key_Left);
                   b.ev->Key(Qt::Key_Left);
                   QCOMPARE(b.Shown(), std::string("c"));
                   b.ev->Key(Qt::Key_Escape);
                   b.ev->Key(Qt::Key_Space);
               });
        QTest::newRow("scanning off: Up and Down go to the nearest item that way")
            << abc << false << false << "[] a" << Script([](ScanBoard& b) {
                   // c below a, b beside it
                   b.Scanner()->Order()[2]->i_boundsR = tagRECT{20, 140, 70, 160};
                   b.ev->Key(Qt::Key_Down); // shows a
                   b.ev->Key(Qt::Key_Down);
                   QCOMPARE(b.Shown(), std::string("c"));
                   b.ev->Key(Qt::Key_Down); // nothing further down
                   b.ev->Key(Qt::Key_Up);
               });
        QTest::newRow("a click released inside generates")
            << abc << false << false << "[b ] -"
            << Script([](ScanBoard& b) { b.ev->Click(b.board.Center("b")); });
        QTest::newRow("a double click generates once")
            << abc << false << false << "[b ] -"
            << Script([](ScanBoard& b) { b.ev->DoubleClick(b.board.Center("b")); });
        QTest::newRow("a click released outside generates nothing")
            << abc << false << false << "[] -" << Script([](ScanBoard& b) {
                   b.ev->Press(b.board.Center("b"));
                   b.ev->Move(QPoint(600, 450));
                   b.ev->Release(QPoint(600, 450));
               });
        QTest::newRow("nothing to scan: the switches are typed")
            << Specs{"x/l", "y/h"} << false << true << "[ \t] -" << Script([](ScanBoard& b) {
                   b.ev->Key(Qt::Key_Space);
                   b.ev->Key(Qt::Key_Right);
                   b.ev->Key(Qt::Key_Tab);
               });
    }
    void switches() {
        QFETCH(Specs, items);
        QFETCH(bool, flatB);
        QFETCH(bool, scanB);
        QFETCH(QString, after);
        QFETCH(Script, script);
        ScanBoard b(items, flatB ? O_ViewAs_FLAT_COL : O_ViewAs_FREEFORM, scanB);
        script(b);
        QCOMPARE("[" + b.Typed() + "] " + QString::fromStdString(b.Shown()), after);
        // The board's own history holds only the switch to Go Mode.
        b.viewP->SetStacks(false);
        QCOMPARE(UndoUnits(), 1);
    }

    // A new interval counts from the last step; the preference turned off stops the highlight.
    void preferencesWhileScanning() {
        ScanBoard b({"a", "b", "c", "d"});
        b.clock.Advance(1000);
        b.prefs.i_access.scan_intervalL = 500;
        b.viewP->DoPeriodic();
        b.clock.Advance(0); // the step under way has lasted longer already
        QCOMPARE(b.Shown(), std::string("b"));
        b.clock.Advance(499);
        QCOMPARE(b.Shown(), std::string("b"));
        b.clock.Advance(1);
        QCOMPARE(b.Shown(), std::string("c"));
        b.prefs.i_access.scan_intervalL = 5000;
        b.viewP->DoPeriodic();
        b.clock.Advance(4999);
        QCOMPARE(b.Shown(), std::string("c"));
        b.clock.Advance(1);
        QCOMPARE(b.Shown(), std::string("d"));
        b.prefs.Set_ScanInGoMode(false);
        b.viewP->DoPeriodic();
        QCOMPARE(b.Shown(), std::string("-"));
        QCOMPARE(b.Scanner()->NextDueMs(), int64(-1));
        // Leaving Go Mode leaves nothing to scan.
        b.prefs.Set_ScanInGoMode(true);
        b.viewP->DoPeriodic();
        QCOMPARE(b.Shown(), std::string("a"));
        b.viewP->DoMenuCommand(kVornCmd_EditMode);
        b.viewP->DoPeriodic();
        QCOMPARE(b.Shown(), std::string("-"));
        b.clock.Advance(10 * kInterval);
        QCOMPARE(b.Shown(), std::string("-"));
    }

    // The mark: the item's own highlight, six pixels wide outside the item, on the screen only.
    void markOnScreen() {
        ScanBoard b({"a", "b"}, O_ViewAs_FREEFORM, false);
        const QImage before = b.Grab();
        b.ev->Key(Qt::Key_Right);
        const QImage after = b.Grab();
        const tagRECT r = b.Scanner()->Highlighted().front()->GetScreenBounds();
        const int midV = (r.top + r.bottom) / 2;
        for (int d : {1, 3, 6}) {
            QVERIFY2(before.pixel(r.left - d, midV) != after.pixel(r.left - d, midV),
                     qPrintable(QString::number(d)));
            QVERIFY(before.pixel(r.right + d - 1, midV) != after.pixel(r.right + d - 1, midV));
        }
        QCOMPARE(after.pixel(r.left - 8, midV), before.pixel(r.left - 8, midV));
        QCOMPARE(after.pixel((r.left + r.right) / 2, midV), before.pixel((r.left + r.right) / 2, midV));
        // Gone again with Escape, the board as it was.
        b.ev->Key(Qt::Key_Escape);
        QCOMPARE(b.Grab(), before);
        // What a screen reader calls the board.
        QCOMPARE(b.viewP->GetAccessibleName(), std::string("Board"));
    }

    // What a Go Mode click speaks: the generated title, in order, with the settings in force;
    // a line break nothing; text that is not UTF-8 as Latin-1; never before the text is typed.
    void speechOfClicks() {
        ScopedFakeSpeech speech;
        ScanBoard b({"Cat", "caf\xe9", "\r", "Dog"}, O_ViewAs_FREEFORM, false);
        b.modelP->i_prefs.b.set_speakB(true);
        const XGSpeechSettings settings{30, 0, 90, "beta"};
        XGSpeech::Get().SetSettings(settings);
        // Every item shown, the line break among them, in the board's order.
        for (int32 i = 0; i < b.modelP->i_hiddenA->Count(); ++i) {
            const tagRECT r = b.modelP->i_hiddenA->GetIndItem(i)->GetScreenBounds();
            b.ev->Click(QPoint((r.left + r.right) / 2, (r.top + r.bottom) / 2));
        }
        // Speech is asynchronous: the words are typed, nothing is said yet.
        QVERIFY(b.Typed().startsWith("Cat "));
        QVERIFY(b.Typed().endsWith("Dog "));
        QVERIFY(speech.record->said.empty());
        speech.Drain();
        QCOMPARE(speech.record->Texts(), (std::vector<std::string>{"Cat", "caf\xc3\xa9", "Dog"}));
        for (const auto& u : speech.record->said)
            QVERIFY(u.settings == settings);
    }
};

QTEST_MAIN(TestScanning)
#include "tst_scanning.moc"
