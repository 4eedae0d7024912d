// Drawing operations on offscreen images, regions, and picture decoding.
#include "ImageProbe.h"
#include "TestFiles.h"
#include "XGDraw.h"
#include "XGExportTarget.h"
#include "XGFont.h"
#include "XGPicture.h"
#include "XGPngDeflate.h"
#include "XGRegion.h"

#include <QBuffer>
#include <QImage>
#include <QImageWriter>
#include <QPainter>
#include <QTemporaryDir>
#include <QtTest>

using namespace yaaf;
using vorntest::At;

namespace {
QImage White(int w, int h) {
    QImage image(w, h, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::white);
    return image;
}
int CountColour(const QImage& image, QRgb rgb, const QRect& area) {
    return vorntest::CountPixels(image, area, [rgb](QRgb p) { return p == (rgb & 0xFFFFFF); });
}
int CountNonWhite(const QImage& image, const QRect& area) {
    return vorntest::CountPixels(image, area, [](QRgb p) { return p != 0xFFFFFF; });
}
// Text wrapped into the box of a white image, in 12-point Arial.
QImage Wrapped(const char* text, const tagRECT& box, int w = 200, int h = 100, int32 length = -1) {
    QImage image = White(w, h);
    XGDraw draw(&image);
    draw.SetFont(XGFont("Arial", 12));
    draw.DrawWrap(text, box, length);
    return image;
}
} // namespace

