// The board commands of the menus, one row each: the board before, its selection, what the menu
// shows (enabled, checked, mark), the board after the command, and undo and redo back.
#include "BoardGlobals.h"
#include "BoardSnapshot.h"
#include "BoardWindow.h"
#include "CItemArray.h"
#include "CVornItem.h"
#include "TVornController.h"
#include "TVornModel.h"
#include "TVornView.h"
#include "UndoCheck.h"
#include "XGWindow.h"

#include <QtTest>

#include <functional>
#include <string>
#include <vector>

using namespace yaaf;
using namespace vorntest;

namespace {

// Three items: a and b locked or hidden as the row says, c missing its link never.
struct Board {
    Board(O_ViewAsType viewAs, const std::string& titles) {
        modelP = new TVornModel;
        modelP->i_prefs.view_as = viewAs;
        for (int i = 0; i < int(titles.size()); ++i) {
            CVornItem* itemP = modelP->AddWord(titles.substr(size_t(i), 1).c_str());
            itemP->i_boundsR = {int32(20 + 100 * i), 20, int32(80 + 100 * i), 40};
        }
        modelP->SetDirty(false);
        windowP = MakeBoardWindow(new TVornController(modelP));
        if (!windowP) return;
        windowP->SetBounds({0, 0, 640, 480});
        windowP->Show();
        QCoreApplication::processEvents();
        viewP = TVornView::FromModel(modelP);
        viewP->SetStacks(false);
    }
    ~Board() { delete windowP; }
    Board(const Board&) = delete;
    Board& operator=(const Board&) = delete;

    CVornItem* Item(const char* title) const {
        for (int32 i = 0; i < modelP->i_list->Count(); ++i)
            if (modelP->i_list->GetIndItem(i)->GetName(Vorn_Ref_SRC) == title) return modelP->i_list->GetIndItem(i);
        return nullptr;
    }
    void Select(const std::string& titles) const {
        auto* arrayP = new CItemArray;
        for (char t : titles)
            arrayP->Add(Item(std::string(1, t).c_str()));
        modelP->SetSelection(arrayP);
        delete arrayP;
    }
    std::string Selected() const {
        std::string out;
        for (int32 i = 0; i < modelP->i_list->Count(); ++i)
            if (modelP->i_list->GetIndItem(i)->i_b.selectedB()) out += modelP->i_list->GetIndItem(i)->GetName(Vorn_Ref_SRC);
        return out;
    }
    XGSMenuStatus Status(int32 command) const {
        XGSMenuStatus status;
        viewP->DoGetMenuStatusPre();
        viewP->DoGetMenuStatus(command, &status);
        viewP->DoGetMenuStatusPost();
        return status;
    }

