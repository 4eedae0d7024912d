// Topics and topic lists without a window: creation and copies, membership, iteration,
// sorting, cloning, random sequences of changes with the list's invariants checked after each,
// the flow layout of flat columns, and subtopics handed over from worker threads.

#include "AlertRecorder.h"
#include "OutlineTestSupport.h"

#include <QRandomGenerator>
#include <QtTest>

#include <algorithm>
#include <set>

using namespace yaaf;
using namespace vorntest;

namespace {

// A topic whose step 99 counts its visits and stops the walk at a chosen name.
class StopTopic : public CTopic {
public:
    using CTopic::CTopic;
    uint16 IterateCB(CTopicList* listP, int16 taType, int32 indexL, void* cbData) override {
        if (taType != 99) return CTopic::IterateCB(listP, taType, indexL, cbData);
        ++*static_cast<int*>(cbData);
        return GetNameRef() == "stop" ? kTopicIterStop : 0;
    }
};

// A topic whose comparison asks for another sort: the sort must refuse it.
class NestingTopic : public CTopic {
public:
    using CTopic::CTopic;
    bool SortsByKey(O_SortType) const override { return false; }
    int16 SortCB(O_SortType t, const CTopic* other) const override {
        if (inner) innerResult = inner->Sort(O_Sort_NAME, false);
        return CTopic::SortCB(t, other);
    }
    CTopicList* inner = nullptr;
    mutable int16 innerResult = -1;
};

// A topic compared through SortCB alone, as a kind of topic with its own order would be.
class UnkeyedTopic : public CTopic {
public:
    using CTopic::CTopic;
    bool SortsByKey(O_SortType) const override { return false; }
};

// The invariants of a list that was renumbered: each topic once, placed for the list, marked
// inserted, numbered by its position.
void CheckList(const CTopicList* l, bool indicesB) {
    std::set<const CTopic*> seen;
    for (int32 i = 0; i < l->Count(); ++i) {
        const CTopic* t = l->GetIndItem(i);
        QVERIFY(t);
        QVERIFY2(seen.insert(t).second, "a topic is in the list twice");
        QVERIFY(t->IsInserted());
        QCOMPARE(t->i_siblingsP, l);
        QCOMPARE(t->i_parentP, l->i_parentP);
        if (indicesB) QCOMPARE(t->i_indexL, i);
        QCOMPARE(l->IndexOf(t), i);
    }
}

} // namespace

class TestTopics : public QObject {
    Q_OBJECT

private slots:
    void copiedTopics() {
        OwnedList list;
        CTopic* src = AddTopic(list.get(), "Source");
        src->i_frameA[1] = tagRECT{1, 2, 3, 4};
        src->SetLocked(true);
        src->GetChildren(true);
        src->i_indexL = 7;
        CTopic copy(src, nullptr);
        QCOMPARE(copy.GetNameRef(), std::string("Source"));
        QVERIFY(copy.IsLocked());
        QVERIFY(!copy.IsInserted());
        QCOMPARE(copy.i_frameA[1], (tagRECT{1, 2, 3, 4}));
        QCOMPARE(copy.i_indexL, 7);
        QVERIFY(!copy.i_childrenP);
    }

    void membership() {
        AlertRecorder alerts;
        OwnedList list;
        for (const char* n : {"a", "b", "c", "d", "e", "f"})
            AddTopic(list.get(), n);
        QCOMPARE(list->GetIndItem(-1)->GetNameRef(), std::string("f"));
        QVERIFY(!list->GetIndItem(6));
        QVERIFY(!list->GetIndItem(-2));

        // A second insert of an inserted topic is reported and refused.
        list->Insert(list->GetIndItem(0), 2, true);
        QCOMPARE(alerts.Count("!topicP->GetFlag(TOPIC_Flag_INSERTED)"), 1);
        QCOMPARE(list->Count(), 6);

        // Out-of-range positions append.
        CTopic* g = new CTopic("g", list.get(), kNoIndex);
        list->Insert(g, 99, true);
        QCOMPARE(list->GetIndItem(-1), g);

        list->UpdateIndices();
        list->Reorder(2, 5);
        QCOMPARE(Names(list.get()), (QStringList{"a", "b", "d", "e", "c", "f", "g"}));
        CheckList(list.get(), true);

        // Root-level topics (no parent) really leave the list, also after a sort.
        list->Sort(O_Sort_NAME, true);
        CTopic* c = list->GetIndItem(4);
        list->Remove(c, true, true);
        QVERIFY(!Names(list.get()).contains("c"));
        QCOMPARE(alerts.Count("i_list"), 0);
    }

