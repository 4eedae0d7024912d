// The board model, its form and the registry: adding items, numerology, selection, flat-column
// layout, Go Mode, names and dirty state, target choice and generation.
#include "AlertRecorder.h"
#include "BoardFakes.h"
#include "BoardGlobals.h"
#include "BoardProbes.h"
#include "CItemArray.h"
#include "LaunchRecorder.h"
#include "TestFiles.h"
#include "XGFileSpecifier.h"

#include <QTemporaryDir>
#include <QtTest>

#include <climits>
#include <cstdint>
#include <memory>

using namespace yaaf;
using namespace vorntest;

namespace {
// Items carry a numbered stand-in for an information dialog; the board destroys it as it
// lets the item go, which shows the order items leave in.
std::vector<uintptr_t> s_disposedDlgs;
void RecordDisposedDlg(CGetInfoDlg* dlgP) {
    s_disposedDlgs.push_back(reinterpret_cast<uintptr_t>(dlgP));
}
// The board generates with no chosen target and every option off; the caller turns some on.
Vorn_PrefBoolsRec& PlainGenerate(TVornModel* m) {
    gVornListP->SetTarget(nullptr);
    m->i_prefs.b = Vorn_PrefBoolsRec{};
    return m->i_prefs.b;
}

} // namespace

class tst_model : public QObject {
    Q_OBJECT
    BoardGlobals fGlobals;
    LaunchRecorder fLaunches;
    std::vector<std::string>& s_launched = fLaunches.launched;

private slots:
    void init() { s_launched.clear(); }

    void wordsStackAtTheLeftEdge() {
        BoardFixture b;
        CVornItem* a = b.modelP->AddWord("one");
        CVornItem* c = b.modelP->AddWord("two");
        CVornItem* d = b.modelP->AddWord("three");
        QCOMPARE(a->i_boundsR.left + a->i_boundsR.top + d->i_boundsR.left, 0);
        QCOMPARE(c->i_boundsR.top, a->i_boundsR.bottom + 1);
        QCOMPARE(d->i_boundsR.top, c->i_boundsR.bottom + 1);
        QVERIFY(d->i_boundsR.Width() > a->i_boundsR.Width()); // sized to the title
        QCOMPARE(b.modelP->i_prefs.array_sizeS, int16(3));
        QCOMPARE(b.viewP->docChanged, 3);
        QVERIFY(a->i_resource.source.date.IsValid());
    }

    void numerReduce_data() {
        QTest::addColumn<int>("n");
        QTest::addColumn<int>("reduced");
        QTest::newRow("one pass only") << 1977 << 24;
        QTest::newRow("single digit") << 7 << 7;
        QTest::newRow("zero") << 0 << 0;
        QTest::newRow("minus counts -3") << -16 << 4;
    }
    void numerReduce() {
        QFETCH(int, n);
        QFETCH(int, reduced);
        QCOMPARE(TVornModel::Numer_Reduce(n), reduced);
    }

    void selectAllSkipsLockedAndHidden() {
        BoardFixture b;
        CVornItem* a = b.modelP->AddWord("a");
        CVornItem* locked = b.modelP->AddWord("locked");
        CVornItem* hidden = b.modelP->AddWord("hidden");
        locked->i_b.set_lockedB(true);
        hidden->i_b.set_hiddenB(true);
        b.modelP->SelectAll(true); // which items it takes: CheckWalksAgreeWithItems in tst_items
        b.viewP->invalRects.clear();
        b.modelP->SelectAll(false);
        QVERIFY(!a->i_b.selectedB());
        QCOMPARE(b.viewP->invalRects.size(), size_t(1)); // the one item that changed, with its handles
        // Hidden items are shown (and selectable) in Edit Mode when the board says so.
        b.modelP->i_prefs.b.set_ignore_hiddenB(true);
        b.modelP->SelectAll(true);
        QVERIFY(hidden->i_b.selectedB());
        CItemArray set;
        set.Add(locked);
        b.modelP->SetSelection(&set);
        QVERIFY(locked->i_b.selectedB());
        QVERIFY(!a->i_b.selectedB());
    }