    TVornModel* modelP = nullptr;
    XGWindow* windowP = nullptr;
    TVornView* viewP = nullptr;
};

constexpr char kCheck = 0x12;
constexpr char kDash = 0x2D;
constexpr char kBullet = char(0xA5);
constexpr char kNone = 0;

struct CommandCase {
    const char* name;
    int32 command;
    O_ViewAsType viewAs;
    bool goModeB;
    const char* locked; // items locked before
    const char* selection;
    bool enableB;
    bool checkB;
    char mark; // kNone: not looked at
    // The board after the command; none when the command must change nothing.
    std::function<void(Board&)> expect;
    bool undoableB;
    // Where undo does not give back the exact board before (the lock and hide task restores
    // neither the selection nor a mixed state): what undo must give back instead.
    std::function<void(Board&)> afterUndo = nullptr;
    const char* titles = "abc";
};

const std::vector<CommandCase>& Cases() {
    using V = O_ViewAsType;
    static const std::vector<CommandCase> cases = {
        {"Go Mode is bulleted in Edit Mode off", 17921, V(O_ViewAs_FREEFORM), false, "", "", true, false, kBullet,
         [](Board& b) { QCOMPARE(b.modelP->GetMode(), Vorn_Mode_GO); }, true},
        {"Edit Mode from Go Mode", 17922, V(O_ViewAs_FREEFORM), true, "", "", true, false, kBullet,
         [](Board& b) { QCOMPARE(b.modelP->GetMode(), Vorn_Mode_EDIT); }, true},
        {"as Flat Columns", 7, V(O_ViewAs_FREEFORM), false, "", "", true, false, kBullet,
         [](Board& b) { QVERIFY(b.modelP->IsFlatColumns()); }, true},
        {"as Freeform is bulleted", 6, V(O_ViewAs_FREEFORM), false, "", "", true, true, kBullet, nullptr, false},
        {"as Icons greyed", 3, V(O_ViewAs_FREEFORM), false, "", "", false, false, kBullet, nullptr, false},
        {"as Freeform greyed in Go Mode", 6, V(O_ViewAs_FLAT_COL), true, "", "", false, false, kNone, nullptr, false},
        {"All", 47, V(O_ViewAs_FREEFORM), false, "", "", true, false, kNone,
         [](Board& b) { QCOMPARE(b.Selected(), std::string("abc")); }, false},
        {"None", 48, V(O_ViewAs_FREEFORM), false, "", "ab", true, false, kNone,
         [](Board& b) { QCOMPARE(b.Selected(), std::string()); }, false},
        {"None greyed with nothing selected", 48, V(O_ViewAs_FREEFORM), false, "", "", false, false, kNone, nullptr,
         false},
        {"Missing selects none of the word items", 54, V(O_ViewAs_FREEFORM), false, "", "a", true, false, kNone,
         [](Board& b) { QCOMPARE(b.Selected(), std::string()); }, false},
        {"Clear", 16902, V(O_ViewAs_FREEFORM), false, "", "ab", true, false, kNone,
         [](Board& b) {
             QCOMPARE(b.modelP->i_list->Count(), 1);
             QVERIFY(b.Item("c"));
         },
         true},
        {"Edit Title greyed with two selected", 61, V(O_ViewAs_FREEFORM), false, "", "ab", false, false, kNone,
         nullptr, false},
        {"Locked of a mixed selection shows a dash and locks both", 18953, V(O_ViewAs_FREEFORM), false, "a", "ab",
         true, true, kDash,
         [](Board& b) {
             QVERIFY(b.Item("a")->i_b.lockedB());
             QVERIFY(b.Item("b")->i_b.lockedB());
         },
         true, [](Board& b) { QVERIFY(!b.Item("a")->i_b.lockedB() && !b.Item("b")->i_b.lockedB()); }},
        {"Locked of an unlocked item locks it", 18953, V(O_ViewAs_FREEFORM), false, "", "b", true, false, kCheck,
         [](Board& b) { QVERIFY(b.Item("b")->i_b.lockedB()); }, true,
         [](Board& b) { QVERIFY(!b.Item("b")->i_b.lockedB()); }},
        {"Locked of locked items unlocks them", 18953, V(O_ViewAs_FREEFORM), false, "ab", "ab", true, true, kCheck,
         [](Board& b) { QVERIFY(!b.Item("a")->i_b.lockedB() && !b.Item("b")->i_b.lockedB()); }, true,
         [](Board& b) { QVERIFY(b.Item("a")->i_b.lockedB() && b.Item("b")->i_b.lockedB()); }},
        {"Hidden hides and deselects", 18954, V(O_ViewAs_FREEFORM), false, "", "c", true, false, kCheck,
         [](Board& b) {
             QVERIFY(b.Item("c")->i_b.hiddenB());
             QVERIFY(!b.Item("c")->i_b.selectedB());
         },
         true, [](Board& b) { QVERIFY(!b.Item("c")->i_b.hiddenB()); }},
        {"Hidden greyed in Go Mode", 18954, V(O_ViewAs_FREEFORM), true, "", "c", false, false, kCheck, nullptr, false},
        {"Generate Numerology stays on in Go Mode", 42, V(O_ViewAs_FREEFORM), true, "", "", true, false, kCheck,
         [](Board& b) { QVERIFY(b.modelP->i_prefs.b.numerB()); }, false},
        {"Generate Title is checked while titles are generated", 64, V(O_ViewAs_FREEFORM), false, "", "", true, true,
         kCheck, [](Board& b) { QVERIFY(b.modelP->i_prefs.b.dont_gen_titleB()); }, false},
        {"Generate Text Document", 66, V(O_ViewAs_FREEFORM), false, "", "", true, true, kCheck,
         [](Board& b) { QVERIFY(b.modelP->i_prefs.b.gen_vorn_B()); }, false},
        {"Auto Save", 17925, V(O_ViewAs_FREEFORM), false, "", "", true, false, kCheck,
         [](Board& b) { QVERIFY(b.modelP->i_prefs.b.auto_saveB()); }, false},
        {"Ignore Locks", 18956, V(O_ViewAs_FREEFORM), false, "", "", true, false, kCheck,
         [](Board& b) { QVERIFY(b.modelP->i_prefs.b.ignore_locksB()); }, false},
        {"Sort Ascending greyed on a board", 17, V(O_ViewAs_FREEFORM), false, "", "", false, false, kCheck, nullptr,
         false},
        {"Insert Item greyed on freeform", 104, V(O_ViewAs_FREEFORM), false, "", "", false, false, kNone, nullptr,
         false},
        {"Import Html greyed", 97, V(O_ViewAs_FREEFORM), false, "", "", false, false, kNone, nullptr, false},
        {"Paste greyed", 16901, V(O_ViewAs_FREEFORM), false, "", "", false, false, kNone, nullptr, false},
        {"Sort Aplhabetically", 106, V(O_ViewAs_FREEFORM), false, "", "b", true, false, kNone,
         [](Board& b) {
             QCOMPARE(b.modelP->i_list->GetIndItem(0)->GetName(Vorn_Ref_SRC), std::string("a"));
             QCOMPARE(b.modelP->i_list->GetIndItem(2)->GetName(Vorn_Ref_SRC), std::string("c"));
         },
         true, nullptr, "cab"},
        {"Remove Shapes", 18947, V(O_ViewAs_FREEFORM), false, "", "a", true, false, kNone,
         [](Board& b) {
             QVERIFY(!b.Item("a")->i_b.rgnB());
             QCOMPARE(CDo::CountTasks(gDo->GetStack(CDo_Type_UNDO)), 1);
         },
         true},
        {"Remove Shapes greyed without a selection", 18947, V(O_ViewAs_FREEFORM), false, "", "", false, false, kNone,
         nullptr, false},
        {"Align Left of two moves the right one", 23041, V(O_ViewAs_FREEFORM), false, "", "ab", true, false, kNone,
         [](Board& b) {
             QCOMPARE(b.Item("b")->i_boundsR.left, int32(20));
             QCOMPARE(b.Item("b")->i_boundsR.right, int32(80)); // moved, not sized
             QCOMPARE(b.Item("c")->i_boundsR.left, int32(220)); // not selected
             QCOMPARE(b.Selected(), std::string("ab"));
         },
         true, nullptr, "abc"},
        {"Align greyed on flat columns", 23041, V(O_ViewAs_FLAT_COL), false, "", "ab", false, false, kNone, nullptr,
         false},
        {"Randomize greyed", 107, V(O_ViewAs_FREEFORM), false, "", "", false, false, kNone, nullptr, false},
        {"Close Window greyed", 17674, V(O_ViewAs_FREEFORM), false, "", "", false, false, kNone, nullptr, false},
    };
    return cases;
}

} // namespace

