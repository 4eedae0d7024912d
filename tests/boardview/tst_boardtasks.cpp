// The board tasks below the menus: the kinds the board commands do not reach the same way done,
// undone and redone against the board they should give, the merging of nudges and font steps, the
// selection an insert gives back, the undo depth, and changes that cannot be filed.
#include "AlertRecorder.h"
#include "BoardFakes.h"
#include "BoardGlobals.h"
#include "BoardProbes.h"
#include "BoardSnapshot.h"
#include "CItemArray.h"
#include "UndoCheck.h"
#include "VornBoardTask.h"
#include "XGFileSpecifier.h"
#include "XGPicture.h"

#include <QtTest>

#include <algorithm>
#include <functional>
#include <initializer_list>
#include <numeric>
#include <string>
#include <vector>

using namespace yaaf;
using namespace vorntest;

namespace {

// A board with a stand-in view whose undo stacks are the engine's, holding items by title.
struct Board : BoardFixture {
    explicit Board(std::initializer_list<const char*> titles = {"c", "a", "d", "b"}) {
        for (const char* t : titles)
            modelP->AddWord(t);
        viewP->SetStacks(false);
    }
    CVornItem* Item(const std::string& title) const { return FindItem(modelP, title); }
    // The items in the board's order.
    CItemArray* Array(const std::vector<std::string>& titles) const { return ItemsTitled(modelP, titles); }
    void Select(const std::vector<std::string>& titles) const { SelectTitled(modelP, titles); }
    std::string Titles() const { return TitleList(modelP); }
    std::string Selected() const { return TitleList(modelP, true); }
};

XGFontChangeRec SizeStep(int16 stepS) {
    XGFontChangeRec rec;
    rec.set_sizeB = true;
    rec.size_deltaB = true;
    rec.sizeS = stepS;
    return rec;
}

struct KindCase {
    const char* name;
    std::function<void(Board&)> setup;
    std::function<bool(Board&)> change;
    std::function<void(Board&)> expect;
};

const std::vector<KindCase>& KindCases() {
    static const std::vector<KindCase> cases = {
        {"Add Item", [](Board& b) { b.Select({"a"}); },
         [](Board& b) { return BoardTask_AddWordCmd(b.viewP, "new", "Add Item", nullptr); },
         [](Board& b) {
             QCOMPARE(b.Titles(), std::string("c a d b new"));
             QCOMPARE(b.Selected(), std::string("new"));
             // Below the last item, sized to its title.
             QCOMPARE(b.Item("new")->i_boundsR.top, b.Item("b")->i_boundsR.bottom + 1);
             QVERIFY(b.Item("new")->i_boundsR.Width() > 0);
         }},
        {"Change Item Title to a web address", [](Board& b) { b.Select({"a"}); },
         [](Board& b) {
             return BoardTask_ChangeText(b.viewP, b.Item("a"), Vorn_Ref_SRC, "http://www.quorvale.com/",
                                         "Change Item Title");
         },
         [](Board& b) {
             QCOMPARE(int(b.Item("http://www.quorvale.com/")->i_resource.source.content.type),
                      int(LinkType_URL));
         }},
        {"Change Item Content", [](Board& b) { b.Select({"a"}); },
         [](Board& b) {
             return BoardTask_ChangeText(b.viewP, b.Item("a"), Vorn_Ref_DEST, "http://www.quorvale.com/vorn",
                                         "Change Item Content");
         },
         [](Board& b) {
             QCOMPARE(int(b.Item("a")->i_resource.dest.content.type), int(LinkType_URL));
             QCOMPARE(b.Item("a")->GetName(Vorn_Ref_DEST), std::string("http://www.quorvale.com/vorn"));
         }},
        // Undo gives back the file link itself, not a text with its name.
        {"Change Item Content over a file link",
         [](Board& b) {
             b.Item("a")->SetLinkToFile(new XGFileSpecifier("/tmp/vorn-notes.txt"));
             b.Select({"a"});
         },
         [](Board& b) {
             return BoardTask_ChangeText(b.viewP, b.Item("a"), Vorn_Ref_DEST, "notes", "Change Item Content");
         },
         [](Board& b) {
             QCOMPARE(int(b.Item("a")->i_resource.dest.content.type), int(LinkType_TEXT));
             QCOMPARE(b.Item("a")->GetName(Vorn_Ref_DEST), std::string("notes"));
         }},
        // A step to size 1 is refused: undo must not make the item bigger than it was.
        {"Change Font Size below 2",
         [](Board& b) {
             b.Item("a")->i_font.SetSize(2);
             b.Select({"a", "b"});
         },
         [](Board& b) {
             return BoardTask_ChangeFont(b.viewP, b.Array({"a", "b"}), SizeStep(-1), "Change Font Size");
         },
         [](Board& b) {
             QCOMPARE(b.Item("a")->i_font.GetSize(), 2);
             QCOMPARE(b.Item("b")->i_font.GetSize(), 11);
         }},
        // A lock of a mixed selection locks both and deselects them; undo gives each its own
        // lock back, and the selection.
        {"Lock Item(s)",
         [](Board& b) {
             b.Item("a")->i_b.set_lockedB(true);
             b.Select({"b", "d"});
         },
         [](Board& b) {
             ItemA_Iterate_SET_MENU_INFOData info;
             info.set_lockedB = info.lockedB = true;
             return BoardTask_SetMenuInfo(b.viewP, b.Array({"a", "b"}), info, "Lock Item(s)");
         },
         [](Board& b) {
             QVERIFY(b.Item("a")->i_b.lockedB());
             QVERIFY(b.Item("b")->i_b.lockedB());
             QCOMPARE(b.Selected(), std::string("d"));
         }},
        // Drawing gives items without flat-column bounds their freeform ones; Go Mode draws.
        {"Switch To Go Mode",
         [](Board& b) {
             for (int32 i = 0; i < b.modelP->i_list->Count(); ++i)
                 b.modelP->i_list->GetIndItem(i)->GetScreenBounds();
         },
         [](Board& b) { return BoardTask_SwitchMode(b.viewP, "Switch To Go Mode"); },
         [](Board& b) {
             QCOMPARE(int(b.modelP->GetMode()), int(Vorn_Mode_GO));
             QCOMPARE(b.modelP->i_list->Count(), 5); // the Go Mode picture in front
         }},
        {"Add Column", [](Board&) {}, [](Board& b) { return BoardTask_Columns(b.viewP, 58, "Add Column"); },
         [](Board& b) { QCOMPARE(b.modelP->i_prefs.num_columnsS, int16(5)); }},
        {"Remove Shapes",
         [](Board& b) {
             b.Item("a")->CreateNewRgn();
             b.Item("a")->i_rgnP->pts[1] = Point{3, 7};
         },
         [](Board& b) {
             return BoardTask_Shapes(b.viewP, b.Array({"a", "b"}), true, "Remove Shapes");
         },
         [](Board& b) {
             QVERIFY(!b.Item("a")->i_b.rgnB());
             QVERIFY(!b.Item("b")->i_b.rgnB());
         }},
        {"Restore Shapes",
         [](Board& b) {
             b.Item("a")->CreateNewRgn();
             b.Item("a")->i_b.set_rgnB(false);
         },
         [](Board& b) {
             return BoardTask_Shapes(b.viewP, b.Array({"a", "b"}), false, "Restore Shapes");
         },
         [](Board& b) {
             QVERIFY(b.Item("a")->i_b.rgnB());
             QVERIFY(!b.Item("b")->i_b.rgnB()); // no polygon, no shape
         }},
    };
    return cases;
}

} // namespace

