// The board commands of the menus, one row each: the board before, its selection, what the menu
// shows (enabled, checked, mark), the board after the command, and undo and redo back.
#include "BoardGlobals.h"
#include "CClipboard.h"
#include "CVornList.h"
#include "CVornPrefs.h"
#include "ShownBoard.h"
#include "TestFiles.h"
#include "UndoCheck.h"
#include "VBrowserWindowView.h"
#include "XGBeep.h"
#include "XGClipboard.h"
#include "XGFileDialog.h"
#include "XGFont.h"
#include "XGFontChange.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QMimeData>
#include <QTemporaryDir>
#include <QtTest>

#include <algorithm>
#include <functional>
#include <memory>
#include <string>
#include <vector>

using namespace yaaf;
using namespace vorntest;

namespace {

// One item a letter, in a row; selections and titles read as letters.
struct Board : ShownBoard {
    Board(O_ViewAsType viewAs, const std::string& titles) : ShownBoard(Row(titles), viewAs) {}
    void Select(const std::string& letters) const {
        std::vector<std::string> titles;
        for (char t : letters)
            titles.push_back(std::string(1, t));
        ShownBoard::Select(titles);
    }
    std::string Selected() const { return TitleList(modelP, true, ""); }
};

// What some rows need beside their board: a second board (a generator target) and preferences
// that keep the defaults for new boards. Both go at the end of each row.
std::unique_ptr<Board> g_other;
std::unique_ptr<CVornPrefs> g_prefs;

void UsePrefs(Board&) {
    g_prefs = std::make_unique<CVornPrefs>();
    gVornPrefsP = g_prefs.get();
}

uint16 Style(Board& b, const char* title) {
    return b.Item(title)->i_font.GetStyle() & (kXGStyle_Bold | kXGStyle_Italic | kXGStyle_Underline);
}

// The font dialog as a person would answer it: the face as it started, 18 point, italic.
bool PanelAnswer(XGFontChangeRec& rec) {
    rec.set_fontB = rec.set_sizeB = rec.set_styleB = true;
    rec.sizeS = 18;
    rec.styleS = kXGStyle_Italic;
    return true;
}

// --- Clipboard and import rows: each row starts with an empty clipboard and no dialog answer.
int g_beeps = 0;
std::string g_dialog; // the open dialog's title and filters, "|" before each filter

// The board's titles (or the selected ones) in order, "|" for a line break.
std::string Order(Board& b, bool selectedOnly = false) {
    std::string out;
    for (int32 i = 0; i < b.modelP->i_list->Count(); ++i) {
        CVornItem* itemP = b.modelP->i_list->GetIndItem(i);
        if (selectedOnly && !itemP->i_b.selectedB()) continue;
        out += (out.empty() ? "" : ",") +
               (itemP->IsLineBreak() ? std::string("|") : itemP->GetName(Vorn_Ref_SRC));
    }
    return out;
}

// The board's titles and, in brackets, the selected ones; with an undo name, what Undo shows too.
std::function<void(Board&)> Is(const std::string& state, const std::string& undo = {}) {
    return [=](Board& b) {
        QCOMPARE(QString::fromStdString(Order(b) + " [" + Order(b, true) + "]"),
                 QString::fromStdString(state));
        if (!undo.empty())
            QCOMPARE(QString::fromStdString(UndoText()), QString::fromStdString("Undo " + undo));
    };
}

QString ItemsMimeType() {
    return QString::fromStdString(XGClipboard::MimeTypeFor(CClipboard::FlavorName(kVornFlavor_Items)));
}

// A second board; `selected` of its items cut or copied from it.
void FromOther(const std::string& titles, const std::string& selected, int32 command) {
    g_other = std::make_unique<Board>(O_ViewAs_FREEFORM, titles);
    g_other->Select(selected);
    g_other->viewP->DoMenuCommand(command);
    g_beeps = XGBeepCount();
}

void PutItemsImage(const QByteArray& bytes) {
    auto* dataP = new QMimeData;
    dataP->setData(ItemsMimeType(), bytes);
    QGuiApplication::clipboard()->setMimeData(dataP);
    g_beeps = XGBeepCount();
}

void AnswerOpen(const QString& path) {
    XGSetOpenFileHook([path](const std::string& title, const std::vector<std::string>& filters) {
        g_dialog = title;
        for (const std::string& f : filters)
            g_dialog += "|" + f;
        return path.toStdString();
    });
    g_beeps = XGBeepCount();
}

QString ScratchFile(const QString& name, const QByteArray& bytes) {
    static QTemporaryDir dir;
    return WriteFile(dir.filePath(name), bytes) ? dir.filePath(name) : QString();
}

// An HTS name list cut inside its second record, after the name ALPHA.
QByteArray HtsCutShort() {
    QByteArray bytes(2078, '\0');
    bytes[0] = '!';
    return bytes + QByteArray(8, '\0') + QByteArray("ALPHA").leftJustified(25, ' ') + QByteArray(10, '\0');
}

// A refused paste or import: the board of "abc" with "b" selected as it was, a beep, no step.
void ExpectRefused(Board& b) {
    Is("a,b,c [b]")(b);
    QVERIFY(XGBeepCount() > g_beeps);
    QVERIFY(!gDo->GetStack(CDo_Type_UNDO) || CDo::CountTasks(gDo->GetStack(CDo_Type_UNDO)) == 0);
}

// Each item stands right of the one before or starts the next line: the board's order.
void ExpectReadingOrder(Board& b) {
    CItemArray& items = *b.modelP->i_list;
    const int32 left = items.GetIndItem(0)->i_boundsR.left;
    for (int32 i = 1; i < items.Count(); ++i) {
        const tagRECT prev = items.GetIndItem(i - 1)->i_boundsR, cur = items.GetIndItem(i)->i_boundsR;
        QVERIFY((cur.top == prev.top && cur.left == prev.right + 1) ||
                (cur.top == prev.bottom + 1 && cur.left == left));
    }
}

constexpr char kCheck = 0x12;
constexpr char kDash = 0x2D;
constexpr char kBullet = char(0xA5);
constexpr char kNone = 0;

// The board a row starts with: freeform or flat columns, in Edit Mode or in Go Mode.
enum Start { Free, Flat, FreeGo, FlatGo };

struct CommandCase {
    const char* name;
    int32 command;
    Start start;
    const char* locked; // items locked before
    const char* selection;
    bool enableB;
    bool checkB;
    char mark; // kNone: not looked at
    // The board after the command; none when the command must change nothing.
    std::function<void(Board&)> expect;
    bool undoableB;
    const char* titles = "abc";
    // Run once the selection is made (titles, fonts, a second board, preferences).
    std::function<void(Board&)> setup = nullptr;
    // The board's font for new items keeps a font change through undo: only the items must
    // come back.
    bool itemsOnlyB = false;
    int32 position = 0; // the font list's item (74), from 1
};

const std::vector<CommandCase>& Cases() {
    static const std::vector<CommandCase> cases = {
        {"Go Mode is bulleted in Edit Mode off", 17921, Free, "", "", true, false, kBullet,
         [](Board& b) { QCOMPARE(b.modelP->GetMode(), Vorn_Mode_GO); }, true},
        {"Edit Mode from Go Mode", 17922, FreeGo, "", "", true, false, kBullet,
         [](Board& b) { QCOMPARE(b.modelP->GetMode(), Vorn_Mode_EDIT); }, true},
        {"as Flat Columns", 7, Free, "", "", true, false, kBullet,
         [](Board& b) { QVERIFY(b.modelP->IsFlatColumns()); }, true},
        {"as Freeform greyed in Go Mode", 6, FlatGo, "", "", false, false, kNone, nullptr, false},
        {"All", 47, Free, "", "", true, false, kNone, Is("a,b,c [a,b,c]"), false},
        {"None", 48, Free, "", "ab", true, false, kNone, Is("a,b,c []"), false},
        {"Missing selects none of the word items", 54, Free, "", "a", true, false, kNone, Is("a,b,c []"), false},
        {"Clear", 16902, Free, "", "ab", true, false, kNone, Is("c []", "Clear Item(s)"), true},
        {"Edit Title greyed with two selected", 61, Free, "", "ab", false, false, kNone,
         nullptr, false},
        {"Locked of a mixed selection shows a dash and locks both", 18953, Free, "a", "ab",
         true, true, kDash,
         [](Board& b) {
             QVERIFY(b.Item("a")->i_b.lockedB());
             QVERIFY(b.Item("b")->i_b.lockedB());
         },
         true},
        {"Locked of locked items unlocks them", 18953, Free, "ab", "ab", true, true, kCheck,
         [](Board& b) { QVERIFY(!b.Item("a")->i_b.lockedB() && !b.Item("b")->i_b.lockedB()); }, true},
        {"Hidden hides and deselects", 18954, Free, "", "c", true, false, kCheck,
         [](Board& b) {
             QVERIFY(b.Item("c")->i_b.hiddenB());
             QVERIFY(!b.Item("c")->i_b.selectedB());
         },
         true},
        {"Generate Numerology stays on in Go Mode", 42, FreeGo, "", "", true, false, kCheck,
         [](Board& b) { QVERIFY(b.modelP->i_prefs.b.numerB()); }, false},
        {"Generate Title is checked while titles are generated", 64, Free, "", "", true, true,
         kCheck, [](Board& b) { QVERIFY(b.modelP->i_prefs.b.dont_gen_titleB()); }, false},
        {"Auto Save", 17925, Free, "", "", true, false, kCheck,
         [](Board& b) { QVERIFY(b.modelP->i_prefs.b.auto_saveB()); }, false},
        {"Sort Alphabetically", 106, Free, "", "b", true, false, kNone, Is("a,b,c [b]"), true, "cab"},
        {"Remove Shapes", 18947, Free, "", "a", true, false, kNone, Is("a,b,c [a]", "Remove Shapes"), true},
        {"Remove Shapes greyed without a selection", 18947, Free, "", "", false, false, kNone,
         nullptr, false},
        {"Align Left of two moves the right one", 23041, Free, "", "ab", true, false, kNone,
         [](Board& b) {
             QCOMPARE(b.Item("b")->i_boundsR.left, int32(20));
             QCOMPARE(b.Item("b")->i_boundsR.right, int32(80)); // moved, not sized
             QCOMPARE(b.Item("c")->i_boundsR.left, int32(220)); // not selected
             QCOMPARE(b.Selected(), std::string("ab"));
         },
         true, "abc"},
        {"Align greyed on flat columns", 23041, Flat, "", "ab", false, false, kNone, nullptr,
         false},
        {"Randomize greyed on an empty board", 107, Free, "", "", false, false, kNone, nullptr,
         false, ""},
        {"Randomize of a freeform board lays the items out in their new order", 107, Free, "",
         "b", true, false, kNone,
         [](Board& b) {
             std::string titles = Order(b);
             std::sort(titles.begin(), titles.end());
             QCOMPARE(titles, std::string(",,,,,,,abcdefgh"));
             ExpectReadingOrder(b);
             QCOMPARE(b.Selected(), std::string("b"));
             QCOMPARE(UndoText(), std::string("Undo Randomize Items"));
         },
         true, "hgfedcba"},
        {"Size to Fit sizes the selection to its titles", 18949, Free, "", "a", true, false,
         kNone,
         [](Board& b) {
             QVERIFY(b.Item("a")->i_boundsR.Width() < 60);
             QCOMPARE(b.Item("a")->i_boundsR.left, int32(20));
             QCOMPARE(b.Item("b")->i_boundsR.Width(), int32(60));
             QCOMPARE(UndoText(), std::string("Undo Size to Fit Item(s)"));
         },
         true},
        {"Insert Item After Selection opens the new item's title", 104, Flat, "", "ab", true,
         false, kNone,
         [](Board& b) {
             QCOMPARE(b.modelP->i_list->Count(), 4);
             QCOMPARE(b.modelP->i_list->IndexOf(b.viewP->GetRenameItem()), 2);
             QCOMPARE(UndoText(), std::string("Undo Insert Item"));
         },
         true},
        {"Insert Carriage Return goes before the selection", 105, Flat, "", "bc", true, false,
         kNone,
         Is("a,|,b,c [|]", "Insert Carriage Return"), true},
        {"Set as Background puts the item behind the others, locked", 71, Free, "", "c", true,
         false, kCheck,
         [](Board& b) {
             Is("c,a,b []", "Set as Background")(b);
             QVERIFY(b.Item("c")->i_b.backgroundB() && b.Item("c")->i_b.lockedB());
         },
         true},
        {"Set as Background is checked on a background item and makes it an item again", 71, Free, "", "a", true, true, kCheck,
         [](Board& b) { QVERIFY(!b.Item("a")->i_b.backgroundB() && !b.Item("a")->i_b.lockedB()); }, true,
         "abc",
         [](Board& b) {
             b.Item("a")->i_b.set_backgroundB(true);
             b.Item("a")->i_b.set_lockedB(true);
         }},
        {"Set as Background greyed with two selected", 71, Free, "", "ab", false, false, kNone,
         nullptr, false},
        // The clipboard.
        {"Copy puts the items and their titles on the clipboard", 16900, Free, "", "ac", true,
         false, kNone,
         [](Board& b) {
             XGHandle text;
             QVERIFY(gClipboard->FindFlavor(kFlavor_TEXT, &text));
             QCOMPARE(std::string(text.GetData(), size_t(text.GetSize())), std::string("a\nc"));
             QVERIFY(b.Status(16901).enable);
         },
         false},
        {"Copy greyed while a title is edited (the key copies its text)", 16900, Free, "", "a",
         false, false, kNone, nullptr, false, "abc", [](Board& b) { b.viewP->DoMenuCommand(61); }},
        {"Cut is one undo step", 16899, Free, "", "ab", true, false, kNone,
         [](Board& b) {
             Is("c []", "Cut Item(s)")(b);
             QVERIFY(TVornView::ClipboardHoldsItems());
         },
         true},
        {"Paste of a cut from another board goes in front of the selection", 16901, Flat, "",
         "b", true, false, kNone,
         [](Board& b) {
             Is("a,x,y,b,c [x,y]", "Paste Item(s)")(b);
             QCOMPARE(Order(*g_other), std::string("z"));
         },
         true, "abc", [](Board&) { FromOther("xyz", "xy", 16899); }},
        {"Paste into an empty board keeps locks", 16901, Free, "", "", true, false, kNone,
         [](Board& b) {
             QCOMPARE(Order(b), std::string("x,y"));
             QVERIFY(b.Item("y")->i_b.lockedB());
         },
         true, "",
         [](Board&) {
             FromOther("xy", "xy", 0);
             g_other->Item("y")->i_b.set_lockedB(true);
             g_other->viewP->DoMenuCommand(16900);
         }},
        {"Paste greyed with a text on the clipboard", 16901, Free, "", "b", false, false, kNone,
         nullptr, false, "abc", [](Board&) { QGuiApplication::clipboard()->setText("words"); }},
        {"Paste of items cut short is refused", 16901, Free, "", "b", true, false, kNone,
         &ExpectRefused, false, "abc",
         [](Board&) {
             FromOther("xyz", "xyz", 16900);
             PutItemsImage(QGuiApplication::clipboard()->mimeData()->data(ItemsMimeType()).chopped(10));
         }},
        {"Paste of a board image of a later version is refused", 16901, Free, "", "b", true,
         false, kNone, &ExpectRefused, false, "abc", [](Board&) { PutItemsImage("\xFF"); }},
        // Import.
        {"Import Text adds the words as one undo step", 94, Flat, "", "a", true, false, kNone,
         [](Board& b) {
             Is("a,b,c,Hello,wide-world_2 [Hello,wide-world_2]", "Import Item(s)")(b);
             QCOMPARE(g_dialog, std::string("Import Text|Text Documents (*.txt)"));
         },
         true, "abc", [](Board&) { AnswerOpen(ScratchFile("words.txt", "Hello, wide-world_2!")); }},
        {"Import of an empty folder is an empty undo step", 91, Flat, "", "a", true, false,
         kNone,
         [](Board& b) {
             Is("a,b,c []", "Import Item(s)")(b);
             QCOMPARE(g_dialog, std::string("Import Folder"));
         },
         true, "abc",
         [](Board&) {
             static QTemporaryDir empty;
             AnswerOpen(empty.path());
         }},
        {"Import of HTS cut inside a record keeps what was read, undoably, and beeps", 96, Flat,
         "", "b", true, false, kNone,
         [](Board& b) {
             Is("a,b,c,Alpha,| [Alpha,|]", "Import Item(s)")(b);
             QVERIFY(XGBeepCount() > g_beeps);
         },
         true, "abc", [](Board&) { AnswerOpen(ScratchFile("cut.db", HtsCutShort())); }},
        {"Import of a file that cannot be read is refused", 93, Flat, "", "b", true, false,
         kNone, &ExpectRefused, false, "abc", [](Board&) { AnswerOpen("/nonexistent/vorn.txt"); }},
        // The Font menu.
        {"Size 24 sets the selection's size and the size of new items", 84, Free, "", "a",
         true, false, kCheck,
         [](Board& b) {
             QVERIFY(b.Item("a")->i_font.GetSize() == 24 && b.Item("b")->i_font.GetSize() == 12);
             QVERIFY(b.modelP->i_prefs.font.size == 24 && b.Selected() == "a" && UndoText() == "Undo Set Font Size");
         },
         true, "abc", nullptr, true},
        {"12 is checked where every selected item shows it", 81, Free, "", "ab", true, true,
         kCheck, nullptr, false},
        {"Bold of a mixed selection shows a dash and makes both bold", 88, Free, "", "ab",
         true, true, kDash,
         [](Board& b) {
             QVERIFY(Style(b, "a") == kXGStyle_Bold && Style(b, "b") == kXGStyle_Bold && Style(b, "c") == 0);
             QVERIFY(b.modelP->i_prefs.font.fBold);
         },
         true, "abc", [](Board& b) { b.Item("a")->i_font.SetStyle(kXGStyle_Bold); }, true},
        {"Bold where all are bold takes only bold away", 88, Free, "", "ab", true, true,
         kCheck, [](Board& b) { QVERIFY(Style(b, "a") == kXGStyle_Italic && Style(b, "b") == 0); }, true,
         "abc",
         [](Board& b) {
             b.Item("a")->i_font.SetStyle(kXGStyle_Bold | kXGStyle_Italic);
             b.Item("b")->i_font.SetStyle(kXGStyle_Bold);
         },
         true},
        {"Plain clears every style", 87, Free, "", "ab", true, true, kDash,
         [](Board& b) { QVERIFY(Style(b, "a") == 0 && Style(b, "b") == 0); }, true, "abc",
         [](Board& b) { b.Item("a")->i_font.SetStyle(kXGStyle_Italic | kXGStyle_Underline); }, true},
        {"Font Panel applies what the dialog changed as one task", 72, Free, "", "ab", true,
         false, kNone,
         [](Board& b) {
             QVERIFY(b.Item("b")->i_font.GetSize() == 18 && Style(b, "a") == kXGStyle_Italic);
             QVERIFY(b.Item("c")->i_font.GetSize() == 12 && UndoText() == "Undo Set Font Info"); // not the face
         },
         true, "abc", nullptr, true},
        {"A face from the font list", 74, Free, "", "b", true, false, kNone,
         [](Board& b) {
             QCOMPARE(b.Item("b")->i_font.GetName(), XGGetFontMenuItemText(1));
             QCOMPARE(std::string(b.modelP->i_prefs.font.name), XGGetFontMenuItemText(1).substr(0, 63));
         },
         true, "abc", nullptr, true, 1},
        {"Sizes greyed on an empty board", 80, Free, "", "", false, false, kNone, nullptr,
         false, ""},
        // Numerology and the repairs.
        {"Append Numerology Summation adds the selection's sum", 44, Free, "", "ab", true,
         false, kNone,
         Is("a,b,c,3 [3]", "Insert Numerology Summation"), true},
        {"Append Numerology Reduction adds its digit sum", 45, Flat, "", "hi", true, false,
         kNone, Is("h,i,z,8 [8]"), true, "hiz"},
        {"Remove Numerology strips the selected titles", 116, Free, "", "ab", true, false,
         kNone, Is("Cat,b,   7: c [Cat,b]"), true, "abc",
         [](Board& b) {
             CVornItem::Vorn_SetText(b.Item("a")->i_resource.source.content, "   42: Cat");
             CVornItem::Vorn_SetText(b.Item("c")->i_resource.source.content, "   7: c");
         }},
        {"Repair of font sizes swaps their bytes back", 119, Free, "", "", true, false, kNone,
         [](Board& b) { QVERIFY(b.modelP->i_prefs.font.size == 12 && b.Item("a")->i_font.GetSize() == 9); },
         false, "abc",
         [](Board& b) {
             b.modelP->i_prefs.font.size = 0x0C00;
             b.Item("a")->i_font.SetSize(0x0900);
         }},
        // Generating, the target and the window.
        {"Set Generator Target, also in Go Mode", 17931, FreeGo, "", "", true, false, kCheck,
         [](Board& b) { QVERIFY(b.viewP->IsGeneratorTarget()); }, false},
        {"Set Generator Target on the target leaves none", 17931, Free, "", "", true, true,
         kCheck, [](Board&) { QVERIFY(!gVornListP->GetSharedTarget()); }, false, "abc",
         [](Board& b) { gVornListP->SetTarget(b.viewP->i_controllerP); }},
        {"Generate Selection copies the selection into the target board", 43, Free, "", "ac",
         true, false, kNone,
         [](Board&) { QCOMPARE(Order(*g_other), std::string("a,c")); },
         false, "abc",
         [](Board& b) {
             b.modelP->i_prefs.b.set_gen_vorn_B(true);
             g_other = std::make_unique<Board>(O_ViewAs_FLAT_COL, "");
             gVornListP->SetTarget(g_other->viewP->i_controllerP);
         }},
        {"Show Toolbar shows the toolbar pane and is kept for new boards", 19, FreeGo, "", "",
         true, false, kCheck,
         [](Board& b) {
             QVERIFY(VBrowserWindowView::FromView(b.viewP)->IsPaneShown(kBrowserViewID_ToolbarPane));
             Vorn_PrefsRec stored{};
             gVornPrefsP->Get_VornModelPrefs(stored);
             QVERIFY(stored.b.show_toolbarB());
         },
         false, "abc", UsePrefs},
        {"Show Status Bar hides the footer", 20, Free, "", "", true, true, kCheck,
         [](Board& b) { QVERIFY(!VBrowserWindowView::FromView(b.viewP)->IsPaneShown(kBrowserViewID_Footer)); },
         false, "abc",
         [](Board& b) {
             b.modelP->i_prefs.b.set_show_statusB(true);
             b.viewP->ShowViewPane(kBrowserViewID_Footer, true);
         }},
        {"Close closes the board window", 17674, Free, "", "", true, false, kNone,
         [](Board& b) {
             QVERIFY(std::count(XGWindow::GetWindows().begin(), XGWindow::GetWindows().end(), b.windowP) == 0);
             b.windowP = nullptr;
         },
         false},
    };
    return cases;
}

} // namespace