    void iterationStops() {
        OwnedList list;
        for (const char* n : {"a", "stop", "c"})
            AddTopic(list.get(), "", new StopTopic(n, list.get(), kNoIndex));
        int visits = 0;
        QCOMPARE(list->Iterate(99, &visits, false), kTopicIterStop);
        QCOMPARE(visits, 2);
        visits = 0;
        QCOMPARE(list->Iterate(99, &visits, true), kTopicIterStop);
        QCOMPARE(visits, 2);
        CTopicList empty;
        QCOMPARE(empty.Iterate(99, &visits, false), uint16(0));
    }

    void sorting_data() {
        QTest::addColumn<QStringList>("names");
        QTest::addColumn<int>("sortType");
        QTest::addColumn<bool>("reverse");
        QTest::addColumn<QStringList>("expected");
        const QStringList mixed{"delta", "Alpha", "charlie", "Bravo", "alpha2"};
        QTest::newRow("name ignores case") << mixed << int(O_Sort_NAME) << false
                                           << QStringList{"Alpha", "alpha2", "Bravo", "charlie", "delta"};
        QTest::newRow("name reversed") << mixed << int(O_Sort_NAME) << true
                                       << QStringList{"delta", "charlie", "Bravo", "alpha2", "Alpha"};
        QTest::newRow("kind: all equal") << mixed << int(O_Sort_KIND) << false << mixed;
        QTest::newRow("size: all equal") << mixed << int(O_Sort_LOG_SIZE) << true << mixed;
        QTest::newRow("empty and long names")
            << QStringList{"b", "", QString(10000, 'z'), "a"} << int(O_Sort_NAME) << false
            << QStringList{"", "a", "b", QString(10000, 'z')};
        QTest::newRow("shared prefixes")
            << QStringList{"prefix-long-b", "prefix-long-a", "prefix-l", "prefix"} << int(O_Sort_NAME)
            << false << QStringList{"prefix", "prefix-l", "prefix-long-a", "prefix-long-b"};
    }
    void sorting() {
        QFETCH(QStringList, names);
        QFETCH(int, sortType);
        QFETCH(bool, reverse);
        QFETCH(QStringList, expected);
        OwnedList list;
        for (const QString& n : names)
            AddTopic(list.get(), n.toStdString());
        QCOMPARE(list->Sort(O_SortType(sortType), reverse), int16(0));
        QCOMPARE(Names(list.get()), expected);
        // Indices were kept: sorting by them gives the first order back.
        list->Sort(O_Sort_INDEX, false);
        QCOMPARE(Names(list.get()), names);
    }

    void bytesThatAreNotText() {
        OwnedList list;
        const std::string bad1("\xff\xfe\x80 name", 8);
        const std::string bad2("\xc3\x28", 2);
        AddTopic(list.get(), bad1);
        AddTopic(list.get(), bad2);
        AddTopic(list.get(), "plain");
        QCOMPARE(list->Sort(O_Sort_NAME, false), int16(0));
        QCOMPARE(list->GetIndItem(0)->GetNameRef(), std::string("plain"));
        list->GetIndItem(1)->SizeToFit();
        QVERIFY(list->GetIndItem(1)->GetFrameP()->right > 0);
    }

    void nestedSortIsRefused() {
        AlertRecorder alerts;
        OwnedList innerOwner;
        AddTopic(innerOwner.get(), "y");
        AddTopic(innerOwner.get(), "x");
        OwnedList outer;
        auto* a = new NestingTopic("b", outer.get(), kNoIndex);
        auto* b = new NestingTopic("a", outer.get(), kNoIndex);
        a->inner = b->inner = innerOwner.get();
        AddTopic(outer.get(), "", a);
        AddTopic(outer.get(), "", b);
        QCOMPARE(outer->Sort(O_Sort_NAME, false), int16(1));
        QVERIFY(a->innerResult == 1 || b->innerResult == 1);
        QVERIFY(alerts.Count("the sort function is not reentrant.") >= 1);
        QCOMPARE(Names(innerOwner.get()), (QStringList{"y", "x"}));
        // The next sort runs normally.
        a->inner = b->inner = nullptr;
        QCOMPARE(outer->Sort(O_Sort_NAME, false), int16(0));
    }