class TestDrawing : public QObject {
    Q_OBJECT
private slots:
    void invertTwiceRestores() {
        QImage image = White(20, 20);
        image.setPixel(5, 5, qRgb(10, 200, 30));
        {
            XGDraw draw(&image);
            draw.InvertRect(tagRECT{2, 2, 10, 10});
            QCOMPARE(At(image, 5, 5), qRgb(245, 55, 225) & 0xFFFFFF);
            QCOMPARE(At(image, 2, 2), 0u);
            QCOMPARE(At(image, 10, 10), 0xFFFFFFu); // right and bottom edges are outside
            draw.InvertRect(tagRECT{2, 2, 10, 10});
        }
        QCOMPARE(At(image, 5, 5), qRgb(10, 200, 30) & 0xFFFFFF);
        QCOMPARE(CountNonWhite(image, image.rect()), 1);
    }
    void framesStayInside_data() {
        QTest::addColumn<bool>("invert");
        QTest::addColumn<int>("pen");
        QTest::addColumn<int>("width");
        QTest::addColumn<int>("height");
        QTest::newRow("frame") << false << 1 << 10 << 7;
        QTest::newRow("invert pen 1") << true << 1 << 10 << 8;
        QTest::newRow("invert pen 2") << true << 2 << 10 << 8;
        QTest::newRow("invert pen 2 thin") << true << 2 << 3 << 3;
        QTest::newRow("invert pen 3 square") << true << 3 << 12 << 12;
    }
    void framesStayInside() {
        QFETCH(bool, invert);
        QFETCH(int, pen);
        QFETCH(int, width);
        QFETCH(int, height);
        QImage image = White(40, 40);
        XGDraw draw(&image);
        draw.SetPenWidth(pen);
        const tagRECT r{5, 5, 5 + width, 5 + height};
        invert ? draw.InvertFrameRect(r) : draw.FrameRect(r);
        // Every pixel within the pen width of an edge is black, the rest white.
        for (int y = 0; y < 40; ++y) {
            for (int x = 0; x < 40; ++x) {
                const bool inside = x >= r.left && x < r.right && y >= r.top && y < r.bottom;
                const bool border = inside && (x < r.left + pen || x >= r.right - pen || y < r.top + pen ||
                                               y >= r.bottom - pen);
                QCOMPARE(At(image, x, y), border ? 0u : 0xFFFFFFu);
            }
        }
        if (invert) {
            draw.InvertFrameRect(r);
            QCOMPARE(CountNonWhite(image, image.rect()), 0);
        }
    }
    void emptyAndInvertedRectsDrawNothing() {
        QImage image = White(30, 30);
        XGDraw draw(&image);
        const tagRECT bad[] = {
            {10, 10, 5, 20}, {10, 10, 20, 5}, {3, 3, 3, 3}, {-50000, -50000, -40000, -40000}};
        for (const tagRECT& r : bad) {
            draw.FrameRect(r);
            draw.InvertRect(r);
            draw.InvertFrameRect(r);
            draw.PaintRect(r);
            draw.DrawWrap("text", r);
        }
        QCOMPARE(CountNonWhite(image, image.rect()), 0);
    }
    void regionMapAndUnion() {
        // A right triangle (v, h): (0,0), (0,10), (10,0).
        const Point tri[3] = {{0, 0}, {0, 10}, {10, 0}};
        XGRegion triangle;
        triangle.SetFromPolyLine(tri, 3);
        QVERIFY(triangle.Contains(1, 1));
        QVERIFY(!triangle.Contains(8, 8));
        QCOMPARE(triangle.GetBounds(), (tagRECT{0, 0, 10, 10}));
        const Point pts[4] = {{0, 0}, {0, 4}, {4, 4}, {4, 0}};
        XGRegion rgn;
        rgn.SetFromPolyLine(pts, 4);
        rgn.Map(tagRECT{100, 50, 140, 70});
        QCOMPARE(rgn.GetBounds(), (tagRECT{100, 50, 140, 70}));
        QVERIFY(rgn.Contains(139, 69));
        QVERIFY(!rgn.Contains(99, 60));
        rgn.Map(tagRECT{100, 50, 140, 70}, tagRECT{0, 0, 20, 10});
        QCOMPARE(rgn.GetBounds(), (tagRECT{0, 0, 20, 10}));
        rgn.Union(tagRECT{30, 30, 40, 40});
        QVERIFY(rgn.Contains(35, 35) && rgn.Contains(5, 5) && !rgn.Contains(25, 25));
        rgn.Offset(5, -5);
        QCOMPARE(rgn.GetBounds(), (tagRECT{5, -5, 45, 35}));
    }
    void regionDrawing() {
        // A region of zero points is empty, also mapped, and draws nothing.
        Point zeros[16] = {};
        XGRegion none;
        none.SetFromPolyLine(zeros, 16);
        none.Map(tagRECT{10, 10, 50, 50}); // bounds of no area: left as it is
        QVERIFY(none.IsEmpty());
        QVERIFY(!none.Contains(0, 0));
        QImage image = White(20, 20);
        XGDraw draw(&image);
        draw.EraseRgn(none);
        draw.InvertRgn(none);
        draw.PaintRgn(none);
        QCOMPARE(CountNonWhite(image, image.rect()), 0);
        draw.FrameRgn(none); // a degenerate outline may leave a dot, but must not fail
        image.fill(Qt::white);

        const Point pts[4] = {{0, 0}, {0, 10}, {10, 10}, {10, 0}};
        XGRegion rgn;
        rgn.SetFromPolyLine(pts, 4);
        rgn.Map(tagRECT{4, 4, 14, 14});
        draw.InvertRgn(rgn);
        QCOMPARE(CountColour(image, 0x000000, image.rect()), 100);
        QCOMPARE(At(image, 4, 4), 0u);
        QCOMPARE(At(image, 14, 14), 0xFFFFFFu);
        draw.InvertRgn(rgn);
        QCOMPARE(CountNonWhite(image, image.rect()), 0);
        draw.FrameRgn(rgn);
        QVERIFY(CountNonWhite(image, QRect(3, 3, 13, 13)) > 30);
        QCOMPARE(At(image, 9, 9), 0xFFFFFFu);
    }
    void measureText() {
        QImage image = White(10, 10);
        XGDraw draw(&image);
        draw.SetFont(XGFont("Arial", 12));
        auto measure = [&](const char* text) {
            tagRECT r{3, 4, 3, 4};
            draw.MeasureText(text, r);
            return r;
        };
        const tagRECT one = measure("longer line"), two = measure("ab\r\nlonger line"), none = measure("");
        QCOMPARE(one.left, 3); // measured from where it stands
        QCOMPARE(one.top, 4);
        QCOMPARE(two.right, one.right); // the widest line, every line
        QCOMPARE(two.Height(), 2 * one.Height());
        QCOMPARE(none, (tagRECT{3, 4, 3, 4 + one.Height()}));
        draw.SetFont(XGFont("Arial", 24));
        QVERIFY(measure("longer line").right > one.right);
    }
    void wrapBreaksLines() {
        QImage probe = White(1, 1);
        XGDraw draw(&probe);
        draw.SetFont(XGFont("Arial", 12));
        const int lineH = draw.LineHeight();
        const tagRECT box{0, 0, draw.TextWidth("word") + 4, 100};
        const QImage image = Wrapped("word word word", box);
        // Three lines of ink, none of it right of the box.
        for (int line = 0; line < 3; ++line)
            QVERIFY2(CountNonWhite(image, QRect(0, line * lineH, box.right, lineH)) > 0,
                     qPrintable(QString::number(line)));
        QCOMPARE(CountNonWhite(image, QRect(box.right + 2, 0, 200 - box.right - 2, 100)), 0);
        QCOMPARE(CountNonWhite(image, QRect(0, 3 * lineH + 2, 200, 100 - 3 * lineH - 2)), 0);

        // Line ends break lines too, and one long word is broken inside.
        QVERIFY(CountNonWhite(Wrapped("a\rb", tagRECT{0, 0, 200, 100}), QRect(0, lineH, 200, lineH)) > 0);
        const QImage third = Wrapped("abcdefghijklmnop", tagRECT{0, 0, 30, 100});
        QVERIFY(CountNonWhite(third, QRect(0, lineH, 30, lineH)) > 0);
        QCOMPARE(CountNonWhite(third, QRect(32, 0, 168, 100)), 0);
        // Nothing below the box; the length limit cuts the text.
        const QImage low = Wrapped("one\ntwo\nthree\nfour", tagRECT{0, 0, 100, lineH + 1});
        QCOMPARE(CountNonWhite(low, QRect(0, 2 * lineH, 100, 100 - 2 * lineH)), 0);
        const QImage cut = Wrapped("iiii MMMMMMMM", tagRECT{0, 0, 100, 40}, 100, 40, 4);
        QCOMPARE(CountNonWhite(cut, QRect(draw.TextWidth("iiii") + 2, 0, 50, 40)), 0);
        QVERIFY(Wrapped("Alpha", box) != Wrapped("Omega", box));
    }
    void textColour() {
        QImage image = White(60, 30);
        XGDraw draw(&image);
        draw.SetFont(XGFont("Arial", 16));
        draw.SetTextColor(XGColor::RGB(0, 0, 255));
        draw.DrawWrap("MM", tagRECT{0, 0, 60, 30});
        QVERIFY(CountColour(image, 0x0000FF, image.rect()) > 10);
        QCOMPARE(CountColour(image, 0x000000, image.rect()), 0);
        // The pen keeps its own colour.
        draw.FrameRect(tagRECT{40, 0, 60, 30});
        QCOMPARE(At(image, 59, 29), 0u);
    }
    void stretchPicture() {
        XGPicture picture;
        QVERIFY(picture.Allocate(2, 2));
        picture.GetImage().setPixel(0, 0, qRgb(255, 0, 0));
        picture.GetImage().setPixel(1, 0, qRgb(0, 255, 0));
        picture.GetImage().setPixel(0, 1, qRgb(0, 0, 255));
        picture.GetImage().setPixel(1, 1, qRgb(0, 0, 0));
        QImage image = White(40, 40);
        XGDraw draw(&image);
        draw.DrawPicture(picture, tagRECT{10, 10, 30, 30});
        const QList<QRgb> corners{At(image, 12, 12), At(image, 28, 12), At(image, 12, 28),
                                  At(image, 28, 28), At(image, 9, 9),   At(image, 30, 30)};
        QCOMPARE(corners, (QList<QRgb>{0xFF0000u, 0x00FF00u, 0x0000FFu, 0u, 0xFFFFFFu, 0xFFFFFFu}));
        // A part of it.
        const tagRECT src{1, 0, 2, 1};
        draw.DrawPicture(picture, tagRECT{0, 0, 5, 5}, &src);
        QCOMPARE(At(image, 2, 2), 0x00FF00u);
        // Drawn with exclusive or, twice: what was there comes back.
        picture.Fill(0x0F, 0xF0, 0x33);
        image.fill(qRgb(0xFF, 0xFF, 0x00));
        draw.DrawPicture(picture, tagRECT{0, 0, 4, 4}, nullptr, true);
        QCOMPARE(At(image, 1, 1), qRgb(0xF0, 0x0F, 0x33) & 0xFFFFFF);
        draw.DrawPicture(picture, tagRECT{0, 0, 4, 4}, nullptr, true);
        QCOMPARE(At(image, 1, 1), 0xFFFF00u);
    }
    void origin() {
        QImage image = White(30, 30);
        XGDraw draw(&image);
        draw.SetOrigin(-10, -5);
        draw.PaintRect(tagRECT{10, 5, 12, 7});
        QCOMPARE(At(image, 0, 0), 0u);
        QCOMPARE(At(image, 1, 1), 0u);
        QCOMPARE(At(image, 2, 2), 0xFFFFFFu);
        draw.SetOrigin(0, 0);
        draw.PaintRect(tagRECT{20, 20, 21, 21});
        QCOMPARE(At(image, 20, 20), 0u);
    }
    // A clip reaches the painter only when something drawn could pass it; what is drawn must
    // look as if it always did.
    void clips_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("clipRight");
        QTest::newRow("fits") << "Black dog" << 190;
        QTest::newRow("too long") << "Black dog and a long tail" << 60;
        QTest::newRow("combining mark") << QString("Cafe\u0301 noir") << 60;
    }
    void clips() {
        QFETCH(QString, text);
        QFETCH(int, clipRight);
        const tagRECT clip{10, 10, clipRight, 40};
        const std::string utf8 = text.toStdString();
        QImage clipped = White(200, 50), plain = White(200, 50);
        {
            XGDraw draw(&clipped);
            draw.SetFont(XGFont("Arial", 12));
            draw.SetClip(clip);
            draw.DrawText(12, 28, utf8);
            draw.ClearClip();
            draw.PaintRect(tagRECT{0, 45, 200, 50}); // no clip after ClearClip
        }
        {
            XGDraw draw(&plain);
            draw.SetFont(XGFont("Arial", 12));
            draw.DrawText(12, 28, utf8);
            draw.PaintRect(tagRECT{0, 45, 200, 50});
        }
        const QRect inside(clip.left, clip.top, clip.right - clip.left, clip.bottom - clip.top);
        QCOMPARE(clipped.copy(inside), plain.copy(inside));
        QCOMPARE(CountNonWhite(clipped, QRect(clip.right, 0, 200, 45)), 0);
        QCOMPARE(CountColour(clipped, 0, QRect(0, 45, 200, 5)), 200 * 5);
        if (clipRight == 190) QCOMPARE(clipped, plain);
    }
    void clipStaysWhereItWasSet() {
        QImage image = White(30, 30);
        XGDraw draw(&image);
        draw.SetClip(tagRECT{0, 0, 10, 10});
        draw.SetOrigin(5, 5);
        draw.PaintRect(tagRECT{0, 0, 20, 20});
        QCOMPARE(CountColour(image, 0, image.rect()), 25);
        QCOMPARE(At(image, 9, 9), 0u);
        // A clip set while another is in force replaces it at once.
        draw.SetClip(tagRECT{15, 15, 20, 20});
        draw.PaintRect(tagRECT{0, 0, 30, 30});
        QCOMPARE(CountColour(image, 0, image.rect()), 25 + 25);
        QCOMPARE(At(image, 24, 24), 0u);
    }
    void pictureFormats_data() {
        QTest::addColumn<QByteArray>("format");
        QTest::addColumn<QString>("name");
        const QList<QByteArray> wanted = {"png", "jpg", "bmp", "tiff", "ppm", "webp"};
        const QList<QByteArray> writable = QImageWriter::supportedImageFormats();
        for (const QByteArray& f : wanted)
            if (writable.contains(f))
                QTest::newRow(f.constData()) << f << QString("picture.") + QString::fromLatin1(f);
        // The same bytes under a misleading name: the data decides.
        QTest::newRow("png named .jpg") << QByteArray("png") << QString("picture.jpg");
    }
    void pictureFormats() {
        QFETCH(QByteArray, format);
        QFETCH(QString, name);
        QImage source(23, 17, QImage::Format_RGB32);
        source.fill(qRgb(200, 40, 40));
        QTemporaryDir dir;
        const QString path = dir.filePath(name);
        QVERIFY(source.save(path, format.constData()));
        XGPicture fromFile;
        QVERIFY(fromFile.LoadFromFile(path.toStdString()));
        QCOMPARE(fromFile.GetSrcFrame(), (tagRECT{0, 0, 23, 17}));
        const QRgb c = fromFile.GetImage().pixel(10, 8);
        QVERIFY(qAbs(qRed(c) - 200) < 12 && qAbs(qGreen(c) - 40) < 12);

        const QByteArray bytes = vorntest::ReadFile(path);
        XGPicture fromData;
        QVERIFY(fromData.LoadFromData(bytes.constData(), int32(bytes.size()), name.toStdString()));
        QCOMPARE(fromData.Width(), 23);
    }
    // The quick PNG encoder of the exports: what the decoder reads back is the picture, for
    // long runs and none, repeated pixels, many blocks, odd sizes and transparency.
    void quickPngRoundTrip_data() {
        QTest::addColumn<QImage>("image");
        QImage noise(401, 300, QImage::Format_RGB32); // more tokens than one block takes
        quint32 seed = 7;
        for (int y = 0; y < noise.height(); ++y)
            for (int x = 0; x < noise.width(); ++x) {
                seed = seed * 1664525u + 1013904223u;
                noise.setPixel(x, y, seed >> 8);
            }
        QImage board = White(1500, 90); // runs longer than a match, text, lines of colour
        {
            QPainter p(&board);
            p.setPen(QColor(20, 90, 200));
            p.drawLine(0, 10, 1499, 10);
            p.drawRect(5, 20, 700, 40);
            p.setFont(QFont("Arial", 14));
            p.drawText(QRect(10, 25, 600, 30), Qt::AlignLeft, "Cat  Black dog  12  ab:cd  Moon");
        }
        QImage translucent(9, 7, QImage::Format_ARGB32_Premultiplied);
        translucent.fill(qRgba(60, 30, 10, 128));
        QImage opaqueStraight(5, 5, QImage::Format_ARGB32);
        opaqueStraight.fill(qRgb(1, 2, 3));
        QTest::newRow("one pixel") << White(1, 1);
        QTest::newRow("noise") << noise;
        QTest::newRow("board") << board;
        QTest::newRow("tall and thin") << board.copy(700, 0, 3, 90);
        QTest::newRow("translucent") << translucent;
        QImage lowerHalfTranslucent = White(40, 20); // given up half-way, then made again
        {
            QPainter p(&lowerHalfTranslucent);
            p.setCompositionMode(QPainter::CompositionMode_Source);
            p.fillRect(0, 10, 40, 10, QColor(0, 200, 0, 100));
        }
        QTest::newRow("translucent below") << lowerHalfTranslucent;
        QTest::newRow("straight alpha") << opaqueStraight;
    }
    void quickPngRoundTrip() {
        QFETCH(QImage, image);
        XGPicture picture;
        QVERIFY(picture.Allocate(1, 1));
        picture.GetImage() = image;
        std::vector<uint8> bytes;
        std::string error;
        QVERIFY2(XGEncodePicture(picture, "png", bytes, error), error.c_str());
        QImage back;
        QVERIFY(back.loadFromData(bytes.data(), int(bytes.size()), "PNG"));
        QCOMPARE(back.size(), image.size());
        QVERIFY(!back.hasAlphaChannel());
        const QImage rgb = image.convertToFormat(QImage::Format_RGB32);
        QCOMPARE(back.convertToFormat(QImage::Format_RGB32), rgb);
        // In parts made one beside the other and joined, as an export does on two threads.
        const auto row = [&rgb](int y) { return reinterpret_cast<const uint32*>(rgb.constScanLine(y)); };
        for (const int parts : {2, 3}) {
            if (rgb.height() < parts) continue;
            std::vector<std::unique_ptr<XGPngRowEncoder>> encoders;
            std::vector<const XGPngRowEncoder*> later;
            for (int i = 0; i < parts; ++i) {
                encoders.push_back(std::make_unique<XGPngRowEncoder>(rgb.width(), rgb.height(), false, i == 0));
                for (int y = rgb.height() * i / parts; y < rgb.height() * (i + 1) / parts; ++y)
                    QVERIFY(encoders.back()->AddRow(row(y), y ? row(y - 1) : nullptr));
                encoders.back()->End(i == parts - 1);
                if (i) later.push_back(encoders.back().get());
            }
            encoders.front()->Join(later, bytes);
            QVERIFY(back.loadFromData(bytes.data(), int(bytes.size()), "PNG"));
            QCOMPARE(back.convertToFormat(QImage::Format_RGB32), rgb);
        }
    }

    void iconIs32() {
        QImage source(48, 48, QImage::Format_ARGB32);
        source.fill(qRgb(0, 128, 0));
        QByteArray bytes;
        QBuffer buffer(&bytes);
        buffer.open(QIODevice::WriteOnly);
        if (!source.save(&buffer, "ico")) QSKIP("no icon writer");
        XGPicture icon;
        QVERIFY(icon.LoadFromData(bytes.constData(), int32(bytes.size()), "favicon.ICO"));
        QCOMPARE(icon.GetSrcFrame(), (tagRECT{0, 0, 32, 32}));
        XGPicture plain;
        QVERIFY(plain.LoadFromData(bytes.constData(), int32(bytes.size()), "favicon.bin"));
        QCOMPARE(plain.Width(), 48);
    }
    void badPictures_data() {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("name");
        QImage source(64, 64, QImage::Format_RGB32);
        source.fill(Qt::blue);
        QByteArray png;
        QBuffer buffer(&png);
        buffer.open(QIODevice::WriteOnly);
        source.save(&buffer, "png");
        QTest::newRow("text") << QByteArray("this is not a picture at all\n") << "notes.png";
        QTest::newRow("empty") << QByteArray() << "empty.png";
        QTest::newRow("png header only") << png.left(16) << "cut.png";
        QTest::newRow("png cut") << png.left(png.size() / 2) << "cut.png";
        QTest::newRow("garbage ico") << QByteArray("\0\0\1\0\1\0garbage", 14) << "bad.ico";
        QTest::newRow("huge bmp header")
            << QByteArray("BM\x36\0\0\0\0\0\0\0\x36\0\0\0\x28\0\0\0\xff\xff\xff\x7f\xff\xff\xff\x7f"
                          "\1\0\x20\0\0\0\0\0",
                          34)
            << "huge.bmp";
    }
    void badPictures() {
        QFETCH(QByteArray, bytes);
        QFETCH(QString, name);
        XGPicture picture;
        QVERIFY(
            !picture.LoadFromData(bytes.constData(), int32(bytes.size()), name.toStdString(), "image/png"));
        QVERIFY(!picture.IsValid());
        QTemporaryDir dir;
        QVERIFY(vorntest::WriteFile(dir.filePath(name), bytes));
        QVERIFY(!picture.LoadFromFile(dir.filePath(name).toStdString()));
        QVERIFY(!picture.LoadFromFile((dir.path() + "/absent.png").toStdString()));
    }
};

QTEST_MAIN(TestDrawing)
#include "tst_drawing.moc"