    void closingDisposesEveryItemOnceLastFirst() {
        // The largest board; the time it takes to close is measured by BM_CloseBoard.
        constexpr int kItems = 32767;
        auto* m = new TVornModel;
        for (int i = 0; i < kItems; ++i) {
            auto* itemP = new CVornItem(m, kNoIndex);
            itemP->i_getInfoP = reinterpret_cast<CGetInfoDlg*>(uintptr_t(i + 1));
            m->InsertItem(itemP, -1);
        }
        s_disposedDlgs.clear();
        Vorn_SetDisposeInfoDlgProc(RecordDisposedDlg);
        delete m;
        Vorn_SetDisposeInfoDlgProc(nullptr);
        QCOMPARE(s_disposedDlgs.size(), size_t(kItems));
        for (int i = 0; i < kItems; ++i)
            QCOMPARE(s_disposedDlgs[size_t(i)], uintptr_t(kItems - i));
    }

    void removingTheSelectionTopDown_data() {
        QTest::addColumn<int>("every");
        QTest::newRow("all") << 1;
        QTest::newRow("every other") << 2;
        QTest::newRow("every seventh") << 7;
    }
    void removingTheSelectionTopDown() {
        QFETCH(int, every);
        BoardFixture b;
        std::vector<CVornItem*> items;
        for (int i = 0; i < 50; ++i)
            items.push_back(b.modelP->AddWord(std::to_string(i).c_str()));
        for (int i = 0; i < 50; i += every)
            items[size_t(i)]->i_b.set_selectedB(true);
        std::unique_ptr<CItemArray> sel(b.modelP->GetItemSelection());
        QCOMPARE(sel->IterateReverse(ItemA_Iterate_REMOVE, nullptr), int16(0));
        std::vector<CVornItem*> left;
        for (int i = 0; i < 50; ++i) {
            CVornItem* itemP = items[size_t(i)];
            if (i % every != 0) {
                left.push_back(itemP);
                continue;
            }
            // Detached, remembering where it stood (the items above it had gone already).
            QVERIFY(!itemP->i_vornP);
            QCOMPARE(itemP->i_indexL, int32(i));
        }
        QCOMPARE(b.modelP->i_list->Count(), int32(left.size()));
        QCOMPARE(b.modelP->i_prefs.array_sizeS, int16(left.size()));
        for (size_t k = 0; k < left.size(); ++k)
            QCOMPARE(b.modelP->i_list->GetIndItem(int32(k)), left[k]);
        // The detached items are the undo engine's; here nobody holds them.
        for (int i = 0; i < sel->Count(); ++i)
            delete sel->GetIndItem(i);
    }

    void hitTestMatchesItemByItem_data() {
        QTest::addColumn<int>("scrollH");
        QTest::addColumn<int>("scrollV");
        QTest::addColumn<bool>("goMode");
        QTest::newRow("edit") << 0 << 0 << false;
        QTest::newRow("edit, scrolled") << -37 << -91 << false;
        QTest::newRow("edit, extreme scroll") << INT32_MIN + 5 << INT32_MAX - 5 << false;
        QTest::newRow("go") << 0 << 0 << true;
    }
    void hitTestMatchesItemByItem() {
        QFETCH(int, scrollH);
        QFETCH(int, scrollV);
        QFETCH(bool, goMode);
        BoardFixture b;
        TVornModel* m = b.modelP;
        // Overlapping items, some reversed or without bounds, in every state.
        for (int i = 0; i < 40; ++i) {
            CVornItem* itemP = m->AddWord(std::to_string(i).c_str());
            const int32 l = (i * 37) % 160, t = (i * 53) % 120;
            itemP->i_boundsR = i % 11 == 5 ? tagRECT{} : tagRECT{l, t, l + 20 + i % 30, t + 12 + i % 17};
            itemP->i_auto_boundsR = i % 13 == 4 ? tagRECT{} : itemP->i_boundsR;
            if (i % 9 == 3) std::swap(itemP->i_boundsR.left, itemP->i_boundsR.right);
            itemP->i_b.set_selectedB(i % 3 == 0);
            itemP->i_b.set_lockedB(i % 7 == 2);
            itemP->i_b.set_hiddenB(i % 5 == 4);
        }
        m->i_scrollH = scrollH;
        m->i_scrollV = scrollV;
        if (goMode) m->i_prefs.mode = Vorn_Mode_GO;
        const int32 offH = goMode ? 0 : scrollH, offV = goMode ? 0 : scrollV;
        int hits = 0;
        for (int v = -10; v < 150; v += 3)
            for (int h = -10; h < 200; h += 3) {
                const Point pt = MakePoint(int32(int64(h) + offH), int32(int64(v) + offV));
                int32 subFast = -1, subSlow = -1;
                CVornItem* fast = m->HitTest(&pt, &subFast);
                CVornItem* slow = HitTestItemByItem(m, pt, &subSlow);
                if (goMode && slow == m->i_list->GetIndItem(0)) slow = nullptr;
                QCOMPARE(fast, slow);
                QCOMPARE(subFast, subSlow);
                hits += fast != nullptr;
            }
        QVERIFY(hits > 100 || scrollH == INT32_MIN + 5);
        m->i_prefs.mode = Vorn_Mode_EDIT;
    }