class tst_boardtasks : public QObject {
    Q_OBJECT
    BoardGlobals fGlobals;

private slots:
    void everyKind_data() {
        QTest::addColumn<int>("index");
        for (size_t i = 0; i < KindCases().size(); ++i)
            QTest::newRow(KindCases()[i].name) << int(i);
    }
    void everyKind() {
        QFETCH(int, index);
        const KindCase& c = KindCases()[size_t(index)];
        Board b;
        c.setup(b);
        AlertRecorder alerts;
        b.viewP->docChanged = 0;
        VORN_CHECK_UNDOABLE([&] { return BoardSnapshot(*b.modelP); }, [&] { QVERIFY(c.change(b)); },
                            [&](const std::string&) { c.expect(b); });
        QCOMPARE(UndoUnits(), 1);
        QVERIFY2(alerts.empty(), alerts.empty() ? "" : alerts[0].text.c_str());
        QVERIFY(b.viewP->docChanged >= 3); // every run reports the change
    }

    // Nudges, and font size steps, of the same items merge into one unit, which undo takes back
    // whole; a mouse move between them, other items, or a sum past the 16-bit offset start a unit
    // of their own.
    void stepsMerge_data() {
        QTest::addColumn<bool>("fontB"); // font size steps, else nudges
        QTest::addColumn<QList<int>>("steps");
        QTest::addColumn<QStringList>("items"); // the items of each step
        QTest::addColumn<bool>("fenced");       // a mouse move before each step but the first
        QTest::addColumn<int>("units");
        QTest::newRow("same items") << false << QList<int>{1, 1, 1} << QStringList{"ab", "ab", "ab"} << false
                                    << 1;
        QTest::newRow("after a mouse move")
            << false << QList<int>{30, 1} << QStringList{"a", "a"} << true << 2;
        QTest::newRow("other items") << false << QList<int>{30, 1} << QStringList{"a", "ab"} << false << 2;
        QTest::newRow("past 16 bits")
            << false << QList<int>{30000, 30000} << QStringList{"a", "a"} << false << 2;
        QTest::newRow("font, same items")
            << true << QList<int>{1, 1} << QStringList{"ab", "ab"} << false << 1;
        QTest::newRow("font, other items")
            << true << QList<int>{1, 1} << QStringList{"ab", "a"} << false << 2;
    }
    void stepsMerge() {
        QFETCH(bool, fontB);
        QFETCH(QList<int>, steps);
        QFETCH(QStringList, items);
        QFETCH(bool, fenced);
        QFETCH(int, units);
        Board b;
        const auto value = [&](const char* title) {
            CVornItem* itemP = b.Item(title);
            return fontB ? int(itemP->i_font.GetSize()) : int(itemP->i_boundsR.left);
        };
        const int a0 = value("a"), b0 = value("b");
        for (int i = 0; i < steps.size(); ++i) {
            if (fenced && i > 0) gDo->ForceNotCollapse();
            std::vector<std::string> titles;
            for (QChar t : items[i])
                titles.push_back(QString(t).toStdString());
            const int16 step = int16(steps[i]);
            QVERIFY(
                fontB ? BoardTask_ChangeFont(b.viewP, b.Array(titles), SizeStep(step), "Change Font Size")
                      : BoardTask_Move(b.viewP, b.Array(titles), Point{0, step}, 1, false, "Nudge Item(s)"));
        }
        QCOMPARE(UndoUnits(), units);
        QCOMPARE(UndoText(), std::string(fontB ? "Undo Change Font Size" : "Undo Nudge Item(s)"));
        const int sum = std::accumulate(steps.begin(), steps.end(), 0);
        QCOMPARE(value("a"), a0 + sum);
        gDo->Do(CDo_Type_UNDO);
        QCOMPARE(value("a"), a0 + (units == 1 ? 0 : steps[0]));
        for (int i = 1; i < units; ++i)
            gDo->Do(CDo_Type_UNDO);
        QCOMPARE(value("a"), a0);
        QCOMPARE(value("b"), b0);
        for (int i = 0; i < units; ++i)
            gDo->Do(CDo_Type_REDO);
        QCOMPARE(value("a"), a0 + sum);
    }

