// Board items and item arrays: names and links, numerology, the walk commands, the picture
// loader's hand-over, and the array's insert, reorder, walk, duplicate and sort rules.
#include "AlertRecorder.h"
#include "BoardFakes.h"
#include "BoardGlobals.h"
#include "BoardProbes.h"
#include "CItemArray.h"
#include "ImageProbe.h"
#include "LoopbackServer.h"
#include "TestFiles.h"
#include "XGFileSpecifier.h"

#include <QTemporaryDir>
#include <QtTest>

#include <iterator>
#include <memory>

using namespace yaaf;
using namespace vorntest;

namespace {
CVornItem* PictureItem(TVornModel* m, const std::string& path) {
    auto* item = new CVornItem(m, kNoIndex);
    item->i_resource.source.content.type = LinkType_PICT_FILE;
    item->i_resource.source.content.u.fileP = new XGFileSpecifier(path);
    item->i_vornP = m;
    m->InsertItem(item, -1);
    return item;
}
// The board's walks (which read its list's copy of the flags and bounds) against the items.
void CheckWalksAgreeWithItems(TVornModel* m) {
    for (int v = -4; v < 90; v += 3)
        for (int h = -4; h < 160; h += 3) {
            const Point pt = MakePoint(h, v);
            int32 sub = 0, subSlow = 0;
            QCOMPARE(m->HitTest(&pt, &sub), HitTestItemByItem(m, pt, &subSlow));
            QCOMPARE(sub, subSlow);
        }
    std::unique_ptr<CItemArray> locked(m->GetItemGroup(ItemA_Iterate_GET_LOCKED));
    int lockedCount = 0;
    for (int i = 0; i < m->i_list->Count(); ++i)
        lockedCount += m->i_list->GetIndItem(i)->i_b.lockedB();
    QCOMPARE(locked->Count(), lockedCount);
    m->SelectAll(true);
    for (int i = 0; i < m->i_list->Count(); ++i) {
        CVornItem* itemP = m->i_list->GetIndItem(i);
        if (!itemP->IsLocked() && !itemP->IsHidden()) QVERIFY(itemP->i_b.selectedB());
    }
    std::unique_ptr<CItemArray> all(m->GetItemSelection());
    m->SelectAll(false);
    for (int i = 0; i < all->Count(); ++i)
        QCOMPARE(all->GetIndItem(i)->i_b.selectedB(),
                 all->GetIndItem(i)->IsLocked() || all->GetIndItem(i)->IsHidden());
}
} // namespace

class tst_items : public QObject {
    Q_OBJECT
    BoardGlobals fGlobals;

private slots:
    // The sum of a title, and the title once a number in front is stripped off.
    void numerology_data() {
        QTest::addColumn<QString>("title");
        QTest::addColumn<int>("sum");
        QTest::addColumn<QString>("stripped"); // empty: as it was
        QTest::newRow("letters") << "Abc" << 6 << "";
        QTest::newRow("wraps at nine") << "Zz" << 16 << "";
        QTest::newRow("blanks skipped") << "a b" << 3 << "";
        QTest::newRow("all digits read as number") << "123" << 123 << "";
        QTest::newRow("digits add nothing beside letters") << "12a" << 1 << "";
        QTest::newRow("colon ends the title") << "ab:cd" << 3 << "";
        QTest::newRow("digits before colon") << "   42: Cat" << 42 << "Cat";
        QTest::newRow("first word only") << "   42: Black cat" << 42 << "Black";
        QTest::newRow("number without word") << "   42: " << 42 << "";
        QTest::newRow("non-ASCII adds nothing") << QString(QChar(0xE9)) + "a" << 1 << "";
        QTest::newRow("huge number stays in 32 bits") << "99999999999999" << 2147483647 << "";
    }
    void numerology() {
        QFETCH(QString, title);
        QFETCH(QString, stripped);
        BoardFixture b;
        CVornItem* item = b.modelP->AddWord(title.toLatin1().constData());
        QTEST(int(item->Numerology_Sum()), "sum");
        b.modelP->i_list->Iterate(ItemA_Iterate_STRIP_NUMEROLOGY, nullptr);
        QCOMPARE(QString::fromLatin1(Title(item).c_str()), stripped.isEmpty() ? title : stripped);
    }