    void selectionCounts() {
        OwnedList list;
        for (const char* n : {"a", "b"})
            AddTopic(list.get(), n);
        AddChildren(list.get(), 3, 1);
        CTopic* a = list->GetIndItem(0);
        a->Select(true);
        (*a)[1]->Select(true);
        (*list->GetIndItem(1))[0]->Select(true);
        QCOMPARE(list->CountSelected(false), 1);
        QCOMPARE(list->CountSelected(true), 1);
        a->SetTwirled(true);
        QCOMPARE(list->CountSelected(true), 2);
        list->SelectAll(false, true);
        QCOMPARE(list->CountSelected(true), 0);
        QVERIFY(!(*list->GetIndItem(1))[0]->IsSelected());
    }

    void cloning() {
        OwnedList list;
        for (const char* n : {"a", "b", "c", "d"})
            AddTopic(list.get(), n);
        list->GetIndItem(1)->Select(true);
        list->GetIndItem(3)->Select(true);
        std::unique_ptr<CTopicList> sel(list->GetSelected(false));
        CTopicList* copied = nullptr;
        list->CopyGroup(list.get(), sel.get(), list->GetIndItem(0), &copied);
        std::unique_ptr<CTopicList> copiedOwner(copied);
        QCOMPARE(Names(list.get()), (QStringList{"b", "d", "a", "b", "c", "d"}));
        QCOMPARE(copied->Count(), 2);
        QVERIFY(copied->GetIndItem(0) != sel->GetIndItem(0));
        CheckList(list.get(), true);

        // Copies made with a master carry the master's indices of their originals.
        list->Sort(O_Sort_NAME, false);
        std::unique_ptr<CTopicList> shallow(list->Duplicate(nullptr));
        QVERIFY(*shallow == *list.get());
        std::unique_ptr<CTopicList> deep(shallow->Duplicate(list.get()));
        QCOMPARE(deep->Count(), list->Count());
        for (int32 i = 0; i < deep->Count(); ++i) {
            QCOMPARE(deep->GetIndItem(i)->GetNameRef(), list->GetIndItem(i)->GetNameRef());
            QCOMPARE(deep->GetIndItem(i)->i_indexL, list->GetIndItem(i)->i_indexL);
            QVERIFY(!deep->GetIndItem(i)->i_siblingsP);
        }
        for (CTopic* t : deep->Topics())
            delete t;
    }

    void randomSequencesKeepTheInvariants_data() {
        QTest::addColumn<quint32>("seed");
        for (quint32 seed : {1u, 7u, 42u, 2024u})
            QTest::newRow(qPrintable(QString::number(seed))) << seed;
    }
    void randomSequencesKeepTheInvariants() {
        QFETCH(quint32, seed);
        QRandomGenerator rng(seed);
        AlertRecorder alerts;
        OwnedList list;
        int made = 0;
        for (int step = 0; step < 400; ++step) {
            const int n = list->Count();
            bool renumbered = true;
            switch (rng.bounded(7)) {
            case 0: { // insert
                auto* t = new CTopic(("t" + std::to_string(made++)).c_str(), list.get(), kNoIndex);
                list->Insert(t, int32(rng.bounded(n + 2)) - 1, true);
                break;
            }
            case 1: // remove and delete
                if (n) list->Remove(list->GetIndItem(int32(rng.bounded(n))), true, true);
                break;
            case 2: { // sort: indices stay as they were
                const O_SortType types[] = {O_Sort_NAME, O_Sort_INDEX, O_Sort_KIND};
                QCOMPARE(list->Sort(types[rng.bounded(3)], rng.bounded(2) == 1), int16(0));
                renumbered = false;
                break;
            }
            case 3: // reorder
                if (n) list->Reorder(int32(rng.bounded(n)), int32(rng.bounded(n + 1)));
                break;
            case 4: // select a few
                if (n) list->GetIndItem(int32(rng.bounded(n)))->ToggleFlag(TOPIC_Flag_SELECTED);
                break;
            case 5: { // group: the selected topics and nothing else
                std::unique_ptr<CTopicList> sel(list->GetSelected(false));
                int expected = 0;
                for (const CTopic* t : list->Topics())
                    expected += t->IsSelected();
                QCOMPARE(sel->Count(), expected);
                for (const CTopic* t : sel->Topics())
                    QVERIFY(list->IndexOf(t) >= 0 && t->IsSelected());
                break;
            }
            case 6: { // clone the selection to the end
                std::unique_ptr<CTopicList> sel(list->GetSelected(false));
                if (sel->Count() && list->Count() < 300)
                    list->CopyGroup(list.get(), sel.get(), nullptr, nullptr);
                list->SelectAll(false, false);
                break;
            }
            }
            if (renumbered) list->UpdateIndices();
            CheckList(list.get(), renumbered);
            if (QTest::currentTestFailed()) {
                qWarning("failed at step %d", step);
                return;
            }
        }
        QCOMPARE(alerts.size(), size_t(0));
    }