class tst_boardcommands : public QObject {
    Q_OBJECT
    BoardGlobals fGlobals;
    CClipboard fClipboard;

private slots:
    void initTestCase() {
        RegisterBoardWindowViews();
        XGSetFontDialogHook(&PanelAnswer);
        gClipboard = &fClipboard;
    }
    void everyCommand_data() {
        QTest::addColumn<int>("index");
        for (size_t i = 0; i < Cases().size(); ++i)
            QTest::newRow(Cases()[i].name) << int(i);
    }
    void everyCommand() {
        QFETCH(int, index);
        QGuiApplication::clipboard()->clear();
        const CommandCase& c = Cases()[size_t(index)];
        // A second board and the preferences go after the row's board.
        const std::shared_ptr<void> cleanup(nullptr, [](void*) {
            g_other.reset();
            gVornPrefsP = nullptr;
            g_prefs.reset();
            XGSetOpenFileHook({});
        });
        const bool goModeB = c.start == FreeGo || c.start == FlatGo;
        Board b(c.start == Flat || c.start == FlatGo ? O_ViewAs_FLAT_COL : O_ViewAs_FREEFORM, c.titles);
        QVERIFY(b.viewP);
        for (const char* t = c.locked; *t; ++t)
            b.Item(std::string(1, *t).c_str())->i_b.set_lockedB(true);
        b.Select(c.selection);
        if (c.setup) c.setup(b);
        if (goModeB) b.viewP->DoMenuCommand(17921);
        int32 position = c.position;
        const auto run = [&] { return b.viewP->DoMenuCommand(c.command, position ? &position : nullptr); };
        const XGSMenuStatus status = b.Status(c.command);
        QCOMPARE(bool(status.enable), c.enableB);
        // Go Mode selects what it shows; only the greying is its rows' point.
        if (!goModeB || c.enableB) QCOMPARE(bool(status.check), c.checkB);
        if (c.mark != kNone) QCOMPARE(status.mark, c.mark);

        const std::string before = BoardSnapshot(*b.modelP);
        if (!c.expect) {
            // A greyed or idle command changes nothing, whatever it is sent.
            run();
            QCOMPARE(BoardSnapshot(*b.modelP), before);
            return;
        }
        if (!c.undoableB) {
            QCOMPARE(run(), kDispatchHandled);
            c.expect(b);
            return;
        }
        const auto snapshot = [&] {
            const std::string all = BoardSnapshot(*b.modelP);
            return c.itemsOnlyB ? all.substr(all.find('\n')) : all;
        };
        VORN_CHECK_UNDOABLE(
            snapshot, [&] { QCOMPARE(run(), kDispatchHandled); }, [&](const std::string&) { c.expect(b); });
    }
};

QTEST_MAIN(tst_boardcommands)
#include "tst_boardcommands.moc"