    void itemWithoutText() {
        CVornItem item(nullptr, kNoIndex);
        QCOMPARE(item.Numerology_Sum(), 0);
        Vorn_LinkContent& c = item.i_resource.dest.content;
        QCOMPARE(*CVornItem::Vorn_GetTextP(c), std::string(" ")); // reads as a blank
        CVornItem::Vorn_SetText(c, "");
        QCOMPARE(*CVornItem::Vorn_GetTextP(c), std::string(" "));
        char small[4];
        CVornItem::Vorn_SetText(c, "abcdef");
        CVornItem::Vorn_GetText(c, small, sizeof small);
        QCOMPARE(QByteArray(small), QByteArray("abc"));
    }

    // A link sets the destination; an item without a title of its own takes the link's.
    void setLink_data() {
        QTest::addColumn<QString>("title"); // "-": none set
        QTest::addColumn<QString>("link");  // a path: a file link
        QTest::addColumn<QString>("expected");
        QTest::addColumn<int>("destType");
        const auto row = [](const char* name, const char* title, const char* link, const char* expected,
                            int type) { QTest::newRow(name) << title << link << expected << type; };
        row("blank title takes file name", " ", "/nowhere/notes.txt", "notes.txt", LinkType_FILE);
        row("empty title takes file name", "", "/nowhere/notes.txt", "notes.txt", LinkType_FILE);
        row("real title kept", "Cat", "/nowhere/notes.txt", "Cat", LinkType_FILE);
        row("web address", "-", "http://example.org/a.html", "http://example.org/a.html", LinkType_URL);
        row("plain text", "-", "just words", "just words", LinkType_TEXT);
        row("titled web address", "Cat", "http://example.org/a.html", "Cat", LinkType_URL);
    }
    void setLink() {
        QFETCH(QString, title);
        QFETCH(QString, link);
        CVornItem item(nullptr, kNoIndex);
        if (title != "-")
            CVornItem::Vorn_SetText(item.i_resource.source.content, title.toStdString().c_str());
        if (link.startsWith('/'))
            item.SetLinkToFile(new XGFileSpecifier(link.toStdString()));
        else
            item.SetLinkToURL(link.toUtf8().constData());
        QTEST(QString::fromStdString(Title(&item)), "expected");
        QTEST(int(item.i_resource.dest.content.type), "destType");
        QCOMPARE(int(item.i_resource.source.content.type), int(LinkType_TEXT));
        if (link.startsWith('/')) QVERIFY(item.IsMissing());
    }

    void webPictureThatFailsBecomesWebLink() {
        LoopbackServer server(LoopbackServer::Reply(HttpReply("not found", {}, "404 Not Found")));
        AlertRecorder alerts;
        BoardFixture b;
        auto* item = new CVornItem(b.modelP, kNoIndex);
        b.modelP->AddItem(item);
        item->SetLinkToURL(server.Url("/cat.jpg").c_str());
        QCOMPARE(int(item->i_resource.source.content.type), int(LinkType_PICT_URL));
        QTRY_VERIFY_WITH_TIMEOUT(!item->IsLoading(), 15000);
        b.modelP->Idle();
        b.modelP->Idle();
        QCOMPARE(int(item->i_resource.source.content.type), int(LinkType_URL));
        QCOMPARE(alerts.Count("Trouble loading URL"), 1);
        QCOMPARE(b.modelP->i_idle_list->Count(), 0);
    }

