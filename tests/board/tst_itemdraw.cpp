// Item geometry and drawing, the board's drawing pass and its Go Mode picture, drawn into
// offscreen pictures; and rendering a board to a PNG file.
#include "../../tools/vorn_board_render.h"
#include "BoardGlobals.h"
#include "CItemArray.h"
#include "CVornItem.h"
#include "CVornOffscreenView.h"
#include "ImageProbe.h"
#include "TVornController.h"
#include "TVornModel.h"
#include "XGDraw.h"
#include "XGFileSpecifier.h"
#include "XGGeometry.h"
#include "XGPicture.h"
#include "XGRegion.h"

#include <QImage>
#include <QTemporaryDir>
#include <QtTest>

#include <climits>

using namespace yaaf;
using namespace vorntest;

namespace {

bool IsWhite(QRgb c) {
    return c == 0xFFFFFF;
}
bool IsBlack(QRgb c) {
    return c == 0;
}
bool IsInk(QRgb c) {
    return !IsWhite(c);
}
bool IsBlue(QRgb c) {
    return qBlue(c) > 150 && qRed(c) < 100 && qGreen(c) < 100;
}

// A board drawn by a view without a window.
struct DrawnBoard {
    explicit DrawnBoard(int w = 300, int h = 200) : view(w, h) {
        modelP = new TVornModel;
        modelP->i_prefs.mode = Vorn_Mode_EDIT;
        modelP->i_prefs.view_as = O_ViewAs_FREEFORM;
        controllerP = view.Attach(modelP);
    }
    ~DrawnBoard() { delete controllerP; }
    CVornItem* Box(const char* text, const tagRECT& r) {
        CVornItem* itemP = modelP->AddWord(text);
        itemP->i_boundsR = r;
        itemP->i_auto_boundsR = r;
        return itemP;
    }
    // A picture item holding a picture of one colour.
    CVornItem* Picture(const tagRECT& r, QRgb colour, const std::string& name = "pic.png") {
        auto* itemP = new CVornItem(modelP, kNoIndex);
        Vorn_LinkContent& lnk = itemP->i_resource.source.content;
        lnk.type = LinkType_PICT_FILE;
        lnk.u.fileP = new XGFileSpecifier("/nonexistent/" + name);
        if (colour != 0) {
            auto* pic = new XGPicture;
            pic->Allocate(4, 4);
            pic->Fill(qRed(colour), qGreen(colour), qBlue(colour));
            lnk.cacheP = pic;
            lnk.origR = pic->GetSrcFrame();
        }
        itemP->i_boundsR = r;
        itemP->i_auto_boundsR = r;
        modelP->InsertItem(itemP, -1);
        return itemP;
    }
    QImage Draw() {
        view.DrawBoard();
        return view.GetPicture()->GetImage().copy();
    }

    CVornOffscreenView view;
    TVornModel* modelP;
    TVornController* controllerP;
};

// A freeform board with one item, which the render command is handed next.
TVornModel* s_nextBoard = nullptr;
TVornModel* NextBoard(const char* title, const tagRECT& bounds) {
    s_nextBoard = new TVornModel;
    s_nextBoard->i_prefs.view_as = O_ViewAs_FREEFORM;
    auto* itemP = new CVornItem(s_nextBoard, kNoIndex);
    CVornItem::Vorn_SetText(itemP->i_resource.source.content, title);
    itemP->i_boundsR = bounds;
    s_nextBoard->InsertItem(itemP, -1);
    return s_nextBoard;
}
int Render(std::vector<std::string> args) {
    std::vector<char*> argv;
    for (std::string& a : args)
        argv.push_back(a.data());
    return RunRender(int(argv.size()), argv.data());
}
TVornModel* HandOver(const std::string& path, std::string& error) {
    if (path == "missing.2dv") {
        error = "no such file";
        return nullptr;
    }
    TVornModel* m = s_nextBoard;
    s_nextBoard = nullptr;
    return m;
}

} // namespace