    void flowLayoutStopsAfterTwentyColumns() {
        OwnedList list;
        for (const std::string& name : Numbered("word", 400))
            AddTopic(list.get(), name);
        list->i_colA.assign(25, tagRECT{});
        for (int k = 0; k < 25; ++k)
            list->i_colA[size_t(k)] = tagRECT{k * 100, 0, k * 100 + 90, 60};
        list->i_col_ixL = 0;
        list->i_init_firstB = true;
        QCOMPARE(list->Iterate(TOPIC_Iter_FLOW_LAYOUT, nullptr, false), kTopicIterStop);
        QCOMPARE(list->i_col_ixL, int16(CTopicList::kMaxFlowColumns));
        for (const CTopic* t : list->Topics()) {
            const tagRECT& f = t->i_frameA[1];
            if (f == tagRECT{}) continue;
            QVERIFY2(f.left < 20 * 100, "a topic stands in the twenty-first column");
        }
        // A line-break topic spans its column.
        OwnedList breaks;
        AddTopic(breaks.get(), "a");
        AddTopic(breaks.get(), "\rbreak");
        breaks->i_colA.assign(1, tagRECT{0, 0, 500, 500});
        breaks->Iterate(TOPIC_Iter_FLOW_LAYOUT, nullptr, false);
        QCOMPARE(breaks->GetIndItem(1)->i_frameA[1].right, 500);
    }

    // Batches merged into a sorted list land where a stable sort of the list followed by the
    // batch puts them: after equal topics already there, equal new ones in the order given,
    // whether the batch is small beside the list or large, keyed or not, and for names alike in
    // their first sixteen bytes or holding bytes that are not text.
    void insertSortedMerges_data() {
        QTest::addColumn<int>("listSize");
        QTest::addColumn<int>("batchSize");
        QTest::addColumn<bool>("reverse");
        QTest::addColumn<int>("unkeyedEvery");
        QTest::newRow("few into many") << 400 << 5 << false << 0;
        QTest::newRow("many into few") << 5 << 400 << false << 0;
        QTest::newRow("many into many, reversed") << 300 << 300 << true << 0;
        QTest::newRow("into an empty list") << 0 << 50 << false << 0;
        QTest::newRow("some topics unkeyed") << 200 << 200 << false << 3;
        QTest::newRow("few into many, unkeyed, reversed") << 300 << 4 << true << 2;
    }
    void insertSortedMerges() {
        QFETCH(int, listSize);
        QFETCH(int, batchSize);
        QFETCH(bool, reverse);
        QFETCH(int, unkeyedEvery);
        QRandomGenerator rng(11);
        const char* const stems[] = {"Same sixteen byte",
                                     "same sixteen bytes",
                                     "eight b-Nine",
                                     "eight b-nil",
                                     "\xff\xfe",
                                     "",
                                     "Ab",
                                     "aB"};
        int made = 0;
        auto make = [&](CTopicList* listP) -> CTopic* {
            const std::string name = std::string(stems[rng.bounded(8)]) + std::to_string(rng.bounded(20));
            const bool unkeyed = unkeyedEvery > 0 && ++made % unkeyedEvery == 0;
            return unkeyed ? new UnkeyedTopic(name.c_str(), listP, kNoIndex)
                           : new CTopic(name.c_str(), listP, kNoIndex);
        };
        OwnedList list;
        for (int i = 0; i < listSize; ++i)
            AddTopic(list.get(), "", make(list.get()));
        QCOMPARE(list->Sort(O_Sort_NAME, reverse), int16(0));
        std::vector<CTopic*> batch;
        for (int i = 0; i < batchSize; ++i)
            batch.push_back(make(list.get()));
        std::vector<CTopic*> expected = list->Topics();
        expected.insert(expected.end(), batch.begin(), batch.end());
        std::stable_sort(expected.begin(), expected.end(), [reverse](const CTopic* a, const CTopic* b) {
            return CTopicList::CompareTopics(a, b, O_Sort_NAME, reverse) < 0;
        });
        batch.push_back(nullptr);
        QCOMPARE(list->InsertSorted(batch, O_Sort_NAME, reverse), int32(batchSize));
        QVERIFY(list->Topics() == expected);
        // The sort kept the old numbers; the merge numbers from the first new topic on.
        CheckList(list.get(), false);
    }