    void pictureFileLoads() {
        QTemporaryDir dir;
        const QString path = dir.filePath("pic.png");
        QVERIFY(SavePicture(path, 30, 20, Qt::red));
        AlertRecorder alerts;
        BoardFixture b;
        CVornItem* item = PictureItem(b.modelP, path.toStdString());
        SetRect(item, 5, 6, 7, 8);
        item->CacheItem(false, true, 5);
        QVERIFY(!item->IsLoading());
        QVERIFY(b.modelP->i_idle_list->Member(item));
        b.modelP->Idle();
        QVERIFY(item->HasPicture());
        QCOMPARE(item->i_boundsR, (tagRECT{5, 6, 35, 26}));
        QCOMPARE(alerts.Count("Trouble"), 0);
        QVERIFY(!CVornItem(item, nullptr).HasPicture()); // a copy never shares the picture
        CVornItem* missing = PictureItem(b.modelP, "/nowhere/pic.png");
        missing->CacheItem(false, false, 5);
        b.modelP->Idle();
        QCOMPARE(alerts.Count("Trouble loading Picture"), 1);
        QVERIFY(missing->IsMissing());
    }

    void destroyingWhileLoadingWaits() {
        QTemporaryDir dir;
        QVERIFY(SavePicture(dir.filePath("big.png"), 2000, 1333, Qt::red));
        const std::string path = dir.filePath("big.png").toStdString();
        for (int round = 0; round < 5; ++round) {
            auto* b = new BoardFixture;
            for (int i = 0; i < 3; ++i)
                PictureItem(b->modelP, path)->CacheItem(false, false, 0);
            // Detach one and destroy it outside the board while it may still load.
            CVornItem* first = b->modelP->i_list->GetIndItem(0);
            first->DeleteFromList(false);
            QVERIFY(!b->modelP->i_idle_list->Member(first));
            delete first;
            delete b; // the rest go with the board
        }
    }

    // The part of an item at 10,10-50,30 hit. Its state: s selected, l locked, h hidden, and i
    // when the board ignores locks.
    void hitTest_data() {
        QTest::addColumn<int>("h");
        QTest::addColumn<int>("v");
        QTest::addColumn<QString>("state");
        QTest::addColumn<int>("part");
        QTest::newRow("inside") << 20 << 20 << "" << 1;
        QTest::newRow("top-left handle") << 7 << 7 << "s" << 2;
        QTest::newRow("top-right handle") << 53 << 7 << "s" << 3;
        QTest::newRow("bottom-left handle") << 7 << 33 << "s" << 4;
        QTest::newRow("bottom-right handle") << 53 << 33 << "s" << 5;
        QTest::newRow("handle needs selection") << 7 << 7 << "" << 0;
        QTest::newRow("far outside") << 100 << 100 << "s" << 0;
        QTest::newRow("locked") << 20 << 20 << "l" << 0;
        QTest::newRow("locked, locks ignored") << 20 << 20 << "li" << 1;
        QTest::newRow("hidden") << 20 << 20 << "h" << 0;
    }
    void hitTest() {
        QFETCH(int, h);
        QFETCH(int, v);
        QFETCH(QString, state);
        QFETCH(int, part);
        BoardFixture b;
        CVornItem* item = b.modelP->AddWord("A");
        SetRect(item, 10, 10, 50, 30);
        item->i_b.set_selectedB(state.contains('s'));
        item->i_b.set_lockedB(state.contains('l'));
        item->i_b.set_hiddenB(state.contains('h'));
        b.modelP->i_prefs.b.set_ignore_locksB(state.contains('i'));
        int32 sub = 0;
        const Point pt = MakePoint(h, v);
        QCOMPARE(b.modelP->HitTest(&pt, &sub) == item, part != 0);
        QCOMPARE(int(sub), part);
    }

