// The undo engine with task procedures of the test's own: a toggling counter task and a
// "typing" task that merges into a typing task right before it.

#include "AlertRecorder.h"
#include "CDo.h"
#include "CDoStacksOwner.h"
#include "CDoTask.h"
#include "CVornPrefs.h"
#include "XGAlert.h"
#include "XGDocument.h"

#include <QtTest>

#include <memory>
#include <string>
#include <vector>

namespace {

// Disposals per record, by the record's number; each must be disposed exactly once.
std::vector<int> s_disposals;

int NewRecordId() {
    s_disposals.push_back(0);
    return int(s_disposals.size()) - 1;
}
std::vector<std::string> s_runs; // labels of the task runs, in order

struct CounterRec {
    int* counterP;
    int deltaL;
    std::string label;
    int idL = NewRecordId();
};

yaaf::int32 CounterProc(CDoTask*, CDoTask* taskP, bool*) {
    auto* recP = static_cast<CounterRec*>(taskP->i_dataP);
    *recP->counterP += recP->deltaL;
    recP->deltaL = -recP->deltaL;
    s_runs.push_back(recP->label);
    return 0;
}

template <class Rec> void Dispose(CDoTask* taskP) {
    auto* recP = static_cast<Rec*>(taskP->i_dataP);
    ++s_disposals[recP->idL];
    delete recP;
}

// Adds delta to counter as a new task.
bool DoCounter(int& counter, int delta, const char* nameZ, std::string label = {}) {
    auto* recP = new CounterRec{&counter, delta, label.empty() ? std::to_string(delta) : label};
    return CDoTask::DoNewTask(&CounterProc, nameZ, &Dispose<CounterRec>, recP);
}

struct TypingRec {
    std::string* docP;
    std::string text;
    bool doneB;
    int idL = NewRecordId();
};

yaaf::int32 TypingProc(CDoTask* prev_taskP0, CDoTask* taskP, bool* collapseBP) {
    auto* recP = static_cast<TypingRec*>(taskP->i_dataP);
    if (prev_taskP0 && prev_taskP0->i_task_procP == &TypingProc) {
        auto* prevP = static_cast<TypingRec*>(prev_taskP0->i_dataP);
        if (prevP->doneB && prevP->docP == recP->docP) {
            recP->docP->append(recP->text);
            prevP->text += recP->text;
            *collapseBP = true;
            return 0;
        }
    }
    if (recP->doneB)
        recP->docP->resize(recP->docP->size() - recP->text.size());
    else
        recP->docP->append(recP->text);
    recP->doneB = !recP->doneB;
    return 0;
}

void Type(std::string& doc, const char* textZ) {
    auto* recP = new TypingRec{&doc, textZ, false};
    CDoTask::DoNewTask(&TypingProc, "Typing", &Dispose<TypingRec>, recP);
}

int Disposed() {
    int n = 0;
    for (int count : s_disposals)
        n += count;
    return n;
}

QString MenuText(CDo_Type type) {
    char buf[kCDo_MenuTextSize];
    return QString::fromLatin1(gDo->GetString(type, buf));
}

int Count(DoStacksContainer& pair, CDo_Type type) {
    return pair.stack[type]->Count();
}

int AssertCount(const char* condition) {
    int n = 0;
    for (const auto& alert : yaaf::XGRecentAlerts())
        if (alert.title == "Assert Fail:" && QString::fromStdString(alert.text).startsWith(condition)) ++n;
    return n;
}

CDoTask* Mark(bool groupB, const char* nameZ = nullptr) {
    return new CDoTask(groupB ? &CDo::GroupMarkProc : &CDo::PartitionMarkProc, nameZ, nullptr, nullptr);
}

// A stack built from a pattern: 'T' task, 'G' group mark, 'P' partition mark.
void Fill(CDoStack& stack, const char* patternZ) {
    for (const char* p = patternZ; *p; ++p)
        stack.Append(*p == 'T' ? new CDoTask(nullptr, "task", nullptr, nullptr) : Mark(*p == 'G', "g"));
}

QString Pattern(const CDoStack& stack) {
    QString s;
    for (const CDoTask* taskP : stack)
        s += taskP->IsGroupMark() ? 'G' : taskP->IsPartitionMark() ? 'P' : 'T';
    return s;
}

// What the scripts change: typed text and a counter in the history, a view setting beside it.
struct Doc {
    std::string text;
    int counter = 0;
    int view = 0;
    std::string State() const { return text + "|" + std::to_string(counter); }
};

// One step of a script: t types a letter (typing merges), n a partition mark, c a counter task,
// ( and ) open and close a group, g a group of two, f a view-only task, u undo, r redo, x clears
// the stacks.
void Step(Doc& doc, char op, int i) {
    switch (op) {
    case 't': {
        // Each letter another, so that no later typing gives an earlier text by chance.
        const char letter[2] = {char('a' + i % 26), 0};
        Type(doc.text, letter);
        break;
    }
    case 'n':
        gDo->ForceNotCollapse();
        break;
    case 'c':
        DoCounter(doc.counter, 1 << i, "Add"); // a bit of its own: every mix of tasks sums apart
        break;
    case '(':
        gDo->StartGroup("Group");
        break;
    case ')':
        gDo->EndGroup("Group");
        break;
    case 'g': {
        CDo_ScGroup group("Two");
        DoCounter(doc.counter, 256 << i, "In");
        DoCounter(doc.counter, 512 << i, "In");
        break;
    }
    case 'f':
        CDoTask::DoNewTask(&CounterProc, "Zoom", &Dispose<CounterRec>, new CounterRec{&doc.view, 1, "view"},
                           false);
        break;
    case 'u':
        gDo->Do(CDo_Type_UNDO);
        break;
    case 'r':
        gDo->Do(CDo_Type_REDO);
        break;
    case 'x':
        gDo->DisposeActiveStacks();
        break;
    default:
        QFAIL("unknown step");
    }
}

} // namespace