    void moveRedrawsOldAndNewPlace() {
        Board b;
        b.modelP->i_scrollH = -100;
        const tagRECT before = b.Item("d")->i_boundsR;
        b.viewP->invalRects.clear();
        QVERIFY(BoardTask_Move(b.viewP, b.Array({"d"}), Point{0, 50}, 1, true, "Move Item(s)"));
        QCOMPARE(b.viewP->invalRects.size(), size_t(1));
        const tagRECT r = b.viewP->invalRects[0];
        QCOMPARE(r.left, before.left - 6 - 100);
        QCOMPARE(r.right, before.right + 50 + 6 - 100);
        QCOMPARE(b.Selected(), std::string()); // dont_set_selB
    }

    // Undo keeps the inserted item off the board and redo puts the same one back; a given earlier
    // selection wins over the board's.
    void undoOfInsert() {
        Board b;
        b.Select({"c", "d"});
        QVERIFY(BoardTask_AddWordCmd(b.viewP, "new", "Insert Item", nullptr));
        CVornItem* newP = b.Item("new");
        QVERIFY(newP);
        gDo->Do(CDo_Type_UNDO);
        QVERIFY(!newP->i_vornP); // kept by the task, off the board
        gDo->Do(CDo_Type_REDO);
        QCOMPARE(b.modelP->i_list->GetIndItem(-1), newP); // the same object again
        QVERIFY(BoardTask_AddWordCmd(b.viewP, "other", "Insert Item", b.Array({"a"})));
        gDo->Do(CDo_Type_UNDO);
        QCOMPARE(b.Selected(), std::string("a"));
    }