    // A polygon item is hit inside its outline only: a triangle filling the lower-left half.
    void hitTestPolygon() {
        BoardFixture b;
        int32 sub = 0;
        CVornItem* tri = b.modelP->AddWord("tri");
        SetRect(tri, 200, 0, 300, 100);
        tri->CreateNewRgn();
        for (int i = 0; i < kVornRgnPoints; ++i)
            tri->i_rgnP->pts[i] = i < 6 ? MakePoint(0, 0) : i < 11 ? MakePoint(0, 100) : MakePoint(100, 100);
        Point in = MakePoint(210, 80), out = MakePoint(280, 10);
        QCOMPARE(b.modelP->HitTest(&in, &sub), tri);
        QCOMPARE(b.modelP->HitTest(&out, &sub), static_cast<CVornItem*>(nullptr));
    }

    // The board's list keeps a copy of its items' flags and bounds for its walks: a change by
    // any way is seen there, also after the list has moved its items about.
    void copyFollowsEveryChange_data() {
        QTest::addColumn<int>("way");
        const char* const ways[] = {
            "flag setter", "flag word",     "bounds assigned", "OffsetRect",  "walk over a group",
            "move walk",   "align walk",    "auto bounds",     "copied over", "reinserted at the front",
            "sorted",      "removed before"};
        for (int way = 0; way < int(std::size(ways)); ++way)
            QTest::newRow(ways[way]) << way;
    }
    void copyFollowsEveryChange() {
        QFETCH(int, way);
        BoardFixture b;
        TVornModel* m = b.modelP;
        // Placed before they go in: the list's copy starts from what insertion reads.
        std::vector<CVornItem*> items;
        for (int i = 0; i < 12; ++i) {
            auto* itemP = new CVornItem(m, kNoIndex);
            CVornItem::Vorn_SetText(itemP->i_resource.source.content, std::string(1, char('l' - i)).c_str());
            SetRect(itemP, 40 * (i % 4), 25 * (i / 4), 40 * (i % 4) + 30, 25 * (i / 4) + 20);
            m->InsertItem(itemP, -1);
            items.push_back(itemP);
        }
        CheckWalksAgreeWithItems(m);
        CVornItem* item = items[5];
        std::unique_ptr<CItemArray> group(new CItemArray);
        group->Add(items[2]);
        group->Add(item);
        bool on = true;
        ItemA_Iterate_MOVEData move;
        move.offset = MakePoint(37, 9);
        move.handleType = 1;
        ItemA_Iterate_AlignData align;
        align.command = kVornCmd_AlignTop;
        align.valueL = 62;
        const uint8 byName = O_Sort_NAME;
        switch (way) {
        case 0:
            item->i_b.set_lockedB(true);
            items[6]->i_b.set_selectedB(true);
            break;
        case 1:
            item->i_b.SetWord(item->i_b.GetWord() | (1u << Vorn_ItemBoolsRec_DISK::kHidden));
            break;
        case 2:
            item->i_boundsR = tagRECT{150, 70, 120, 85}; // the wrong way round
            break;
        case 3:
            OffsetRect(item->i_boundsR, 33, 21);
            break;
        case 4:
            group->Iterate(ItemA_Iterate_SET_LOCKED, &on);
            group->Iterate(ItemA_Iterate_SELECT, &on);
            break;
        case 5:
            group->Iterate(ItemA_Iterate_MOVE, &move);
            break;
        case 6:
            group->Iterate(ItemA_Iterate_ALIGN, &align);
            break;
        case 7:
            item->i_auto_boundsR = tagRECT{1, 1, 9, 9};
            m->i_list->Iterate(ItemA_Iterate_USE_AUTO_BOUNDS, &on);
            break;
        case 8:
            items[0]->i_b.set_selectedB(true);
            *item = *items[0];
            break;
        case 9:
            item->DeleteFromList(false);
            item->i_indexL = 0;
            item->InsertToList(m);
            items[9]->i_b.set_hiddenB(true);
            SetRect(items[10], 0, 0, 150, 80);
            break;
        case 10:
            m->i_list->Sort(CItemArray::CB_S_ArraySort, const_cast<uint8*>(&byName));
            item->i_b.set_selectedB(true);
            SetRect(items[1], 5, 5, 25, 25);
            break;
        case 11:
            items[0]->DeleteFromList(true);
            item->i_b.set_lockedB(true);
            SetRect(items[11], 0, 0, 60, 60);
            break;
        }
        CheckWalksAgreeWithItems(m);
    }