    void flatColumnPlacement() {
        BoardFixture b;
        TVornModel& m = *b.modelP;
        m.i_prefs.view_as = O_ViewAs_FLAT_COL;
        m.i_prefs.num_columnsS = 3;
        b.viewP->content = tagRECT{0, 0, 340, 400};
        CVornItem* a = m.AddWord("a");
        CVornItem* c = m.AddWord("b");
        CVornItem* br = m.AddWord("\r");
        CVornItem* d = m.AddWord("c");
        CVornItem* wide = m.AddWord("a title far too wide to sit beside the others here");
        m.AutoLayout(true, Vorn_Mode_NONE);
        QCOMPARE(m.i_colA[0], (tagRECT{10, 10, 110, 390}));
        QCOMPARE(m.i_colA[2], (tagRECT{230, 10, 330, 390}));
        QCOMPARE(m.i_colA[19].left, 10 + 110 * 19); // the unused ones go on to the right
        QCOMPARE(a->i_auto_boundsR.left + a->i_auto_boundsR.top + c->i_auto_boundsR.top, 30);
        QCOMPARE(c->i_auto_boundsR.left, a->i_auto_boundsR.right + 1);
        QCOMPARE(br->i_auto_boundsR.right, m.i_colA[0].right); // a line break ends its line
        QCOMPARE(d->i_auto_boundsR.left, 10);                  // so the next starts a new line
        QCOMPARE(d->i_auto_boundsR.top, br->i_auto_boundsR.bottom + 1);
        QCOMPARE(wide->i_auto_boundsR.left, 10);
        QCOMPARE(wide->i_auto_boundsR.top, d->i_auto_boundsR.bottom + 1);
        QVERIFY(m.IsDocumentDirty());
        // Freeform rectangles are not touched by the layout.
        QCOMPARE(a->i_boundsR.left, 0);
        m.i_scrollH = -50;
        QCOMPARE(m.GetColumn(1).left, 70);
    }

    void flatColumnsStopAfterTwenty() {
        BoardFixture b;
        TVornModel& m = *b.modelP;
        m.i_prefs.view_as = O_ViewAs_FLAT_COL;
        m.i_prefs.num_columnsS = 20;
        // Columns so short that each holds one line.
        CVornItem* probe = m.AddWord("x");
        const int32 h = probe->i_boundsR.Height();
        b.viewP->content = tagRECT{0, 0, 2000, 20 + h + h / 2};
        std::vector<CVornItem*> items{probe};
        for (int i = 0; i < 24; ++i)
            items.push_back(
                m.AddWord("wide wide wide wide wide wide wide wide wide wide wide wide wide wide"));
        for (CVornItem* item : items)
            item->i_auto_boundsR = tagRECT{-5, -5, -1, -1};
        m.AutoLayout(false, Vorn_Mode_EDIT);
        QVERIFY(!m.i_slightly_dirtyB);
        QCOMPARE(m.i_columnS, int16(19));
        QCOMPARE(items[1]->i_auto_boundsR.left, m.i_colA[1].left);
        QCOMPARE(items[19]->i_auto_boundsR.left, m.i_colA[19].left);
        QCOMPARE(items[20]->i_auto_boundsR, (tagRECT{-5, -5, -1, -1}));
        QCOMPARE(items[24]->i_auto_boundsR, (tagRECT{-5, -5, -1, -1}));
    }

