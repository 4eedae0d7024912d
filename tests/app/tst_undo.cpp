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

void CounterDispose(CDoTask* taskP) {
    auto* recP = static_cast<CounterRec*>(taskP->i_dataP);
    ++s_disposals[recP->idL];
    delete recP;
}

// Adds delta to counter as a new task.
bool DoCounter(int& counter, int delta, const char* nameZ, std::string label = {}) {
    auto* recP = new CounterRec{&counter, delta, label.empty() ? std::to_string(delta) : label};
    return CDoTask::DoNewTask(&CounterProc, nameZ, &CounterDispose, recP);
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

void TypingDispose(CDoTask* taskP) {
    auto* recP = static_cast<TypingRec*>(taskP->i_dataP);
    ++s_disposals[recP->idL];
    delete recP;
}

void Type(std::string& doc, const char* textZ) {
    auto* recP = new TypingRec{&doc, textZ, false};
    CDoTask::DoNewTask(&TypingProc, "Typing", &TypingDispose, recP);
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

    void depthTrimming_data() {
        QTest::addColumn<int>("depth");
        QTest::addColumn<int>("tasks");
        QTest::addColumn<int>("kept");
        QTest::newRow("default 20, 25 tasks") << 20 << 25 << 20;
        QTest::newRow("20, fewer tasks") << 20 << 7 << 7;
        QTest::newRow("1") << 1 << 4 << 1;
        QTest::newRow("0 acts as 1") << 0 << 4 << 1;
        QTest::newRow("negative acts as 1") << -20 << 4 << 1;
    }
    void depthTrimming() {
        QFETCH(int, depth);
        QFETCH(int, tasks);
        QFETCH(int, kept);
        gVornPrefsP->i_prefs.num_undoS = yaaf::int16(depth);
        int counter = 0;
        for (int i = 1; i <= tasks; ++i)
            DoCounter(counter, 1 << (i % 16), "Add");
        QCOMPARE(Count(Pair(), CDo_Type_UNDO), kept);
        QCOMPARE(CDo::CountTasks(Pair().stack[CDo_Type_UNDO]), kept);
        QCOMPARE(Disposed(), tasks - kept);
        // The oldest were dropped: undoing everything leaves exactly their sum.
        int oldest = 0;
        for (int i = 1; i <= tasks - kept; ++i)
            oldest += 1 << (i % 16);
        for (int i = 0; i < tasks + 2; ++i)
            gDo->Do(CDo_Type_UNDO);
        QCOMPARE(counter, oldest);
        QCOMPARE(Count(Pair(), CDo_Type_REDO), kept);
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
        QCOMPARE(MenuText(CDo_Type_UNDO), QString("Undo Shuffle"));
        s_runs.clear();
        gDo->Do(CDo_Type_UNDO);
        QCOMPARE(counter, 1000);
        QCOMPARE(s_runs, (std::vector<std::string>{"c", "b", "a"}));
        QCOMPARE(MenuText(CDo_Type_UNDO), QString("Undo Before"));
        QCOMPARE(MenuText(CDo_Type_REDO), QString("Redo Shuffle"));

        s_runs.clear();
        gDo->Do(CDo_Type_REDO);
        QCOMPARE(counter, 1111);
        QCOMPARE(s_runs, (std::vector<std::string>{"a", "b", "c"}));
        QCOMPARE(MenuText(CDo_Type_UNDO), QString("Undo Shuffle"));
        QCOMPARE(AssertCount(""), 0);
    }

    void nestedGroupsFoldIntoOutermost() {
        int counter = 0;
        gDo->StartGroup("Outer");
        DoCounter(counter, 1, "x");
        gDo->StartGroup("Inner");
        QCOMPARE(gDo->GetGroupLevel(), 2);
        DoCounter(counter, 2, "y");
        gDo->EndGroup("Inner");
        DoCounter(counter, 4, "z");
        gDo->EndGroup("Outer");
        QCOMPARE(gDo->GetGroupLevel(), 0);
        QCOMPARE(Pattern(*Pair().stack[CDo_Type_UNDO]), QString("GTTTG"));
        QCOMPARE(MenuText(CDo_Type_UNDO), QString("Undo Outer"));
        gDo->Do(CDo_Type_UNDO);
        QCOMPARE(counter, 0);
        QCOMPARE(MenuText(CDo_Type_UNDO), QString("Can't Undo "));

        // Ending a group that is not open is reported and changes nothing.
        gDo->EndGroup("Stray");
        QCOMPARE(AssertCount("i_groupLevelL > 0"), 1);
        QCOMPARE(gDo->GetGroupLevel(), 0);
        QCOMPARE(Count(Pair(), CDo_Type_UNDO), 0);
    }

    void mergingStopsAtPartitionMarks() {
        std::string doc;
        Type(doc, "a");
        Type(doc, "b");
        Type(doc, "c");
        QCOMPARE(Count(Pair(), CDo_Type_UNDO), 1);
        QCOMPARE(Disposed(), 2); // the merged tasks went at once

        gDo->ForceNotCollapse();
        // The menu names the task below the mark, and asking must not move the mark away.
        QCOMPARE(MenuText(CDo_Type_UNDO), QString("Undo Typing"));
        QCOMPARE(MenuText(CDo_Type_REDO), QString("Can't Redo "));
        Type(doc, "d");
        Type(doc, "e");
        QCOMPARE(Pattern(*Pair().stack[CDo_Type_UNDO]), QString("TPT"));
        gDo->Do(CDo_Type_UNDO);
        QCOMPARE(doc, std::string("abc"));
        gDo->Do(CDo_Type_UNDO);
        QCOMPARE(doc, std::string(""));
        gDo->Do(CDo_Type_REDO);
        gDo->Do(CDo_Type_REDO);
        QCOMPARE(doc, std::string("abcde"));
        QCOMPARE(Pattern(*Pair().stack[CDo_Type_UNDO]), QString("TPT"));
    }

    void partitionMarksNeverCount() {
        gVornPrefsP->i_prefs.num_undoS = 2;
        int counter = 0;
        for (int i = 0; i < 5; ++i) {
            DoCounter(counter, 1, "Add");
            gDo->ForceNotCollapse();
        }
        QCOMPARE(CDo::CountTasks(Pair().stack[CDo_Type_UNDO]), 2);
        QCOMPARE(Pattern(*Pair().stack[CDo_Type_UNDO]), QString("TPTP"));
        QCOMPARE(MenuText(CDo_Type_UNDO), QString("Undo Add"));

        // A change fenced by a mark stays undoable at the smallest depth.
        gVornPrefsP->i_prefs.num_undoS = 1;
        DoCounter(counter, 10, "Move Item(s)");
        gDo->ForceNotCollapse();
        QCOMPARE(CDo::CountTasks(Pair().stack[CDo_Type_UNDO]), 1);
        QCOMPARE(MenuText(CDo_Type_UNDO), QString("Undo Move Item(s)"));
        gDo->Do(CDo_Type_UNDO);
        QCOMPARE(counter, 5);
    }

    void countTasks_data() {
        QTest::addColumn<QString>("pattern");
        QTest::addColumn<int>("count");
        QTest::newRow("empty") << "" << 0;
        QTest::newRow("marks only") << "PPP" << 0;
        QTest::newRow("tasks and marks") << "PTPTT" << 3;
        QTest::newRow("closed groups") << "GTTGPTGPTG" << 3;
        QTest::newRow("empty group") << "GG" << 1;
        QTest::newRow("open group on top") << "TTGTT" << 1;
        QTest::newRow("open group alone") << "GT" << -1;
    }
    void countTasks() {
        QFETCH(QString, pattern);
        QFETCH(int, count);
        CDoStack stack;
        Fill(stack, pattern.toLatin1().constData());
        QCOMPARE(CDo::CountTasks(&stack), count);
    }

    void popFront_data() {
        QTest::addColumn<QString>("before");
        QTest::addColumn<QString>("after");
        QTest::newRow("task") << "TT" << QString("T");
        QTest::newRow("marks around a task") << "PPTPPT" << QString("T");
        QTest::newRow("group with marks") << "PGTPTGPT" << QString("T");
        QTest::newRow("last unit") << "PGTGP" << QString("");
        QTest::newRow("open group") << "GTT" << QString("");
        QTest::newRow("marks only") << "PP" << QString("");
    }
    void popFront() {
        QFETCH(QString, before);
        QFETCH(QString, after);
        CDoStack stack;
        Fill(stack, before.toLatin1().constData());
        CDo::PopFront(&stack);
        QCOMPARE(Pattern(stack), after);
    }

    void trimmingWhileAGroupIsOpen() {
        gVornPrefsP->i_prefs.num_undoS = 3;
        int counter = 0;
        for (int i = 0; i < 3; ++i)
            DoCounter(counter, 1, "Add");
        gDo->StartGroup("Group");
        for (int i = 0; i < 5; ++i)
            DoCounter(counter, 10, "In");
        // Tasks inside the open group never push out what lies below it.
        QCOMPARE(CDo::CountTasks(Pair().stack[CDo_Type_UNDO]), 1);
        gDo->EndGroup("Group");
        QCOMPARE(Pattern(*Pair().stack[CDo_Type_UNDO]), QString("TTGTTTTTG"));
        QCOMPARE(Disposed(), 1);
        DoCounter(counter, 100, "After");
        QCOMPARE(Pattern(*Pair().stack[CDo_Type_UNDO]), QString("TGTTTTTGT"));
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

    void newTaskClearsRedo() {
        int counter = 0;
        DoCounter(counter, 1, "One");
        DoCounter(counter, 2, "Two");
        gDo->Do(CDo_Type_UNDO);
        gDo->Do(CDo_Type_UNDO);
        QCOMPARE(MenuText(CDo_Type_REDO), QString("Redo One"));
        DoCounter(counter, 4, "Four");
        QCOMPARE(Disposed(), 2);
        QCOMPARE(MenuText(CDo_Type_REDO), QString("Can't Redo "));
        gDo->Do(CDo_Type_REDO); // nothing to redo
        QCOMPARE(counter, 4);

        // Marks clear it too.
        gDo->Do(CDo_Type_UNDO);
        QCOMPARE(Count(Pair(), CDo_Type_REDO), 1);
        gDo->ForceNotCollapse();
        QCOMPARE(Count(Pair(), CDo_Type_REDO), 0);
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

    void clearCommandEmptiesBothStacks() {
        int counter = 0;
        DoCounter(counter, 1, "One");
        DoCounter(counter, 2, "Two");
        gDo->ForceNotCollapse();
        gDo->Do(CDo_Type_UNDO);
        gDo->DisposeActiveStacks();
        QCOMPARE(Count(Pair(), CDo_Type_UNDO) + Count(Pair(), CDo_Type_REDO), 0);
        QCOMPARE(Disposed(), 2);
        QCOMPARE(counter, 1); // emptying changes no document
        QCOMPARE(MenuText(CDo_Type_UNDO), QString("Can't Undo "));
    }

    void idleReportsAnOpenGroupOnce() {
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
        CDoTask::DoNewTask(proc, "Odd", &CounterDispose, recP);
        QCOMPARE(Count(Pair(), CDo_Type_UNDO), 2);
        gDo->Do(CDo_Type_UNDO);
        QCOMPARE(s_runsL, 2);
        QCOMPARE(Count(Pair(), CDo_Type_UNDO), 1);
        QCOMPARE(Count(Pair(), CDo_Type_REDO), 0);
        QCOMPARE(s_disposals[idL], 1);
    }

    // The document is changed exactly when it differs from what was saved, through every mix of
    // typing that merges, new units, undo, redo, groups, trimming, clearing, view-only tasks and
    // changes outside the history. Script: t type (merges), n partition mark, c counter task,
    // g group of two, f view-only task, u undo, r redo, s save, x clear the stacks, o a change
    // outside the history.
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
        std::string text;
        int counter = 0, view = 0, outside = 0;
        yaaf::XGDocument doc;
        Pair().state_procP = [&doc](yaaf::uint64 stateL) { doc.NoteHistoryState(stateL); };
        auto snapshot = [&] { return text + "|" + std::to_string(counter) + "|" + std::to_string(outside); };
        std::string saved = snapshot();
        for (int i = 0; i < script.size(); ++i) {
            const QChar op = script[i];
            switch (op.toLatin1()) {
            case 't': {
                // Each letter another, so that no later typing gives the saved text by chance.
                const char letter[2] = {char('a' + i % 26), 0};
                Type(text, letter);
                break;
            }
            case 'n':
                gDo->ForceNotCollapse();
                break;
            case 'c':
                DoCounter(counter, 1 << (counter % 8), "Add");
                break;
            case 'g': {
                CDo_ScGroup group("Two");
                DoCounter(counter, 256 << i, "In");
                DoCounter(counter, 512 << i, "In");
                break;
            }
            case 'f': {
                auto* recP = new CounterRec{&view, 1, "view"};
                CDoTask::DoNewTask(&CounterProc, "Zoom", &CounterDispose, recP, false);
                break;
            }
            case 'u':
                gDo->Do(CDo_Type_UNDO);
                break;
            case 'r':
                gDo->Do(CDo_Type_REDO);
                break;
            case 's':
                doc.SetDirty(false);
                saved = snapshot();
                break;
            case 'x':
                gDo->DisposeActiveStacks();
                break;
            case 'o':
                ++outside;
                doc.SetDirty(true);
                break;
            }
            QVERIFY2(doc.IsDirty() == (snapshot() != saved),
                     qPrintable(QString("after %1 at %2").arg(op).arg(i)));
        }
        Pair().state_procP = nullptr;
    }
};

QTEST_MAIN(TstUndo)
#include "tst_undo.moc"