class TstUndo : public QObject {
    Q_OBJECT

    std::unique_ptr<CVornPrefs> i_prefsP;
    std::unique_ptr<CDo> i_doP;
    std::unique_ptr<DoStacksOwner> i_ownerP;
    std::unique_ptr<vorntest::AlertRecorder> i_alertsP;

    DoStacksContainer& Pair() { return i_ownerP->i_do_stacks; }

private slots:
    void initTestCase() {
        CVornPrefs::s_ShiftDownProc = [] { return false; };
        i_prefsP = std::make_unique<CVornPrefs>();
        gVornPrefsP = i_prefsP.get();
    }
    void cleanupTestCase() {
        gVornPrefsP = nullptr;
        i_prefsP.reset();
    }

    void init() {
        i_alertsP = std::make_unique<vorntest::AlertRecorder>(0);
        yaaf::XGClearRecentAlerts();
        gVornPrefsP->i_prefs.num_undoS = 20;
        s_disposals.clear();
        s_runs.clear();
        i_doP = std::make_unique<CDo>();
        gDo = i_doP.get();
        i_ownerP = std::make_unique<DoStacksOwner>();
        i_ownerP->SetStacks(false);
    }

    void cleanup() {
        i_ownerP.reset();
        QVERIFY(gDo->GetActiveStacks() == nullptr);
        QCOMPARE(gDo->GetGroupLevel(), 0);
        i_doP.reset();
        QVERIFY(gDo == nullptr);
        // Every record is disposed once and only once.
        for (int count : s_disposals)
            QCOMPARE(count, 1);
        i_alertsP.reset();
    }