    void goModeRoundTrip() {
        BoardFixture b;
        TVornModel& m = *b.modelP;
        CVornItem* a = m.AddWord("a");
        CVornItem* hidden = m.AddWord("hidden");
        hidden->i_b.set_hiddenB(true);
        b.viewP->content = tagRECT{0, 0, 200, 150};
        m.SetGoMode(true);
        QCOMPARE(m.i_list->Count(), 3);
        CVornItem* pic = m.GetFirstPict();
        QVERIFY(pic->HasPicture() && pic->i_b.lockedB());
        QCOMPARE(pic->i_boundsR, (tagRECT{0, 0, 200, 150}));
        QVERIFY(a->IsHidden());
        // A click on the picture alone is no hit; hidden items still are in Go Mode.
        int32 sub = 0;
        Point pt = MakePoint(190, 140);
        QCOMPARE(m.HitTest(&pt, &sub), static_cast<CVornItem*>(nullptr));
        QVERIFY(!EmptyRect(a->i_boundsR));
        a->i_boundsR = tagRECT{0, 0, 10, 10};
        pt = MakePoint(5, 5);
        QCOMPARE(m.HitTest(&pt, &sub), a);
        m.SetGoMode(true); // already there: nothing happens
        QCOMPARE(m.i_list->Count(), 3);
        m.SetGoMode(false);
        QCOMPARE(m.i_list->Count(), 2);
        QVERIFY(!a->i_b.hiddenB());
        QVERIFY(hidden->i_b.hiddenB());
        QVERIFY(!m.i_hiddenA && !m.i_picsA);
    }

    void documentName() {
        BoardFixture b;
        QCOMPARE(b.modelP->GetDocumentName(),
                 "Untitled Vorn " + std::to_string(b.modelP->GetUntitledNumber()));
        QTemporaryDir dir;
        b.modelP->SetFile(XGFileSpecifier(dir.path().toStdString()));
        QCOMPARE(b.modelP->GetDocumentName(), XGFileSpecifier(dir.path().toStdString()).GetName());
        QVERIFY(!b.modelP->DoDocumentSave()); // a folder is not saved in place
    }

    void registryTracksBoards() {
        auto* m = new TVornModel;
        QVERIFY(gVornListP->IndexOf(m) != kNoIndex);
        delete m;
        QCOMPARE(gVornListP->IndexOf(m), kNoIndex); // no dangling entry
    }

    void targetChoiceForBoards() {
        BoardWindow self, goBoard, editBoard;
        goBoard.modelP->SetGoMode(true);
        gVornListP->SetTarget(nullptr);
        XGDocForm* t = gVornListP->GetTarget(self.modelP, true);
        QCOMPARE(t, static_cast<XGDocForm*>(editBoard.controllerP));
        // Not itself, not a board in Go Mode.
        editBoard.modelP->SetGoMode(true);
        QCOMPARE(gVornListP->GetTarget(self.modelP, true), static_cast<XGDocForm*>(nullptr));
        goBoard.modelP->SetGoMode(false);
        QCOMPARE(gVornListP->GetTarget(self.modelP, true), static_cast<XGDocForm*>(goBoard.controllerP));
        // A text target is a text document's window.
        QCOMPARE(gVornListP->GetTarget(self.modelP, false), static_cast<XGDocForm*>(nullptr));
        FakeTextWindow text;
        QCOMPARE(gVornListP->GetTarget(self.modelP, false), static_cast<XGDocForm*>(text.formP));
        gVornListP->SetTarget(text.formP);
        QCOMPARE(self.modelP->i_target_controllerP, static_cast<XGDocForm*>(text.formP));
        gVornListP->RemoveTarget(text.formP);
        QCOMPARE(self.modelP->i_target_controllerP, static_cast<XGDocForm*>(nullptr));
        QCOMPARE(gVornListP->GetSharedTarget(), static_cast<XGDocForm*>(nullptr));
    }

    // Numerology output always goes to a board; with only a text window nothing is typed.
    void generateNumerology() {
        AlertRecorder alerts;
        auto text = std::make_unique<FakeTextWindow>();
        BoardWindow source;
        PlainGenerate(source.modelP).set_numerB(true);
        CVornItem* a = source.modelP->AddWord("a");
        source.modelP->AddWord("b");
        a->Generate();
        QVERIFY(text->formP->typed.empty());
        QCOMPARE(alerts.Count("Could not open a new window (out of memory?)"), 1);
        text.reset();
        BoardWindow target;
        gVornListP->SetTarget(nullptr);
        a->Generate();
        QCOMPARE(target.modelP->i_list->Count(), 1);
        QCOMPARE(Title(target.modelP->i_list->GetIndItem(0)), std::string("    3: a"));
        QCOMPARE(target.viewP->undoNames.back(), std::string("Insert Generated Numerology"));
    }