    void numerologyFollowsTitle() {
        BoardFixture b;
        CVornItem* item = b.modelP->AddWord("   42: Cat");
        b.modelP->AddWord("Abc");
        QCOMPARE(b.modelP->NumerologyTotal(), 6 + 42);
        b.modelP->i_list->Iterate(ItemA_Iterate_STRIP_NUMEROLOGY, nullptr);
        QCOMPARE(b.modelP->NumerologyTotal(), 6 + 6);
        CVornItem::Vorn_SetText(item->i_resource.source.content, "Zz");
        QCOMPARE(b.modelP->NumerologyTotal(), 6 + 16);
        CVornItem copy(item, nullptr);
        QCOMPARE(copy.Numerology_Sum(), 16);
        CVornItem::Vorn_SetText(item->i_resource.source.content, "");
        item->SetLinkToFile(new XGFileSpecifier("/tmp/ab"));
        QCOMPARE(b.modelP->NumerologyTotal(), 6 + 3);
    }

    // The font walk follows the rule shared with the text view: style 0 clears, any other style
    // toggles its bits; a size is taken only when it comes out above 1.
    void setFont_data() {
        QTest::addColumn<int>("startStyle");
        QTest::addColumn<int>("startSize");
        QTest::addColumn<int>("style"); // -1: no style in the request
        QTest::addColumn<bool>("delta");
        QTest::addColumn<int>("size"); // 0: no size in the request
        QTest::addColumn<int>("wantStyle");
        QTest::addColumn<int>("wantSize");
        QTest::newRow("bold on plain") << 0 << 12 << 1 << false << 0 << 1 << 12;
        QTest::newRow("bold on bold toggles off") << 1 << 12 << 1 << false << 0 << 0 << 12;
        QTest::newRow("italic joins bold") << 1 << 12 << 2 << false << 0 << 3 << 12;
        QTest::newRow("plain clears every bit") << 7 << 12 << 0 << false << 0 << 0 << 12;
        QTest::newRow("one step smaller") << 4 << 12 << -1 << true << -1 << 4 << 11;
        QTest::newRow("size 1 is refused") << 0 << 12 << -1 << false << 1 << 0 << 12;
        QTest::newRow("step to 1 is refused") << 0 << 2 << -1 << true << -1 << 0 << 2;
    }
    void setFont() {
        QFETCH(int, startStyle);
        QFETCH(int, startSize);
        QFETCH(int, style);
        QFETCH(bool, delta);
        QFETCH(int, size);
        BoardFixture b;
        CVornItem* item = b.modelP->AddWord("a");
        item->i_font.SetStyle(uint16(startStyle));
        item->i_font.SetSize(startSize);
        XGFontChangeRec rec{};
        rec.set_styleB = style >= 0;
        rec.styleS = int16(std::max(style, 0));
        rec.set_sizeB = size != 0;
        rec.size_deltaB = delta;
        rec.sizeS = int16(size);
        b.modelP->i_list->Iterate(ItemA_Iterate_SET_FONT, &rec);
        QTEST(int(item->i_font.GetStyle() & 0x7), "wantStyle");
        QTEST(int(item->i_font.GetSize()), "wantSize");
    }

