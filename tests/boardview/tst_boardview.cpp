// The board view with the mouse, the keys and drag and drop, through synthesized platform events
// on a real board window: new items from rectangles, clicks, live moves and sizes and their
// undo, nudges, editing in place, the pointer and the context menu, drops of files, addresses and
// items, and input that must change nothing.
#include "AlertRecorder.h"
#include "BoardGlobals.h"
#include "ImageProbe.h"
#include "ShownBoard.h"
#include "TestFiles.h"
#include "UndoCheck.h"
#include "VBrowserWindowView.h"
#include "VFooterBar.h"
#include "VInfoBar.h"
#include "XGCursor.h"
#include "XGDragDrop.h"
#include "XGFileDialog.h"
#include "XGFileSpecifier.h"
#include "XGInlineEdit.h"
#include "XGScrollView.h"

#include <QImage>
#include <QMimeData>
#include <QTemporaryDir>
#include <QUrl>
#include <QtTest>

#include <functional>

using namespace yaaf;
using namespace vorntest;

namespace {

using Board = ShownBoard;

QMimeData* FilesMime(const QStringList& paths) {
    auto* mime = new QMimeData;
    QList<QUrl> urls;
    for (const QString& p : paths)
        urls.push_back(QUrl::fromLocalFile(p));
    mime->setUrls(urls);
    return mime;
}

using Script = std::function<void(Board&)>;

} // namespace

Q_DECLARE_METATYPE(Script)
Q_DECLARE_METATYPE(yaaf::tagRECT)

class TestBoardView : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<BoardGlobals> fGlobals;
    QTemporaryDir fDir;

    QString MakeFile(const QString& name) {
        WriteFile(fDir.filePath(name), "x");
        return fDir.filePath(name);
    }