    void generateCopyIntoBoard() {
        BoardWindow source, target;
        PlainGenerate(source.modelP).set_gen_vorn_B(true);
        CVornItem* a = source.modelP->AddWord("Cat");
        a->i_b.set_hiddenB(true);
        a->SetLinkToURL("http://example.org/cat");
        a->Generate();
        QCOMPARE(s_launched, std::vector<std::string>{"http://example.org/cat"});
        QCOMPARE(target.modelP->i_list->Count(), 1);
        CVornItem* copy = target.modelP->i_list->GetIndItem(0);
        QCOMPARE(Title(copy), std::string("Cat"));
        QVERIFY(!copy->i_b.hiddenB());
        QCOMPARE(copy->i_vornP, target.modelP);
        QCOMPARE(target.viewP->undoNames.back(), std::string("Insert Generated Item"));
        // A whole list is one group in the target's history, after ending in-place editing.
        source.modelP->AddWord("Dog");
        std::unique_ptr<CItemArray> list(source.modelP->GetItemGroup(ItemA_Iterate_GET_VISIBLE));
        source.modelP->GenerateList(list.get(), target.modelP);
        QCOMPARE(target.viewP->endEdits, 1);
        QCOMPARE(target.modelP->i_list->Count(), 2);
    }

    void generateOpensLinks_data() {
        QTest::addColumn<int>("type");
        QTest::addColumn<bool>("launchPix");
        QTest::addColumn<bool>("opened");
        QTest::newRow("file always") << int(LinkType_FILE) << false << true;
        QTest::newRow("picture file not by default") << int(LinkType_PICT_FILE) << false << false;
        QTest::newRow("picture file when asked") << int(LinkType_PICT_FILE) << true << true;
        QTest::newRow("web picture not by default") << int(LinkType_PICT_URL) << false << false;
        QTest::newRow("web picture when asked") << int(LinkType_PICT_URL) << true << true;
        QTest::newRow("web link always") << int(LinkType_URL) << false << true;
    }
    void generateOpensLinks() {
        QFETCH(int, type);
        QFETCH(bool, launchPix);
        QFETCH(bool, opened);
        QTemporaryDir dir;
        const std::string path = dir.filePath("x.png").toStdString();
        QVERIFY(WriteFile(QString::fromStdString(path), {}));
        BoardFixture b;
        PlainGenerate(b.modelP).set_dont_gen_titleB(true);
        b.modelP->i_prefs.b.set_gen_launch_pixB(launchPix);
        CVornItem* item = b.modelP->AddWord("x");
        Vorn_LinkContent& d = item->i_resource.dest.content;
        d.type = uint8(type);
        if (type == LinkType_FILE || type == LinkType_PICT_FILE)
            d.u.fileP = new XGFileSpecifier(path);
        else
            d.u.textP = new std::string("http://example.org/x.png");
        item->Generate();
        QCOMPARE(s_launched.size(), size_t(opened ? 1 : 0));
    }

    void movedFileIsFoundBesideTheBoard() {
        QTemporaryDir dir;
        QVERIFY(WriteFile(dir.filePath("moved.txt"), {}));
        BoardFixture b;
        b.modelP->SetFile(XGFileSpecifier(dir.filePath("board.2dv").toStdString()));
        PlainGenerate(b.modelP).set_dont_gen_titleB(true);
        CVornItem* item = b.modelP->AddWord("x");
        item->SetLinkToFile(new XGFileSpecifier("/gone/away/moved.txt"));
        QVERIFY(item->IsMissing());
        item->Generate();
        QCOMPARE(s_launched, std::vector<std::string>{"file:moved.txt"});
        QVERIFY(!item->IsMissing());
    }

    void unknownLinkTypeGeneratesNothing() {
        FakeTextWindow text;
        BoardWindow board;
        PlainGenerate(board.modelP);
        CVornItem* item = board.modelP->AddWord("x");
        item->i_resource.dest.content.type = 9;
        item->Generate();
        item->i_resource.dest.content.type = LinkType_NONE;
        QVERIFY(text.formP->typed.empty());
        QVERIFY(s_launched.empty());
    }

    void missingBoardIsReportedNotFatal() {
        AlertRecorder alerts;
        CVornItem item(nullptr, kNoIndex);
        item.Generate();
        QVERIFY(!item.IsLocked());
        item.InsertToList(nullptr);
        QCOMPARE(alerts.Count("Assert Fail:|"), 3);
        QCOMPARE(alerts.Count("CVornItem.cpp("), 3);
    }
};

QTEST_MAIN(tst_model)
#include "tst_model.moc"