    void shuffleIndex() {
        BoardFixture b;
        CVornItem* only = b.modelP->AddWord("only");
        int32 counter = kNoIndex;
        b.modelP->i_list->Iterate(ItemA_Iterate_SET_INDEX, &counter);
        QCOMPARE(only->i_indexL, 0);
        for (int i = 0; i < 9; ++i)
            b.modelP->AddWord("x");
        for (int round = 0; round < 20; ++round) {
            b.modelP->i_list->Iterate(ItemA_Iterate_SET_INDEX, &counter); // a shuffle stays in range
            for (int i = 0; i < 10; ++i)
                QVERIFY(uint32(b.modelP->i_list->GetIndItem(i)->i_indexL) <= 9);
        }
        counter = 5;
        b.modelP->i_list->Iterate(ItemA_Iterate_SET_INDEX, &counter);
        QCOMPARE(b.modelP->i_list->GetIndItem(9)->i_indexL, 14);
        QCOMPARE(counter, 15);
    }

    void repairs() {
        BoardFixture b;
        CVornItem* item = b.modelP->AddWord("r");
        item->CreateNewRgn();
        item->i_rgnP->pts[0] = Point{int16(0x0102), int16(0x0304)};
        item->i_font.SetSize(0x0C00); // 12 with its bytes exchanged
        int32 code = kVornRepair_SwapRegions;
        b.modelP->i_list->Iterate(ItemA_Iterate_REPAIR, &code);
        QCOMPARE(item->i_rgnP->pts[0], (Point{int16(0x0201), int16(0x0403)}));
        code = kVornRepair_FontSizes;
        b.modelP->i_list->Iterate(ItemA_Iterate_REPAIR, &code);
        QCOMPARE(item->i_font.GetSize(), 12);
        item->i_font.SetSize(0x7F00); // swaps to 127: too big, becomes 12
        b.modelP->i_list->Iterate(ItemA_Iterate_REPAIR, &code);
        QCOMPARE(item->i_font.GetSize(), 12);

        QTemporaryDir dir;
        QVERIFY(WriteFile(dir.filePath("site.url"),
                          "[DEFAULT]\r\nBASEURL=http://example.org/page\r\nURL=http://other\r\n"));
        CVornItem* link = b.modelP->AddWord("site");
        link->SetLinkToFile(new XGFileSpecifier(dir.filePath("site.url").toStdString()));
        code = kVornRepair_URLFiles;
        b.modelP->i_list->Iterate(ItemA_Iterate_REPAIR, &code);
        QCOMPARE(int(link->i_resource.dest.content.type), int(LinkType_URL));
        QCOMPARE(link->GetName(Vorn_Ref_DEST), std::string("http://example.org/page"));
        QCOMPARE(Title(link), std::string("site"));
    }

    // The menu's counts of locked and hidden items: tst_boardcommands.
    void groupsAndMenuInfo() {
        BoardFixture b;
        CVornItem* a = b.modelP->AddWord("a");
        CVornItem* c = b.modelP->AddWord("c");
        a->i_b.set_lockedB(true);
        c->i_b.set_hiddenB(true);
        c->i_b.set_selectedB(true);
        ItemA_Iterate_SET_MENU_INFOData set{true, true, false, false};
        b.modelP->i_list->Iterate(ItemA_Iterate_SET_MENU_INFO, &set);
        QVERIFY(c->i_b.lockedB());
        QVERIFY(!c->i_b.selectedB()); // newly locked: deselected
        std::unique_ptr<CItemArray> locked(b.modelP->GetItemGroup(ItemA_Iterate_GET_LOCKED));
        QCOMPARE(locked->Count(), 2);
        std::unique_ptr<CItemArray> visible(b.modelP->GetItemGroup(ItemA_Iterate_GET_VISIBLE));
        QCOMPARE(visible->Count(), 1);
        QCOMPARE(visible->GetIndItem(0), a);
    }

    // --- item arrays --------------------------------------------------------------------------