    void handOverInsertsInOrder_data() {
        QTest::addColumn<int>("count");
        QTest::addColumn<bool>("inParts");
        QTest::newRow("a few") << 500 << false;
        // More than one drain takes comes in parts, with the event loop running between them,
        // not in one call as long as the whole list.
        QTest::newRow("many") << 70000 << true;
    }
    void handOverInsertsInOrder() {
        QFETCH(int, count);
        QFETCH(bool, inParts);
        OwnedList root;
        std::vector<std::string> names;
        for (int i = 0; i < count; ++i)
            names.push_back("n" + std::to_string((i * 7919) % (2 * count)));
        auto* folder = new FillTopic("folder", root.get(), names);
        AddTopic(root.get(), "", folder);
        folder->Init_Subtopics();
        folder->Init_Subtopics();
        while (folder->ThreadExists(TOPIC_Thread_INIT_SUBTOPICS))
            QThread::msleep(1);
        QCOMPARE(folder->starts.load(), 1);
        QCoreApplication::processEvents();
        QVERIFY(folder->i_childrenP->Count() > 0);
        if (inParts) QVERIFY(folder->i_childrenP->Count() < count);
        QTRY_COMPARE_WITH_TIMEOUT(folder->i_childrenP->Count(), count, 20000);
        QStringList got = Names(folder->i_childrenP);
        QStringList sorted = got;
        std::sort(sorted.begin(), sorted.end());
        QCOMPARE(got, sorted);
        CheckList(folder->i_childrenP, true);
        // Filled once: the list is no longer empty.
        folder->Init_Subtopics();
        QCOMPARE(folder->starts.load(), 1);
    }

    void listEmptiedWhileFilling() {
        OwnedList root;
        auto* folder = new FillTopic("folder", root.get(), Numbered("e", 60, 100), 30);
        AddTopic(root.get(), "", folder);
        folder->Init_Subtopics();
        QTRY_VERIFY(folder->held.load());
        QTRY_COMPARE(folder->i_childrenP->Count(), 30);
        folder->i_childrenP->Iterate(TOPIC_Iter_DELETE, nullptr, true);
        QCOMPARE(folder->i_childrenP->Count(), 0);
        folder->Release();
        QTRY_COMPARE(folder->i_childrenP->Count(), 30);
        QCOMPARE(folder->i_childrenP->GetIndItem(0)->GetNameRef(), std::string("e130"));
        CheckList(folder->i_childrenP, true);
    }

    void topicDestroyedWhileFilling() {
        OwnedList root;
        auto* folder = new FillTopic("folder", root.get(), std::vector<std::string>(100, "x"), 10);
        AddTopic(root.get(), "", folder);
        folder->Init_Subtopics();
        QTRY_VERIFY(folder->held.load());
        // The destructor stops the worker; what it handed over and was not taken yet goes too.
        root->Remove(folder, true, true);
        QCOMPARE(root->Count(), 0);
        QTest::qWait(20);
    }
};

QTEST_MAIN(TestTopics)
#include "tst_topics.moc"