    // Trimming to the depth destroys the oldest tasks with what they hold (here the cleared
    // items), and so does the end of the stacks; every item goes exactly once.
    void depthLimitDisposesOldTasks() {
        static std::vector<uintptr_t> s_destroyed;
        s_destroyed.clear();
        Vorn_SetDisposeInfoDlgProc(
            [](CGetInfoDlg* dlgP) { s_destroyed.push_back(reinterpret_cast<uintptr_t>(dlgP)); });
        {
            Board b(std::initializer_list<const char*>{});
            for (int i = 0; i < 25; ++i)
                b.modelP->AddWord(std::to_string(i).c_str());
            for (int i = 0; i < 25; ++i) {
                CVornItem* itemP = b.Item(std::to_string(i));
                QVERIFY(BoardTask_Remove(b.viewP, b.Array({std::to_string(i).c_str()}), "Clear Item(s)"));
                // Off the board now, a stand-in dialog numbers it: the item reports it as it goes.
                itemP->i_getInfoP = reinterpret_cast<CGetInfoDlg*>(uintptr_t(i + 1));
            }
            QCOMPARE(UndoUnits(), int(kCDo_DefaultDepth));
            QCOMPARE(s_destroyed, (std::vector<uintptr_t>{1, 2, 3, 4, 5}));
            for (int i = 0; i < 10; ++i)
                gDo->Do(CDo_Type_UNDO);
            QCOMPARE(b.Titles(), std::string("15 16 17 18 19 20 21 22 23 24"));
        }
        Vorn_SetDisposeInfoDlgProc(nullptr);
        std::sort(s_destroyed.begin(), s_destroyed.end());
        std::vector<uintptr_t> all(25);
        std::iota(all.begin(), all.end(), 1);
        QCOMPARE(s_destroyed, all);
    }

    // Refused: nothing to file the task on, or columns past their bounds. No change, nothing
    // kept, and the items made for a refused task go.
    void refusedChangesChangeNothing() {
        Board b;
        b.Select({"a"});
        const std::string before = BoardSnapshot(*b.modelP);
        gDo->SetActiveStacks(nullptr);
        AlertRecorder alerts;
        QVERIFY(!BoardTask_Remove(b.viewP, b.Array({"a"}), "Clear Item(s)"));
        QVERIFY(!BoardTask_AddWordCmd(b.viewP, "new", "Add Item", b.Array({"b"})));
        QVERIFY(!BoardTask_ChangeText(b.viewP, b.Item("a"), Vorn_Ref_SRC, "x", "Change Item Title"));
        QVERIFY(!BoardTask_Move(b.viewP, b.Array({"a"}), Point{1, 1}, 1, false, "Nudge Item(s)"));
        QVERIFY(alerts.Count("i_stacksP") >= 4);
        QCOMPARE(BoardSnapshot(*b.modelP), before);
        b.viewP->SetStacks(false);
        // The columns stay within one and twenty.
        b.modelP->i_prefs.num_columnsS = 20;
        QVERIFY(!BoardTask_Columns(b.viewP, 58, "Add Column"));
        b.modelP->i_prefs.num_columnsS = 1;
        QVERIFY(!BoardTask_Columns(b.viewP, 59, "Remove Column"));
        QCOMPARE(UndoUnits(), 0);
    }

    // A title that names a web picture loads it; undo drops the picture with the title, also
    // while the finished load still waits to be handed over (which must not report a failure).
    void titleOfAWebPicture() {
        const VornFetchPictureProc oldFetch = Vorn_SetFetchPictureProc([](const char*, tagRECT* frameP) {
            auto* pictureP = new XGPicture;
            pictureP->Allocate(8, 6);
            *frameP = pictureP->GetSrcFrame();
            return pictureP;
        });
        Board b;
        AlertRecorder alerts;
        CVornItem* itemP = b.Item("a");
        QVERIFY(BoardTask_ChangeText(b.viewP, itemP, Vorn_Ref_SRC, "http://www.quorvale.com/a.png",
                                     "Change Item Title"));
        QCOMPARE(int(itemP->i_resource.source.content.type), int(LinkType_PICT_URL));
        itemP->WaitForLoader();
        gDo->Do(CDo_Type_UNDO);
        QCOMPARE(int(itemP->i_resource.source.content.type), int(LinkType_TEXT));
        QVERIFY(!itemP->HasPicture());
        b.modelP->Idle();
        gDo->Do(CDo_Type_REDO);
        itemP->WaitForLoader();
        b.modelP->Idle();
        QVERIFY(itemP->HasPicture());
        QCOMPARE(itemP->i_boundsR.Width(), 22); // the item keeps its place and size
        Vorn_SetFetchPictureProc(oldFetch);
        QVERIFY2(alerts.empty(), alerts.empty() ? "" : alerts[0].text.c_str());
    }
};

QTEST_MAIN(tst_boardtasks)
#include "tst_boardtasks.moc"