    void arrayInsertRemoveAndCompare() {
        AlertRecorder alerts;
        CItemArray a, b;
        CVornItem x(nullptr, kNoIndex), y(nullptr, kNoIndex);
        QCOMPARE(a.InsertAt(&x, a.Count()), int16(0));
        QCOMPARE(a.InsertAt(&y, a.Count() + 1), int16(0));
        QCOMPARE(a.Count(), 1);
        QCOMPARE(alerts.Count("Can't insert past the end dude."), 1);
        a.Remove(&y); // not there: nothing happens
        QCOMPARE(a.Count(), 1);
        b.Add(&x);
        QVERIFY(a == b);
        b.Add(&y);
        QVERIFY(!(a == b));
        QCOMPARE(a.InsertAt(&y, kNoIndex), int16(0));
        QCOMPARE(a.GetIndItem(-1), &y);
        QCOMPARE(alerts.Count("Trying to insert an item with no index."), 1);
    }

    void reorder_data() {
        QTest::addColumn<int>("from");
        QTest::addColumn<int>("to");
        QTest::addColumn<QString>("expected");
        QTest::newRow("forward") << 0 << 3 << "qrpst";
        QTest::newRow("backward") << 3 << 0 << "spqrt";
        QTest::newRow("same place") << 2 << 2 << "pqrst";
        QTest::newRow("to the end") << 1 << 5 << "prstq";
    }
    void reorder() {
        QFETCH(int, from);
        QFETCH(int, to);
        BoardFixture b;
        for (const char* t : {"p", "q", "r", "s", "t"})
            b.modelP->AddWord(t);
        QCOMPARE(b.modelP->i_list->ReorderByIndex(from, to), int16(0));
        QTEST(Titles(b.modelP->i_list), "expected");
    }

    // Copies of an array (Duplicate) are what sorting and shuffling a board exchange, so their undo
    // in tst_boardcommands checks them; copying a group into a board: dropBetweenBoards.

    // Sorting by name is in byte order; a sort started from inside a sort is refused.
    void sort() {
        AlertRecorder alerts;
        BoardFixture b;
        for (const char* t : {"B", "a", "A"})
            b.modelP->AddWord(t);
        static CItemArray* s_inner = nullptr;
        static int16 s_innerResult = 0;
        CItemArray inner;
        s_inner = &inner;
        s_innerResult = 0;
        auto nested = [](void* refcon, CItemArray* array, void* a, void* bb, int* result) -> int16 {
            if (s_inner) {
                s_innerResult = s_inner->Sort(CItemArray::CB_S_ArraySort, refcon);
                s_inner = nullptr;
            }
            return CItemArray::CB_S_ArraySort(refcon, array, a, bb, result);
        };
        O_SortType key = O_Sort_NAME;
        QCOMPARE(b.modelP->i_list->Sort(nested, &key), int16(0));
        QCOMPARE(s_innerResult, int16(1));
        QCOMPARE(alerts.Count("the sort function is not reentrant."), 1);
        QCOMPARE(Titles(b.modelP->i_list), QString("ABa"));
        // The statics are free again: a new sort works. By index, computed in 16 bits.
        b.modelP->i_list->GetIndItem(0)->i_indexL = 1;
        b.modelP->i_list->GetIndItem(1)->i_indexL = 0;
        b.modelP->i_list->GetIndItem(2)->i_indexL = 2;
        key = O_Sort_INDEX;
        QCOMPARE(b.modelP->i_list->Sort(CItemArray::CB_S_ArraySort, &key), int16(0));
        QCOMPARE(Titles(b.modelP->i_list), QString("BAa"));

        // A comparator that fails stops the sort at once with its error.
        static int s_calls = 0;
        auto failing = [](void*, CItemArray*, void*, void*, int* result) -> int16 {
            ++s_calls;
            *result = -1;
            return 7;
        };
        QCOMPARE(b.modelP->i_list->Sort(failing, nullptr), int16(7));
        QCOMPARE(s_calls, 1);
    }
};

QTEST_MAIN(tst_items)
#include "tst_items.moc"