class tst_boardcommands : public QObject {
    Q_OBJECT
    BoardGlobals fGlobals;

private slots:
    void initTestCase() { RegisterBoardWindowViews(); }
    void everyCommand_data() {
        QTest::addColumn<int>("index");
        for (size_t i = 0; i < Cases().size(); ++i)
            QTest::newRow(Cases()[i].name) << int(i);
    }
    void everyCommand() {
        QFETCH(int, index);
        const CommandCase& c = Cases()[size_t(index)];
        Board b(c.viewAs, c.titles);
        QVERIFY(b.viewP);
        for (const char* t = c.locked; *t; ++t)
            b.Item(std::string(1, *t).c_str())->i_b.set_lockedB(true);
        b.Select(c.selection);
        if (c.goModeB) b.viewP->DoMenuCommand(17921);
        const XGSMenuStatus status = b.Status(c.command);
        QCOMPARE(bool(status.enable), c.enableB);
        // Go Mode selects what it shows; only the greying is its rows' point.
        if (!c.goModeB || c.enableB) QCOMPARE(bool(status.check), c.checkB);
        if (c.mark != kNone) QCOMPARE(status.mark, c.mark);

        const std::string before = BoardSnapshot(*b.modelP);
        if (!c.expect) {
            // A greyed or idle command changes nothing, whatever it is sent.
            b.viewP->DoMenuCommand(c.command);
            QCOMPARE(BoardSnapshot(*b.modelP), before);
            return;
        }
        if (!c.undoableB) {
            QCOMPARE(b.viewP->DoMenuCommand(c.command), kDispatchHandled);
            c.expect(b);
            return;
        }
        if (c.afterUndo) {
            QCOMPARE(b.viewP->DoMenuCommand(c.command), kDispatchHandled);
            c.expect(b);
            gDo->Do(CDo_Type_UNDO);
            c.afterUndo(b);
            gDo->Do(CDo_Type_REDO);
            c.expect(b);
            return;
        }
        VORN_CHECK_UNDOABLE([&] { return BoardSnapshot(*b.modelP); },
                            [&] { QCOMPARE(b.viewP->DoMenuCommand(c.command), kDispatchHandled); },
                            [&](const std::string&) { c.expect(b); });
    }
};

QTEST_MAIN(tst_boardcommands)
#include "tst_boardcommands.moc"