    void groupUndoesAsOneAndRedoesInOrder() {
        int counter = 0;
        DoCounter(counter, 1000, "Before");
        gDo->StartGroup("Shuffle");
        DoCounter(counter, 1, "a", "a");
        DoCounter(counter, 10, "b", "b");
        gDo->ForceNotCollapse(); // a mark inside a group
        DoCounter(counter, 100, "c", "c");
        gDo->EndGroup("Shuffle");
        s_runs.clear();
        gDo->Do(CDo_Type_UNDO);
        QCOMPARE(counter, 1000);
        QCOMPARE(s_runs, (std::vector<std::string>{"c", "b", "a"}));
        QCOMPARE(MenuText(CDo_Type_UNDO), QString("Undo Before"));

        s_runs.clear();
        gDo->Do(CDo_Type_REDO);
        QCOMPARE(counter, 1111);
        QCOMPARE(s_runs, (std::vector<std::string>{"a", "b", "c"}));
        QCOMPARE(MenuText(CDo_Type_UNDO), QString("Undo Shuffle"));
        QCOMPARE(AssertCount(""), 0);
    }

    // The stacks after a script (see Step), with the pair's undo depth; redo as a pattern too.
    void scripts_data() {
        QTest::addColumn<QString>("script");
        QTest::addColumn<int>("depth");
        QTest::addColumn<QString>("undo");
        QTest::addColumn<QString>("redo");
        QTest::addColumn<int>("disposed");
        QTest::addColumn<QString>("menus"); // undo|redo
        QTest::addColumn<QString>("state");
        auto row = [](const char* name, const QString& script, int depth, const char* undo,
                      const QString& redo, int disposed, const char* menus, const char* state) {
            QTest::newRow(name) << script << depth << undo << redo << disposed << menus << state;
        };
        const char* typing = "Undo Typing|Can't Redo ";
        // Trimming drops the oldest: undoing everything leaves what they did.
        row("20 kept of 25", QString(25, 'c') + QString(22, 'u'), 20, "", QString(20, 'T'), 5,
            "Can't Undo |Redo Add", "|31");
        row("depth 1 keeps the newest", "ccccuu", 1, "", "T", 3, "Can't Undo |Redo Add", "|7");
        row("0 acts as 1", "cccc", 0, "T", "", 3, "Undo Add|Can't Redo ", "|15");
        row("negative acts as 1", "cccc", -20, "T", "", 3, "Undo Add|Can't Redo ", "|15");
        row("typing merges, the merged go at once", "ttt", 20, "T", "", 2, typing, "abc|0");
        // The menu names the task below the mark, and asking must not move the mark away.
        row("a mark on top", "tttn", 20, "TP", "", 2, typing, "abc|0");
        row("merging stops at a mark", "tttntt", 20, "TPT", "", 3, typing, "abcef|0");
        row("undo stops at the mark", "tttnttu", 20, "T", "TP", 3, "Undo Typing|Redo Typing", "abc|0");
        row("undo past the mark", "tttnttuu", 20, "", "TPT", 3, "Can't Undo |Redo Typing", "|0");
        row("redo both", "tttnttuurr", 20, "TPT", "", 3, typing, "abcef|0");
        row("marks never count", "cncncncncn", 2, "TPTP", "", 3, "Undo Add|Can't Redo ", "|341");
        row("a fenced change at the smallest depth", "cncn", 1, "TP", "", 1, "Undo Add|Can't Redo ", "|5");
        // Tasks inside an open group never push out what lies below it.
        row("trimming around an open group", "ccc(ccccc)", 3, "TTGTTTTTG", "", 1, "Undo Group|Can't Redo ",
            "|503");
        row("then the group counts as one", "ccc(ccccc)c", 3, "TGTTTTTGT", "", 2, "Undo Add|Can't Redo ",
            "|1527");
        row("nested groups fold into the outermost", "(c(c)c)", 20, "GTTTG", "", 0, "Undo Group|Can't Redo ",
            "|42");
        row("and undo as one", "(c(c)c)u", 20, "", "GTTTG", 0, "Can't Undo |Redo Group", "|0");
        row("a new task clears redo", "ccuucr", 20, "T", "", 2, "Undo Add|Can't Redo ", "|16");
        row("a mark clears redo", "ccun", 20, "TP", "", 1, "Undo Add|Can't Redo ", "|1");
        row("clearing empties both stacks", "ccnux", 20, "", "", 2, "Can't Undo |Can't Redo ", "|1");
    }
    void scripts() {
        QFETCH(QString, script);
        QFETCH(int, depth);
        gVornPrefsP->i_prefs.num_undoS = yaaf::int16(depth);
        Doc doc;
        for (int i = 0; i < script.size(); ++i)
            Step(doc, script[i].toLatin1(), i);
        QTEST(Pattern(*Pair().stack[CDo_Type_UNDO]), "undo");
        QTEST(Pattern(*Pair().stack[CDo_Type_REDO]), "redo");
        QTEST(Disposed(), "disposed");
        QTEST(MenuText(CDo_Type_UNDO) + "|" + MenuText(CDo_Type_REDO), "menus");
        QTEST(QString::fromStdString(doc.State()), "state");
    }