class tst_itemdraw : public QObject {
    Q_OBJECT
    BoardGlobals fGlobals;

private slots:
    void screenBounds_data() {
        QTest::addColumn<int>("mode");
        QTest::addColumn<double>("sx");
        QTest::addColumn<double>("sy");
        QTest::addColumn<int>("scrollH");
        QTest::addColumn<int>("scrollV");
        QTest::addColumn<QRect>("bounds"); // left, top, right, bottom as the corners of a QRect
        QTest::addColumn<QRect>("screen");
        auto R = [](int l, int t, int r, int b) { return QRect(QPoint(l, t), QPoint(r, b)); };
        QTest::newRow("edit") << int(Vorn_Mode_EDIT) << 1.0 << 1.0 << 0 << 0 << R(10, 20, 30, 40)
                              << R(10, 20, 30, 40);
        QTest::newRow("scrolled") << int(Vorn_Mode_EDIT) << 1.0 << 1.0 << -5 << -100 << R(10, 20, 30, 40)
                                  << R(5, -80, 25, -60);
        QTest::newRow("go scaled") << int(Vorn_Mode_GO) << 2.0 << 1.5 << -5 << -100 << R(10, 20, 30, 40)
                                   << R(20, 30, 60, 60);
        QTest::newRow("go rounds") << int(Vorn_Mode_GO) << 0.5 << 0.5 << 0 << 0 << R(3, 5, 7, 9)
                                   << R(2, 3, 4, 5);
        QTest::newRow("inverted") << int(Vorn_Mode_EDIT) << 1.0 << 1.0 << 0 << 0 << R(30, 40, 10, 20)
                                  << R(10, 20, 30, 40);
        QTest::newRow("saturates") << int(Vorn_Mode_EDIT) << 1.0 << 1.0 << 2000000000 << 0
                                   << R(2000000000, 0, 2100000000, 10) << R(INT32_MAX, 0, INT32_MAX, 10);
    }
    void screenBounds() {
        QFETCH(int, mode);
        QFETCH(double, sx);
        QFETCH(double, sy);
        QFETCH(int, scrollH);
        QFETCH(int, scrollV);
        QFETCH(QRect, bounds);
        QFETCH(QRect, screen);
        DrawnBoard b;
        CVornItem* itemP = b.Box("x", tagRECT{bounds.left(), bounds.top(), bounds.right(), bounds.bottom()});
        b.modelP->i_prefs.mode = Vorn_ModeType(mode);
        b.modelP->i_scaleX = sx;
        b.modelP->i_scaleY = sy;
        b.modelP->i_scrollH = scrollH;
        b.modelP->i_scrollV = scrollV;
        const tagRECT r = itemP->GetScreenBounds();
        QCOMPARE(r, (tagRECT{screen.left(), screen.top(), screen.right(), screen.bottom()}));
        b.modelP->i_prefs.mode = Vorn_Mode_EDIT;
    }
    // A freeform item without bounds takes its automatic ones; the text box lies inside the item.
    void boundsAndTextBox() {
        DrawnBoard b;
        CVornItem* itemP = b.Box("x", tagRECT{5, 6, 50, 26});
        itemP->i_boundsR = tagRECT{};
        QCOMPARE(itemP->GetScreenBounds(), (tagRECT{5, 6, 50, 26}));
        QCOMPARE(itemP->i_boundsR, (tagRECT{5, 6, 50, 26}));
        const tagRECT box = itemP->GetTextBox(tagRECT{0, 0, 100, 30}, false);
        QCOMPARE(box, (tagRECT{4, 2, 91, 28}));
        itemP->i_boundsR = tagRECT{7, 9, 8, 10};
        itemP->SetTextBox(box);
        QCOMPARE(itemP->i_boundsR, (tagRECT{7, 9, 107, 39}));
    }
    void sizeToFit() {
        DrawnBoard b;
        auto fit = [&](const char* title, int size, bool drawing = false) {
            CVornItem* itemP = b.Box(title, tagRECT{20, 30, 21, 31});
            itemP->i_font = XGFont("Arial", size);
            b.modelP->i_drawP = drawing ? b.view.GetDraw() : nullptr;
            itemP->SizeToFit();
            b.modelP->i_drawP = nullptr;
            return itemP->i_boundsR;
        };
        const tagRECT w = fit("W", 12), word = fit("Elephant", 12), big = fit("Elephant", 30);
        QCOMPARE(w.left, 20);
        QCOMPARE(w.top, 30);
        QVERIFY(word.Width() > w.Width());
        QCOMPARE(word.Height(), w.Height());
        QVERIFY(big.Width() > word.Width());
        QVERIFY(big.Height() > 30);
        // An empty title and a line break are sized as a blank.
        QCOMPARE(fit("", 12), fit(" ", 12));
        QCOMPARE(fit("\r", 12), fit(" ", 12));
        // While the board draws, its own drawing object measures, with the same result.
        QCOMPARE(fit("Elephant", 12, true), word);
    }
    // An item is framed; selected, it is inverted with handles; in Go Mode neither shows.
    void framedOrSelected() {
        DrawnBoard b;
        CVornItem* itemP = b.Box("Hi", tagRECT{50, 40, 150, 80});
        const QImage framed = b.Draw();
        QCOMPARE(At(framed, 50, 40), 0u);
        QCOMPARE(At(framed, 149, 79), 0u);
        QVERIFY(IsWhite(At(framed, 150, 80)) && IsWhite(At(framed, 140, 75)));
        itemP->i_b.set_selectedB(true);
        const QImage image = b.Draw();
        // The body is inverted: black away from the text, with white ink.
        QCOMPARE(At(image, 140, 75), 0u);
        QCOMPARE(At(image, 50, 40), 0u);
        QVERIFY(CountPixels(image, QRect(54, 42, 85, 36), IsWhite) > 5);
        // Four handles outside the corners: a filled 4 x 4 square in an erased 6 x 6 one.
        const QPoint corners[4] = {{44, 34}, {150, 34}, {44, 80}, {150, 80}};
        for (const QPoint& c : corners) {
            QCOMPARE(CountPixels(image, QRect(c.x() + 1, c.y() + 1, 4, 4), IsBlack), 16);
            QVERIFY(IsWhite(At(image, c.x(), c.y())));
        }
        CVornItem::Vorn_SetText(itemP->i_resource.source.content, "");
        b.modelP->SetGoMode(true);
        const QImage go = b.Draw();
        QCOMPARE(CountPixels(go, go.rect(), IsInk), 0);
        b.modelP->SetGoMode(false);
        QVERIFY(!itemP->i_b.hiddenB());
        QCOMPARE(At(b.Draw(), 100, 60), 0u);
    }
    void textClippedToItsBox() {
        DrawnBoard t;
        t.Box("MMMMMMMMMMMMMMMMMMMMMMMMMMMMMM", tagRECT{50, 40, 100, 60});
        const QImage text = t.Draw();
        QVERIFY(CountPixels(text, QRect(54, 42, 40, 16), IsInk) > 20);
        QCOMPARE(CountPixels(text, QRect(101, 30, 100, 50), IsInk), 0);
        QCOMPARE(CountPixels(text, QRect(92, 41, 7, 18), IsInk), 0);
    }
    void polygonOutline() {
        DrawnBoard b;
        CVornItem* itemP = b.Box("", tagRECT{100, 100, 200, 200});
        itemP->CreateNewRgn();
        // A triangle (v, h): top-left, top-right, bottom-left; the rest repeat the last point.
        itemP->i_rgnP->pts[0] = Point{0, 0};
        itemP->i_rgnP->pts[1] = Point{0, 10};
        for (int i = 2; i < kVornRgnPoints; ++i)
            itemP->i_rgnP->pts[i] = Point{10, 0};
        itemP->i_b.set_selectedB(true);
        QImage image = b.Draw();
        QCOMPARE(At(image, 110, 110), 0u);     // inside the triangle: inverted
        QVERIFY(IsWhite(At(image, 190, 190))); // inside the rectangle only: untouched
        itemP->i_b.set_selectedB(false);
        image = b.Draw();
        QVERIFY(IsWhite(At(image, 110, 110)));
        QVERIFY(IsWhite(At(image, 190, 190)));
        QVERIFY(CountPixels(image, QRect(148, 148, 5, 5), IsBlack) > 0); // the slanted edge
        QVERIFY(IsWhite(At(image, 199, 199)));                           // no rectangle frame
    }
    void hilightTwiceRestores() {
        DrawnBoard b;
        CVornItem* itemP = b.Box("Hilight", tagRECT{30, 30, 120, 60});
        const QImage before = b.Draw();
        XGDraw* draw = b.view.GetDraw();
        b.modelP->i_drawP = draw;
        itemP->Hilight();
        const QImage marked = b.view.GetPicture()->GetImage().copy();
        QCOMPARE(At(marked, 28, 28), 0u);
        QCOMPARE(At(marked, 121, 61), 0u);
        QVERIFY(IsWhite(At(marked, 27, 27)) && IsWhite(At(marked, 122, 62)));
        QCOMPARE(At(marked, 30, 30), 0u); // the item's own frame is left alone
        QCOMPARE(draw->GetPenWidth(), 1);
        itemP->Hilight();
        b.modelP->i_drawP = nullptr;
        QCOMPARE(b.view.GetPicture()->GetImage(), before);
    }
    // The outline of a polygon item as drawn: polygonOutline.
    void blitRegion() {
        DrawnBoard b;
        CVornItem* itemP = b.Box("r", tagRECT{10, 10, 50, 30});
        XGRegion blit; // each call adds the item's area as drawn now
        itemP->GetBlitRgn(&blit);
        b.modelP->i_scrollH = 5;
        itemP->GetBlitRgn(&blit);
        QCOMPARE(blit.GetBounds(), (tagRECT{8, 8, 57, 32}));
    }
    void missingAndLoadingTexts() {
        DrawnBoard b(300, 60);
        CVornItem* itemP = b.Picture(tagRECT{10, 10, 290, 50}, 0, "gone.png");
        const QImage image = b.Draw();
        // The same text drawn directly in the text box.
        QImage expected(300, 60, QImage::Format_ARGB32_Premultiplied);
        expected.fill(Qt::white);
        {
            XGDraw draw(&expected);
            draw.FrameRect(tagRECT{10, 10, 290, 50});
            draw.SetFont(itemP->i_font);
            draw.SetClip(tagRECT{12, 12, 288, 48});
            draw.DrawWrap("Missing item: 'gone.png'", tagRECT{14, 12, 281, 48});
        }
        QCOMPARE(image, expected);
        // While a load runs the item says so.
        itemP->i_finished_loadB = false;
        const QImage loading = b.Draw();
        itemP->i_finished_loadB = true;
        QVERIFY(loading != image);
        QVERIFY(CountPixels(loading, QRect(14, 12, 200, 30), IsInk) > 20);
    }
    void pilcrowInGoMode() {
        DrawnBoard b(200, 100);
        b.Box("\r", tagRECT{10, 10, 60, 40});
        b.Box("word", tagRECT{70, 10, 150, 40});
        const QImage edit = b.Draw();
        QCOMPARE(CountPixels(edit, edit.rect(), IsBlue), 0);
        b.modelP->SetGoMode(true);
        const QImage go = b.Draw();
        QVERIFY(CountPixels(go, QRect(10, 10, 50, 30), IsBlue) > 5);
        QCOMPARE(CountPixels(go, QRect(70, 10, 80, 30), IsBlue), 0);
        QVERIFY(CountPixels(go, QRect(70, 10, 80, 30), IsBlack) > 5);
        b.modelP->SetGoMode(false);
        // Flat columns show the line break as an empty line, in Go Mode too.
        b.modelP->i_prefs.view_as = O_ViewAs_FLAT_COL;
        b.modelP->i_prefs.num_columnsS = 1;
        b.modelP->SetGoMode(true);
        const QImage flat = b.Draw();
        QCOMPARE(CountPixels(flat, flat.rect(), IsBlue), 0);
        b.modelP->SetGoMode(false);
    }
    void goModePictureStretched() {
        DrawnBoard b(200, 100);
        b.Picture(tagRECT{20, 10, 40, 30}, qRgb(255, 0, 0));
        const QImage edit = b.Draw();
        QCOMPARE(At(edit, 30, 20), 0xFF0000u);
        QVERIFY(IsWhite(At(edit, 50, 50)));
        b.modelP->SetGoMode(true);
        QCOMPARE(b.modelP->GetFirstPict()->i_boundsR, (tagRECT{0, 0, 200, 100}));
        // Drawn in a view twice the size, the picture is stretched to it.
        CVornOffscreenView big(400, 200);
        b.controllerP->i_viewP = &big;
        big.AttachModel(b.modelP, b.controllerP);
        big.DrawBoard();
        const QImage go = big.GetPicture()->GetImage().copy();
        QCOMPARE(At(go, 41, 21), 0xFF0000u);
        QCOMPARE(At(go, 78, 58), 0xFF0000u);
        QVERIFY(IsWhite(At(go, 38, 18)) && IsWhite(At(go, 82, 62)));
        // The hidden item is hit where the picture shows it.
        int32 sub = 0;
        const Point inside{int16(40), int16(60)}; // v, h
        CVornItem* hitP = b.modelP->HitTest(&inside, &sub);
        QVERIFY(hitP && hitP != b.modelP->GetFirstPict());
        b.controllerP->i_viewP = &b.view;
        b.modelP->SetGoMode(false);
    }
    void goModeWithBackground() {
        // The Go Mode picture is the first background item's area, shown from the window's corner.
        DrawnBoard b(100, 100);
        CVornItem* back = b.Box("", tagRECT{100, 100, 200, 200});
        back->i_b.set_backgroundB(true);
        b.Picture(tagRECT{150, 150, 160, 160}, qRgb(0, 0, 255));
        b.modelP->SetGoMode(true);
        const XGPicture* goPic = b.modelP->GetFirstPict()->i_resource.source.content.cacheP;
        QVERIFY(goPic);
        QCOMPARE(goPic->GetSrcFrame(), (tagRECT{0, 0, 100, 100}));
        // The window shows that area from its corner, and a click lands on what is drawn there.
        const QImage shown = b.Draw();
        QCOMPARE(At(shown, 55, 55), 0x0000FFu);
        QVERIFY(IsWhite(At(shown, 45, 45)));
        Point inBlue{55, 55};
        int32 part = 0;
        CVornItem* hitP = b.modelP->HitTest(&inBlue, &part);
        QVERIFY(hitP && hitP != back && hitP != b.modelP->GetFirstPict());
        b.modelP->SetGoMode(false);
        QCOMPARE(b.modelP->i_list->Count(), 2);
    }
    void flatColumnsFramed() {
        DrawnBoard b(340, 200);
        b.modelP->i_prefs.view_as = O_ViewAs_FLAT_COL;
        b.modelP->i_prefs.num_columnsS = 3;
        bool autoB = true;
        b.modelP->i_list->Iterate(ItemA_Iterate_USE_AUTO_BOUNDS, &autoB);
        b.modelP->AutoLayout(false, Vorn_Mode_EDIT);
        const QImage image = b.Draw();
        // Columns 100 wide, 10 apart, from x = 10.
        QCOMPARE(At(image, 109, 50), 0u);
        QCOMPARE(At(image, 120, 50), 0u);
        QVERIFY(IsWhite(At(image, 115, 50)));
    }
    void badGeometryDrawsCleanly() {
        DrawnBoard b(100, 100);
        b.Box("far", tagRECT{2000000000, 2000000000, 2100000000, 2100000000});
        b.Box("negative", tagRECT{-2100000000, -2100000000, -2000000000, -2000000000});
        b.Box("huge", tagRECT{-2100000000, -2100000000, 2100000000, 2100000000});
        b.Box("inverted", tagRECT{60, 60, 20, 20})->i_b.set_selectedB(true);
        CVornItem* zero = b.Box("zero polygon", tagRECT{5, 5, 40, 15});
        zero->CreateNewRgn();
        zero->i_b.set_selectedB(true);
        b.Box("empty", tagRECT{50, 50, 50, 50});
        const QImage edit = b.Draw();
        QCOMPARE(At(edit, 40, 40), 0u); // the inverted rectangle, normalised and selected
        QCOMPARE(At(edit, 38, 13), 0u); // the polygon without area: its rectangle serves
        b.modelP->i_scrollH = -2000000000;
        b.Draw();
        b.modelP->i_scrollH = 0;
        b.modelP->SetGoMode(true);
        b.Draw();
        b.modelP->SetGoMode(false);
        b.modelP->SelectAll(true);
        b.Draw();
    }
    void renderCommand() {
        QTemporaryDir dir;
        const std::string out = dir.filePath("board.png").toStdString();
        SetRenderBoardLoader(&HandOver);
        // The Edit Mode window size is the default size.
        TVornModel* m = NextBoard("Rendered", tagRECT{10, 10, 110, 40});
        m->i_prefs.mode = Vorn_Mode_GO; // stored in Go Mode: still drawn in Edit Mode
        m->i_prefs.wind_edit.posR = tagRECT{100, 100, 420, 340};
        QCOMPARE(Render({"render", "in.2dv", out}), 0);
        QImage image(QString::fromStdString(out));
        QCOMPARE(image.size(), QSize(320, 240));
        QCOMPARE(At(image, 10, 10), 0u);
        QVERIFY(IsWhite(At(image, 200, 200)));

        // Go Mode at a given size: the board stretched to it, without frames.
        NextBoard("Go", tagRECT{0, 0, 320, 240});
        QCOMPARE(Render({"render", "in.2dv", out, "--go", "--size", "160x120"}), 0);
        const QImage go(QString::fromStdString(out));
        QCOMPARE(go.size(), QSize(160, 120));
        QVERIFY(IsWhite(At(go, 0, 0)));
        QVERIFY(CountPixels(go, go.rect(), IsBlack) > 5); // the title

        // Bad use.
        QCOMPARE(Render({"render", "missing.2dv", out}), 1);
        QCOMPARE(Render({"render", "a", "b", "--size", "12by5"}), 2);
        QCOMPARE(Render({"render", "a", "b", "--size", "0x5"}), 2);
        QCOMPARE(Render({"render", "a"}), 2);
        s_nextBoard = new TVornModel;
        QCOMPARE(Render({"render", "in.2dv", dir.filePath("no/such/folder/x.png").toStdString()}), 1);
    }
};

QTEST_MAIN(tst_itemdraw)
#include "tst_itemdraw.moc"