private slots:
    void initTestCase() {
        fGlobals = std::make_unique<BoardGlobals>();
        RegisterBoardWindowViews();
        QVERIFY(fDir.isValid());
    }
    void cleanupTestCase() { fGlobals.reset(); }

    // A rectangle dragged on empty space makes an item only when it is more than 16 by 8, and
    // opens its title. Clicking elsewhere closes the editor into one "Add Item" unit, whose undo
    // takes the item away and gives the earlier selection back; Escape takes the item back at once.
    void newItem_data() {
        QTest::addColumn<QPoint>("size");
        QTest::addColumn<bool>("madeB");
        QTest::addColumn<bool>("escapeB");
        QTest::newRow("17 by 9") << QPoint(17, 9) << true << false;
        QTest::newRow("16 by 9") << QPoint(16, 9) << false << false;
        QTest::newRow("17 by 8") << QPoint(17, 8) << false << false;
        QTest::newRow("drawn up and left") << QPoint(-40, -30) << true << false;
        QTest::newRow("escape") << QPoint(80, 30) << true << true;
    }
    void newItem() {
        QFETCH(QPoint, size);
        QFETCH(bool, madeB);
        QFETCH(bool, escapeB);
        Board b;
        b.Select({"a"});
        const std::string before = b.Snapshot();
        const QPoint from(300, 200);
        b.ev->Drag(from, from + size);
        QCOMPARE(b.modelP->i_list->Count(), madeB ? 3 : 2);
        QCOMPARE(b.Editing(), std::string(madeB ? "title" : ""));
        QCOMPARE(UndoUnits(), 0); // not on the stack while its title is edited
        if (!madeB) return;
        CVornItem* itemP = b.modelP->i_list->GetIndItem(2);
        QVERIFY(itemP->i_b.selectedB());
        const QPoint to = from + size;
        QCOMPARE(itemP->i_boundsR, (tagRECT{std::min(from.x(), to.x()), std::min(from.y(), to.y()),
                                            std::max(from.x(), to.x()), std::max(from.y(), to.y())}));
        ViewEvents editor(b.viewP->GetRenameEdit());
        editor.Type("Cat");
        if (escapeB) {
            editor.Key(Qt::Key_Escape);
            QCOMPARE(b.Snapshot(), before); // the selection too
            QCOMPARE(UndoUnits(), 0);
            return;
        }
        b.ev->Click(QPoint(500, 400));
        QVERIFY(!b.viewP->GetRenameEdit());
        QCOMPARE(b.Titles(), std::string("a b Cat"));
        QCOMPARE(UndoUnits(), 1);
        QCOMPARE(UndoText(), std::string("Undo Add Item"));
        gDo->Do(CDo_Type_UNDO);
        QCOMPARE(b.Snapshot(), before);
        gDo->Do(CDo_Type_REDO);
        QCOMPARE(b.Titles(), std::string("a b Cat"));
        QCOMPARE(b.Titles(true), std::string("Cat"));
    }

    // Clicks on items and on empty space: the selection, the editor and the pop-up menus they
    // leave ("selected titles, editing the title, menu 145").
    void clicks_data() {
        QTest::addColumn<QString>("after");
        QTest::addColumn<Script>("script");
        QTest::newRow("click selects alone") << "a" << Script([](Board& b) {
            b.Select({"b"});
            b.ev->Click(b.Center("a"));
        });
        QTest::newRow("second click edits the title") << "a, editing the title" << Script([](Board& b) {
            b.ev->Click(b.Center("a"));
            b.ev->Click(b.Center("a"));
        });
        QTest::newRow("second click with Alt edits the content")
            << "a, editing the content" << Script([](Board& b) {
                   b.ev->Click(b.Center("a"));
                   b.ev->Click(b.Center("a"), Qt::LeftButton, Qt::AltModifier);
               });
        QTest::newRow("double click edits the title")
            << "a, editing the title" << Script([](Board& b) { b.ev->DoubleClick(b.Center("a")); });
        QTest::newRow("shift click adds") << "a b" << Script([](Board& b) {
            b.Select({"b"});
            b.ev->Click(b.Center("a"), Qt::LeftButton, Qt::ShiftModifier);
        });
        QTest::newRow("shift click on a selected item deselects it, no drag") << "b" << Script([](Board& b) {
            b.Select({"a", "b"});
            b.ev->Drag(b.Center("a"), b.Center("a") + QPoint(30, 30), Qt::ShiftModifier);
        });
        QTest::newRow("click on empty space deselects") << "" << Script([](Board& b) {
            b.Select({"a", "b"});
            b.ev->Click(QPoint(400, 300));
        });
        QTest::newRow("right click on an item selects it, menu")
            << "b, menu 145" << Script([](Board& b) { b.ev->Click(b.Center("b"), Qt::RightButton); });
        QTest::newRow("right drag selects what the rectangle meets")
            << "a b"
            << Script([](Board& b) { b.ev->Drag(QPoint(60, 5), QPoint(130, 60), {}, Qt::RightButton); });
    }
    void clicks() {
        QFETCH(QString, after);
        QFETCH(Script, script);
        PopUpRecorder menus;
        Board b;
        script(b);
        QString got = QString::fromStdString(b.Titles(true));
        if (!b.Editing().empty()) got += ", editing the " + QString::fromStdString(b.Editing());
        for (int16 menu : menus.menus)
            got += ", menu " + QString::number(menu);
        QCOMPARE(got, after);
        // Nothing moved, nothing on the undo stack.
        QCOMPARE(UndoUnits(), 0);
        QCOMPARE(b.Item("a")->i_boundsR, (tagRECT{20, 20, 80, 40}));
        QCOMPARE(b.Item("b")->i_boundsR, (tagRECT{120, 20, 180, 40}));
    }

    // Input that changes an item, one unit each, undone exactly: the body moves and a corner
    // handle sizes (live, recorded at the release), nudges of the same items merge, a title of
    // any length or none is taken.
    void undoableInput_data() {
        QTest::addColumn<Script>("input");
        QTest::addColumn<QString>("name");
        QTest::addColumn<tagRECT>("bounds"); // a's after (empty: not looked at)
        QTest::addColumn<QString>("title");  // a's after
        // grab is relative to the item's top-left corner on the screen.
        const auto drag = [](QPoint grab, QPoint delta) {
            return Script([=](Board& b) {
                const QPoint from = QPoint(b.Screen("a").left, b.Screen("a").top) + grab;
                b.ev->Press(from);
                b.ev->Move(from + delta / 2);
                // Live: the item follows, nothing is recorded yet.
                QVERIFY(b.Item("a")->i_boundsR != (tagRECT{20, 20, 80, 40}));
                QCOMPARE(UndoUnits(), 0);
                b.ev->Move(from + delta);
                b.ev->Release(from + delta);
            });
        };
        const auto threeTimes = [](Qt::Key key, Qt::KeyboardModifiers modifiers) {
            return Script([=](Board& b) {
                for (int i = 0; i < 3; ++i)
                    b.ev->Key(key, modifiers);
            });
        };
        const auto rename = [](const QString& title) {
            return Script([=](Board& b) {
                b.ev->Key(Qt::Key_Return);
                QVERIFY(b.viewP->GetRenameEdit());
                b.viewP->GetRenameEdit()->SetText(title.toStdString());
                ViewEvents(b.viewP->GetRenameEdit()).Key(Qt::Key_Return);
            });
        };
        QTest::newRow("move by 30") << drag({10, 10}, {30, 30}) << "Move Item(s)" << tagRECT{50, 50, 110, 70}
                                    << "a";
        QTest::newRow("size by the bottom-right handle")
            << drag({63, 23}, {20, 10}) << "Size Item(s)" << tagRECT{20, 20, 100, 50} << "a";
        QTest::newRow("size by the top-left handle")
            << drag({-3, -3}, {-10, -5}) << "Size Item(s)" << tagRECT{10, 15, 80, 40} << "a";
        QTest::newRow("three Right") << threeTimes(Qt::Key_Right, {}) << "Nudge Item(s)"
                                     << tagRECT{23, 20, 83, 40} << "a";
        QTest::newRow("three Alt+Up")
            << threeTimes(Qt::Key_Up, Qt::AltModifier) << "Nudge Item(s)" << tagRECT{20, -10, 80, 10} << "a";
        QTest::newRow("empty title") << rename("") << "Change Item Title" << tagRECT{} << "";
        QTest::newRow("title of 10,000 characters")
            << rename(QString(10000, 'w')) << "Change Item Title" << tagRECT{} << QString(10000, 'w');
    }
    void undoableInput() {
        QFETCH(Script, input);
        QFETCH(QString, name);
        QFETCH(tagRECT, bounds);
        QFETCH(QString, title);
        Board b;
        b.Select({"a"});
        VORN_CHECK_UNDOABLE([&] { return b.Snapshot(); }, [&] { input(b); },
                            [&](const std::string&) {
                                QVERIFY(!b.viewP->GetRenameEdit());
                                CVornItem* itemP = b.modelP->i_list->GetIndItem(0);
                                QCOMPARE(QString::fromStdString(itemP->GetName(Vorn_Ref_SRC)).trimmed(),
                                         title);
                                if (bounds.right) QCOMPARE(itemP->i_boundsR, bounds);
                                QCOMPARE(UndoUnits(), 1);
                                QCOMPARE(UndoText(), "Undo " + name.toStdString());
                            });
        b.viewP->GetWidget()->grab(); // draws the long title
    }
    // A nudge after a move with the mouse is a unit of its own.
    void nudgeAfterAMove() {
        Board b;
        b.Select({"a"});
        b.ev->Drag(b.Center("a"), b.Center("a") + QPoint(10, 0));
        b.ev->Key(Qt::Key_Right);
        QCOMPARE(UndoUnits(), 2);
    }

    // Drops from other programs: files, addresses, text, and what must change nothing. A drop on
    // empty space makes items ("Drag and Drop from OS"), one on an item sets its link.
    void dropsFromOutside_data() {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<bool>("onItemB");
        QTest::addColumn<bool>("acceptedB");
        QTest::addColumn<QString>("link"); // the dest name of the new or changed item; none: no change
        QTest::newRow("two files") << "two files" << false << true << "first.txt";
        QTest::newRow("a web address") << "address" << false << true << "http://example.com/page";
        QTest::newRow("a folder") << "folder" << false << true << "folder";
        QTest::newRow("5,000 files") << "5000 files" << false << true << "f0.txt";
        QTest::newRow("a picture file") << "picture" << false << true << "red.png";
        QTest::newRow("a file on an item") << "two files" << true << true << "first.txt";
        QTest::newRow("an address on an item") << "address" << true << true << "http://example.com/page";
        QTest::newRow("plain text") << "text" << false << true << QString();
        QTest::newRow("unknown data") << "unknown" << false << false << QString();
        QTest::newRow("items without a drag") << "forged items" << false << false << QString();
    }
    void dropsFromOutside() {
        QFETCH(QString, kind);
        QFETCH(bool, onItemB);
        QFETCH(bool, acceptedB);
        QFETCH(QString, link);
        std::unique_ptr<QMimeData> mime;
        if (kind == "two files") {
            mime.reset(FilesMime({MakeFile("first.txt"), MakeFile("second.txt")}));
        } else if (kind == "5000 files") {
            QStringList paths;
            for (int i = 0; i < 5000; ++i)
                paths << fDir.filePath(QString("f%1.txt").arg(i));
            MakeFile("f0.txt");
            mime.reset(FilesMime(paths));
        } else if (kind == "folder") {
            QDir(fDir.path()).mkpath("folder");
            mime.reset(FilesMime({fDir.filePath("folder")}));
        } else if (kind == "picture") {
            QVERIFY(SavePicture(fDir.filePath("red.png"), 8, 6, Qt::red));
            mime.reset(FilesMime({fDir.filePath("red.png")}));
        } else {
            mime = std::make_unique<QMimeData>();
            if (kind == "address") {
                // As a browser drags a link: the address, and the address as text.
                mime->setUrls({QUrl("http://example.com/page")});
                mime->setText("http://example.com/page\n");
            }
            if (kind == "text") mime->setText("just words");
            if (kind == "unknown") mime->setData("application/x-something", "bytes");
            if (kind == "forged items")
                mime->setData(QString::fromStdString(XGDragFlavorMimeType(kVornFlavor_Items)),
                              QByteArray(int(sizeof(VornItemDragRec)), '\x11'));
        }
        Board b;
        const std::string before = b.Snapshot();
        const QPoint at = onItemB ? b.Center("b") : QPoint(300, 250);
        QCOMPARE(b.ev->Drop(mime.get(), at), acceptedB);
        QVERIFY(!b.viewP->GetRecentItem());
        if (link.isNull()) {
            QCOMPARE(b.Snapshot(), before);
            QCOMPARE(UndoUnits(), 0);
            return;
        }
        QCOMPARE(UndoUnits(), 1);
        QCOMPARE(UndoText(), std::string(onItemB ? "Undo Set Item Link" : "Undo Drag and Drop from OS"));
        CVornItem* itemP = onItemB ? b.modelP->i_list->GetIndItem(1) : b.modelP->i_list->GetIndItem(2);
        QCOMPARE(b.modelP->i_list->Count(), onItemB ? 2 : 3);
        QCOMPARE(QString::fromStdString(itemP->GetName(Vorn_Ref_DEST)), link);
        if (!onItemB) QCOMPARE(itemP->i_boundsR.left, 300);
        if (kind == "picture") {
            // A picture item, as large as its picture.
            QCOMPARE(int(itemP->i_resource.source.content.type), int(LinkType_PICT_FILE));
            QCOMPARE(int(itemP->i_resource.dest.content.type), int(LinkType_FILE));
            itemP->WaitForLoader();
            b.modelP->Idle();
            QVERIFY(itemP->HasPicture());
            QCOMPARE(itemP->i_boundsR, (tagRECT{300, 250, 308, 256}));
        }
        gDo->Do(CDo_Type_UNDO);
        // The item set back is selected (as after every exchange of items); nothing else differs.
        b.modelP->SelectAll(false);
        QCOMPARE(b.Snapshot(), before);
    }

    // Editing the title of a picture whose file is gone asks for the file; the item shows the
    // chosen one, and undo gives the old one back.
    void findMissingPicture() {
        const QString found = fDir.filePath("found.png");
        QVERIFY(SavePicture(found, 4, 4, Qt::blue));
        Board b;
        CVornItem* itemP = b.Item("a");
        Vorn_LinkContent& s = itemP->i_resource.source.content;
        CVornItem::DisposeVornLink(itemP->i_resource.source);
        s.type = LinkType_PICT_FILE;
        s.u.fileP = new XGFileSpecifier(fDir.filePath("gone.png").toStdString());
        b.Select({"gone.png"});
        std::vector<std::string> asked;
        XGSetOpenFileHook([&](const std::string& title, const std::vector<std::string>&) {
            asked.push_back(title);
            return found.toStdString();
        });
        b.ev->Key(Qt::Key_Return);
        XGSetOpenFileHook({});
        QCOMPARE(asked.size(), size_t(1));
        QVERIFY(!b.viewP->GetRenameEdit());
        QCOMPARE(UndoText(), std::string("Undo Find missing picture"));
        CVornItem* nowP = b.modelP->i_list->GetIndItem(0);
        QCOMPARE(QString::fromStdString(nowP->GetName(Vorn_Ref_SRC, true)), found);
        gDo->Do(CDo_Type_UNDO);
        QCOMPARE(b.modelP->i_list->GetIndItem(0)->GetName(Vorn_Ref_SRC), std::string("gone.png"));
    }

    // Items dragged onto another item: moved in front of it within a flat-column board, copied
    // there with Alt held at the drop; dragged with Alt onto empty space of a freeform board,
    // copied to where they were dropped.
    void itemDrops_data() {
        QTest::addColumn<bool>("flatB");
        QTest::addColumn<bool>("altAtDropB");
        QTest::addColumn<bool>("onItemB");
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("titles");
        QTest::newRow("reorder") << true << false << true << "Reorder Item(s)"
                                 << "b a c d";
        QTest::newRow("reorder to the end") << true << false << false << "Reorder Item(s)"
                                            << "b c d a";
        QTest::newRow("copy with Alt") << true << true << true << "Drag and Drop (Copy) Item(s)"
                                       << "a b a c d";
        QTest::newRow("freeform Alt drag copies") << false << true << false << "Drag and Drop (Copy) Item(s)"
                                                  << "a b c d a";
    }
    void itemDrops() {
        QFETCH(bool, flatB);
        QFETCH(bool, altAtDropB);
        QFETCH(bool, onItemB);
        QFETCH(QString, name);
        QFETCH(QString, titles);
        Board b({{"a", {20, 20, 80, 40}},
                 {"b", {20, 60, 80, 80}},
                 {"c", {20, 100, 80, 120}},
                 {"d", {20, 140, 80, 160}}},
                flatB ? O_ViewAs_FLAT_COL : O_ViewAs_FREEFORM);
        b.Select({"a"});
        const QPoint target = onItemB ? b.Center("c") : QPoint(400, 300);
        const Qt::KeyboardModifiers dropMods = altAtDropB ? Qt::AltModifier : Qt::NoModifier;
        int hookRuns = 0;
        XGDragger::SetRunHook([&](QMimeData* mime, XGView*, Point) {
            ++hookRuns;
            b.ev->Drop(mime, target, dropMods);
            return kXGDrop_Copy;
        });
        const std::string before = b.Snapshot();
        const QPoint from = b.Center("a");
        b.ev->Drag(from, from + QPoint(5, 40), flatB ? Qt::NoModifier : Qt::AltModifier);
        XGDragger::SetRunHook({});
        QCOMPARE(hookRuns, 1);
        QCOMPARE(QString::fromStdString(b.Titles()), titles);
        QCOMPARE(UndoText(), "Undo " + name.toStdString());
        if (!flatB) {
            // Copied as far from the original as the pointer went.
            const tagRECT copyR = b.modelP->i_list->GetIndItem(4)->i_boundsR;
            QCOMPARE(copyR.left - 20, target.x() - from.x());
            QCOMPARE(copyR.top - 20, target.y() - from.y());
        }
        gDo->Do(CDo_Type_UNDO);
        QCOMPARE(b.Snapshot(), before);
    }

    // Items dragged from one board to another are copied into it.
    void dropBetweenBoards() {
        Board source({{"x", {20, 20, 80, 40}}});
        Board target({{"y", {20, 20, 80, 40}}});
        source.Select({"x"});
        XGDragger::SetRunHook([&](QMimeData* mime, XGView*, Point) {
            target.ev->Drop(mime, QPoint(200, 200));
            return kXGDrop_Copy;
        });
        source.ev->Drag(source.Center("x"), source.Center("x") + QPoint(0, 40), Qt::AltModifier);
        XGDragger::SetRunHook({});
        QCOMPARE(target.Titles(), std::string("y x"));
        QCOMPARE(source.Titles(), std::string("x"));
        QCOMPARE(target.Item("x")->i_vornP, target.modelP);
        QVERIFY(target.Item("x") != source.Item("x"));
    }

    // Items far out, beyond 16 bits, and a view of one pixel: drawing, the mouse and the keys
    // change nothing but what they should.
    void extremeGeometry_data() {
        QTest::addColumn<tagRECT>("windowR");
        QTest::newRow("normal window") << tagRECT{0, 0, 640, 480};
        QTest::newRow("1 by 1 pixel") << tagRECT{0, 0, 1, 1};
    }
    void extremeGeometry() {
        QFETCH(tagRECT, windowR);
        PopUpRecorder menus;
        Board b({{"far left", {-32000, -32000, -31900, -31980}},
                 {"far right", {100000, 70000, 100100, 70020}},
                 {"near", {20, 20, 80, 40}}},
                O_ViewAs_FREEFORM, windowR);
        if (windowR.Width() <= 1) {
            // Whatever the window's smallest size, the view itself goes down to one pixel.
            b.viewP->SetBounds(tagRECT{0, 0, 1, 1});
            QCoreApplication::processEvents();
            QCOMPARE(b.viewP->GetWidth(), 1);
        }
        b.viewP->GetWidget()->grab();
        b.ev->Move(QPoint(0, 0));
        b.ev->Click(QPoint(0, 0));
        b.ev->Drag(QPoint(0, 0), QPoint(30000, 30000));
        b.ev->Drag(QPoint(0, 0), QPoint(-30000, -30000), {}, Qt::RightButton);
        b.viewP->DoMenuCommand(kVornCmd_SelectAll);
        b.viewP->GetWidget()->grab();
        const std::string before = b.Snapshot();
        b.ev->Key(Qt::Key_Right);
        QCOMPARE(b.Item("far right")->i_boundsR, (tagRECT{100001, 70000, 100101, 70020}));
        QCOMPARE(b.Item("far left")->i_boundsR, (tagRECT{-31999, -32000, -31899, -31980}));
        gDo->Do(CDo_Type_UNDO);
        QCOMPARE(b.Snapshot(), before);
        b.viewP->GetWidget()->grab();
    }

    // Under the pointer: the counts in the bars after the tick, the title in the footer, the sizing
    // cursor over a handle. The context menu pops up at a right click (reduced for player-only
    // use) and at Shift+F10, there at the selected item or in the corner without one.
    void pointerAndMenus() {
        PopUpRecorder menus;
        Board b;
        auto* bwP = VBrowserWindowView::FromView(b.viewP);
        QVERIFY(bwP && bwP->GetFooterBar() && bwP->GetInfoBar());
        b.ev->Click(b.Center("a"));
        b.viewP->DoPeriodic();
        QCOMPARE(bwP->GetFooterBar()->GetNumItems(), 2);
        QCOMPARE(bwP->GetFooterBar()->GetNumSelected(), 1);
        QCOMPARE(bwP->GetInfoBar()->GetNumItems(), 2);
        b.ev->Move(b.Center("b"));
        QCOMPARE(bwP->GetFooterBar()->GetMessage(), std::string("b"));
        b.ev->Move(QPoint(82, 42)); // the bottom-right handle of a
        QCOMPARE(XGCursor::Get(b.viewP), int16(kXGCursor_Size));
        b.ev->Move(b.Center("a"));
        QCOMPARE(XGCursor::Get(b.viewP), int16(kXGCursor_Arrow));
        b.ev->Move(QPoint(500, 400));
        QCOMPARE(bwP->GetFooterBar()->GetMessage(), std::string());

        const tagRECT a = b.Screen("a");
        b.ev->Key(Qt::Key_F10, Qt::ShiftModifier);
        XGContextMenu::SetPlayerOnly(true);
        b.ev->Click(QPoint(400, 300), Qt::RightButton);
        XGContextMenu::SetPlayerOnly(false);
        b.ev->Click(QPoint(400, 300), Qt::RightButton); // deselects
        b.ev->Key(Qt::Key_F10, Qt::ShiftModifier);
        QCOMPARE(menus.menus, (std::vector<int16>{145, 150, 145, 145}));
        QCOMPARE(menus.points, (std::vector<QPoint>{QPoint(a.left, a.bottom), QPoint(400, 300),
                                                    QPoint(400, 300), QPoint(10, 10)}));
    }

    // Scrolled, the board is shown, hit and drawn on where the scroll puts it; a rectangle
    // dragged past the edge scrolls.
    void scrolling() {
        Board b({{"a", {20, 20, 80, 40}}, {"far", {1500, 1200, 1560, 1220}}});
        XGScrollView* svP = b.viewP->GetScrollView();
        QVERIFY(svP);
        QVERIFY(svP->GetMaxXScroll() > 0 && svP->GetMaxYScroll() > 0);
        svP->SetScrollPosition(svP->GetMaxXScroll(), svP->GetMaxYScroll());
        const int32 dh = svP->GetMaxXScroll() * 10, dv = svP->GetMaxYScroll() * 10;
        QCOMPARE(b.modelP->i_scrollH, -dh);
        QCOMPARE(b.modelP->i_scrollV, -dv);
        QVERIFY(b.viewP->GetWidget()->rect().contains(b.Center("far")));
        b.ev->Click(b.Center("far"));
        QCOMPARE(b.Titles(true), std::string("far"));
        b.ev->Drag(QPoint(100, 100), QPoint(160, 130));
        QVERIFY(b.viewP->GetRenameEdit());
        QCOMPARE(b.modelP->i_list->GetIndItem(2)->i_boundsR,
                 (tagRECT{100 + dh, 100 + dv, 160 + dh, 130 + dv}));
        ViewEvents(b.viewP->GetRenameEdit()).Key(Qt::Key_Escape);
        svP->SetScrollPosition(0, 0);
        const int32 bottom = b.viewP->GetHeight();
        b.ev->Press(QPoint(300, 200), Qt::RightButton);
        b.ev->Move(QPoint(300, 250));
        b.ev->Move(QPoint(300, bottom + 40));
        b.ev->Move(QPoint(300, bottom + 40));
        b.ev->Release(QPoint(300, bottom + 40), Qt::RightButton);
        QVERIFY(svP->GetYScroll() > 0);
    }

    // The tick saves a board with Auto Save, says once when that fails, and never in the middle
    // of an edit.
    void autoSaveTick() {
        Board b;
        b.modelP->i_prefs.b.set_auto_saveB(true);
        b.modelP->SetFile(XGFileSpecifier(fDir.filePath("auto.2dv").toStdString()));
        b.Select({"a"});
        b.ev->Key(Qt::Key_Return); // editing: no save
        b.viewP->DoPeriodic();
        QVERIFY(!QFile::exists(fDir.filePath("auto.2dv")));
        ViewEvents(b.viewP->GetRenameEdit()).Key(Qt::Key_Return);
        b.viewP->DoPeriodic();
        QVERIFY(QFile::exists(fDir.filePath("auto.2dv")));
        QVERIFY(!b.modelP->IsDocumentDirty());

        AlertRecorder alerts;
        b.modelP->SetFile(XGFileSpecifier(fDir.filePath("no folder/auto.2dv").toStdString()));
        b.ev->Key(Qt::Key_Right);
        for (int i = 0; i < 3; ++i)
            b.viewP->DoPeriodic();
        QCOMPARE(int(alerts.size()), 1);
        QVERIFY(b.modelP->IsDocumentDirty());
        b.ev->Key(Qt::Key_Right); // a change: the next tick tries again
        b.viewP->DoPeriodic();
        QCOMPARE(int(alerts.size()), 2);
    }

    // Drawn through the buffer: an item moved live is shown where it went, and not where it was.
    void drawing() {
        Board b({{"a", {20, 20, 80, 40}}});
        const QImage first = b.viewP->GetWidget()->grab().toImage();
        QVERIFY(first.pixelColor(20, 20) != first.pixelColor(300, 300)); // the frame of a
        b.Select({"a"});
        b.ev->Press(QPoint(50, 30));
        b.ev->Move(QPoint(250, 230));
        const QImage moved = b.viewP->GetWidget()->grab().toImage();
        QCOMPARE(moved.pixelColor(20, 20), moved.pixelColor(300, 300));
        QVERIFY(moved.pixelColor(220, 220) != moved.pixelColor(300, 300));
        b.ev->Release(QPoint(250, 230));
        QCOMPARE(b.Item("a")->i_boundsR, (tagRECT{220, 220, 280, 240}));
    }
};

QTEST_MAIN(TestBoardView)
#include "tst_boardview.moc"