    // Stacks built from a pattern: the units counted, and what is left when the oldest goes.
    void countAndPopFront_data() {
        QTest::addColumn<QString>("pattern");
        QTest::addColumn<int>("count");
        QTest::addColumn<QString>("popped");
        QTest::newRow("empty") << "" << 0 << "";
        QTest::newRow("marks only") << "PPP" << 0 << "";
        QTest::newRow("tasks") << "TT" << 2 << "T";
        QTest::newRow("tasks and marks") << "PTPTT" << 3 << "TT";
        QTest::newRow("marks around a task") << "PPTPPT" << 2 << "T";
        QTest::newRow("closed groups") << "GTTGPTGPTG" << 3 << "TGPTG";
        QTest::newRow("group with marks") << "PGTPTGPT" << 2 << "T";
        QTest::newRow("empty group") << "GG" << 1 << "";
        QTest::newRow("last unit") << "PGTGP" << 1 << "";
        QTest::newRow("open group on top") << "TTGTT" << 1 << "TGTT";
        QTest::newRow("open group alone") << "GTT" << -1 << "";
    }
    void countAndPopFront() {
        QFETCH(QString, pattern);
        CDoStack stack;
        Fill(stack, pattern.toLatin1().constData());
        QTEST(CDo::CountTasks(&stack), "count");
        CDo::PopFront(&stack);
        QTEST(Pattern(stack), "popped");
    }

    void menuTexts() {
        int counter = 0;
        DoCounter(counter, 1, nullptr);
        QCOMPARE(MenuText(CDo_Type_UNDO), QString("Undo "));
        const std::string longName(100, 'n');
        DoCounter(counter, 1, longName.c_str());
        QCOMPARE(MenuText(CDo_Type_UNDO), "Undo " + QString(63, 'n'));
        gDo->Do(CDo_Type_UNDO);
        QCOMPARE(MenuText(CDo_Type_REDO), "Redo " + QString(63, 'n'));

        gDo->SetActiveStacks(nullptr);
        QCOMPARE(MenuText(CDo_Type_UNDO), QString("Can't Undo "));
        QCOMPARE(MenuText(CDo_Type_REDO), QString("Can't Redo "));
        QCOMPARE(AssertCount(""), 0); // a menu query is no fault
    }

    void noActivePair() {
        int counter = 0;
        DoCounter(counter, 1, "One");
        gDo->SetActiveStacks(nullptr);
        gDo->Do(CDo_Type_UNDO);
        QCOMPARE(counter, 1);
        QVERIFY(!DoCounter(counter, 5, "Lost"));
        QCOMPARE(counter, 1);
        QCOMPARE(Disposed(), 1); // the record of the task that could not be done
        gDo->ForceNotCollapse();
        gDo->StartGroup("G");
        QCOMPARE(gDo->GetGroupLevel(), 0);
        QVERIFY(gDo->GetStack(CDo_Type_UNDO) == nullptr);
        QVERIFY(gDo->Pop(CDo_Type_UNDO, false) == nullptr);
        QVERIFY(AssertCount("i_stacksP") >= 4);

        i_ownerP->SetStacks(false);
        QCOMPARE(Count(Pair(), CDo_Type_UNDO), 1);
        gDo->Do(CDo_Type_UNDO);
        QCOMPARE(counter, 0);
    }

    void destroyedOwnerClearsActivePair() {
        int counter = 0;
        auto otherP = std::make_unique<DoStacksOwner>();
        otherP->SetStacks(false);
        DoCounter(counter, 1, "One");
        DoCounter(counter, 2, "Two");
        gDo->Do(CDo_Type_UNDO);
        otherP.reset();
        QVERIFY(gDo->GetActiveStacks() == nullptr);
        QCOMPARE(Disposed(), 2);
        QCOMPARE(MenuText(CDo_Type_UNDO), QString("Can't Undo "));

        // An owner that is not active leaves the active pair alone.
        i_ownerP->SetStacks(false);
        DoCounter(counter, 4, "Four");
        { DoStacksOwner idle; }
        QVERIFY(gDo->GetActiveStacks() == &Pair());
        QCOMPARE(Count(Pair(), CDo_Type_UNDO), 1);

        // A group whose window goes away in the middle still ends.
        otherP = std::make_unique<DoStacksOwner>();
        otherP->SetStacks(false);
        gDo->StartGroup("Orphan");
        DoCounter(counter, 8, "In");
        otherP.reset();
        gDo->EndGroup("Orphan");
        QCOMPARE(gDo->GetGroupLevel(), 0);
        QCOMPARE(AssertCount("i_stacksP"), 1);
        i_ownerP->SetStacks(false);
        gDo->StartGroup("Next");
        DoCounter(counter, 16, "In");
        gDo->EndGroup("Next");
        QCOMPARE(Pattern(*Pair().stack[CDo_Type_UNDO]), QString("TGTG"));
    }

    void scopedGroupOnAnotherPair() {
        int counter = 0;
        int target = 0;
        DoStacksOwner other;
        DoCounter(counter, 1, "Local");
        {
            CDo_ScGroup group("Generate", &other.i_do_stacks);
            QVERIFY(gDo->GetActiveStacks() == &other.i_do_stacks);
            DoCounter(target, 10, "Add Item");
            DoCounter(target, 20, "Add Item");
            // Code inside may switch pairs; the group still closes on its own pair.
            gDo->SetActiveStacks(&Pair());
        }
        QVERIFY(gDo->GetActiveStacks() == &Pair());
        QCOMPARE(Pattern(*Pair().stack[CDo_Type_UNDO]), QString("T"));
        QCOMPARE(Pattern(*other.i_do_stacks.stack[CDo_Type_UNDO]), QString("GTTG"));

        {
            CDo_ScGroup group("Here");
            DoCounter(counter, 2, "Local");
        }
        QVERIFY(gDo->GetActiveStacks() == &Pair());
        QCOMPARE(MenuText(CDo_Type_UNDO), QString("Undo Here"));

        other.SetStacks(false);
        QCOMPARE(MenuText(CDo_Type_UNDO), QString("Undo Generate"));
        gDo->Do(CDo_Type_UNDO);
        QCOMPARE(target, 0);
        QCOMPARE(counter, 3);
        i_ownerP->SetStacks(false);
    }

    // Group misuse is reported, once each time, and changes nothing.
    void groupMisuseIsReported() {
        gDo->Idle();
        QCOMPARE(AssertCount("i_groupLevelL == 0"), 0);
        gDo->StartGroup("Open");
        gDo->Idle();
        gDo->Idle();
        QCOMPARE(AssertCount("i_groupLevelL == 0"), 1);
        gDo->EndGroup("Open");
        gDo->Idle();
        gDo->StartGroup("Again");
        gDo->Idle();
        QCOMPARE(AssertCount("i_groupLevelL == 0"), 2);
        gDo->EndGroup("Again");
        const QString before = Pattern(*Pair().stack[CDo_Type_UNDO]);
        gDo->EndGroup("Stray");
        QCOMPARE(AssertCount("i_groupLevelL > 0"), 1);
        QCOMPARE(gDo->GetGroupLevel(), 0);
        QCOMPARE(Pattern(*Pair().stack[CDo_Type_UNDO]), before);
    }

    void groupWithoutOpeningMarkIsReported() {
        int counter = 0;
        // A closing mark whose group lost its bottom (as after trimming by hand).
        DoCounter(counter, 1, "One");
        gDo->Push(CDo_Type_UNDO, Mark(true, "Broken"));
        gDo->Do(CDo_Type_UNDO);
        QCOMPARE(AssertCount("taskP"), 1);
        QCOMPARE(counter, 0);
        QCOMPARE(Count(Pair(), CDo_Type_UNDO), 0);
    }

    void collapseDuringUndoDestroysTask() {
        // A procedure that merges even when run by undo loses its task, once.
        static int s_runsL;
        s_runsL = 0;
        auto proc = [](CDoTask* prevP, CDoTask*, bool* collapseBP) -> yaaf::int32 {
            ++s_runsL;
            if (!prevP) *collapseBP = true;
            return 0;
        };
        int counter = 0;
        DoCounter(counter, 1, "Below");
        auto* recP = new CounterRec{&counter, 0, "odd"};
        const int idL = recP->idL;
        CDoTask::DoNewTask(proc, "Odd", &Dispose<CounterRec>, recP);
        QCOMPARE(Count(Pair(), CDo_Type_UNDO), 2);
        gDo->Do(CDo_Type_UNDO);
        QCOMPARE(s_runsL, 2);
        QCOMPARE(Count(Pair(), CDo_Type_UNDO), 1);
        QCOMPARE(Count(Pair(), CDo_Type_REDO), 0);
        QCOMPARE(s_disposals[idL], 1);
    }

    // The document is changed exactly when it differs from what was saved, through every mix of
    // steps (see Step), s a save and o a change outside the history.
    void savedPointFollowsTheDocument_data() {
        QTest::addColumn<QString>("script");
        QTest::addColumn<int>("depth");
        QTest::newRow("undo to the save") << "ttsur" << 20;
        QTest::newRow("typing merged after the save") << "tstunr" << 20;
        QTest::newRow("redo cleared by a new change") << "tntsuntu" << 20;
        QTest::newRow("back past the save and forward") << "tnctncsuuurrr" << 20;
        QTest::newRow("saved state trimmed away") << "cncsncncncuuuu" << 2;
        QTest::newRow("trimmed below the save") << "scncncncuuu" << 2;
        QTest::newRow("group") << "cgsurugr" << 20;
        QTest::newRow("clearing keeps changed") << "tntxu" << 20;
        QTest::newRow("clearing keeps saved") << "tntsxur" << 20;
        QTest::newRow("view-only tasks") << "tsfufuu" << 20;
        QTest::newRow("outside change sticks until saved") << "tsourso" << 20;
        QTest::newRow("save with nothing done") << "sususs" << 20;
    }
    void savedPointFollowsTheDocument() {
        QFETCH(QString, script);
        QFETCH(int, depth);
        gVornPrefsP->i_prefs.num_undoS = yaaf::int16(depth);
        Doc state;
        int outside = 0;
        yaaf::XGDocument doc;
        Pair().state_procP = [&doc](yaaf::uint64 stateL) { doc.NoteHistoryState(stateL); };
        auto snapshot = [&] { return state.State() + "|" + std::to_string(outside); };
        std::string saved = snapshot();
        for (int i = 0; i < script.size(); ++i) {
            const char op = script[i].toLatin1();
            if (op == 's') {
                doc.SetDirty(false);
                saved = snapshot();
            } else if (op == 'o') {
                ++outside;
                doc.SetDirty(true);
            } else {
                Step(state, op, i);
            }
            QVERIFY2(doc.IsDirty() == (snapshot() != saved),
                     qPrintable(QString("after %1 at %2").arg(op).arg(i)));
        }
        Pair().state_procP = nullptr;
    }
};

QTEST_MAIN(TstUndo)
#include "tst_undo.moc"
