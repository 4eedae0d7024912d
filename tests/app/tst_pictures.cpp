// Picture loading (files, streams, web addresses), the offscreen buffer and the clipboard.
#include "AlertRecorder.h"
#include "CClipboard.h"
#include "COffscreen.h"
#include "ImageProbe.h"
#include "LoopbackServer.h"
#include "TestFiles.h"
#include "XGAlert.h"
#include "XGDraw.h"
#include "XGFile.h"
#include "XGFileSpecifier.h"
#include "XGHandle.h"
#include "XGPicture.h"
#include "XGPictureFetch.h"
#include "XGTCPStream.h"
#include "XGTextScrap.h"

#include <QBuffer>
#include <QClipboard>
#include <QElapsedTimer>
#include <QGuiApplication>
#include <QImage>
#include <QTemporaryDir>
#include <QtTest>

#include <memory>

using namespace yaaf;
using namespace vorntest;

namespace {

QByteArray PngBytes(int w, int h, QRgb colour) {
    QImage image(w, h, QImage::Format_RGB32);
    image.fill(colour);
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "png");
    return bytes;
}

std::string Reply(const std::string& head, const QByteArray& body) {
    return head + std::string(body.constData(), size_t(body.size()));
}

std::string Ok(const QByteArray& body) {
    return HttpReply(body.toStdString(), "Content-Type: image/png\r\n");
}

struct OffsOwner {
    tagRECT frame{0, 0, 50, 40};
    Point wind{};
    int updates = 0;
    static void CB(OffscreenCBType type, void* data, void* refcon) {
        auto* self = static_cast<OffsOwner*>(refcon);
        switch (type) {
        case OffscreenCB_GET_POS_REL_TO_WINDOW:
            *static_cast<Point*>(data) = self->wind;
            break;
        case OffscreenCB_GET_FRAME:
            *static_cast<tagRECT*>(data) = self->frame;
            break;
        case OffscreenCB_GET_FRAME_DEPTH:
            *static_cast<int16*>(data) = 32;
            break;
        case OffscreenCB_CAUSE_UPDATE:
            ++self->updates;
            break;
        }
    }
};

} // namespace

class TestPictures : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() {
        fSavedTimeout = XGTCPStream::GetDefaultTimeout();
        XGTCPStream::SetDefaultTimeout(400);
    }
    void cleanupTestCase() { XGTCPStream::SetDefaultTimeout(fSavedTimeout); }

    void addressParts_data() {
        QTest::addColumn<QString>("url");
        QTest::addColumn<bool>("ok");
        QTest::addColumn<QString>("host");
        QTest::addColumn<int>("port");
        QTest::addColumn<QString>("path");
        QTest::addColumn<QString>("file");
        QTest::newRow("plain") << "http://example.com/a/b.png" << true << "example.com" << 80 << "/a/b.png"
                               << QString("b.png");
        QTest::newRow("port") << "http://host:8080/x.jpg" << true << "host" << 8080 << "/x.jpg"
                              << QString("x.jpg");
        QTest::newRow("folder") << "http://host/dir/" << true << "host" << 80 << "/dir/" << QString("");
        QTest::newRow("no path") << "http://host" << false << "" << 0 << "" << QString("");
        QTest::newRow("no host") << "http:///x.png" << false << "" << 0 << "" << QString("");
        QTest::newRow("https") << "https://host/x.png" << false << "" << 0 << "" << QString("");
        QTest::newRow("ftp") << "ftp://host/x.png" << false << "" << 0 << "" << QString("");
        QTest::newRow("bad port") << "http://host:99999/x.png" << false << "" << 0 << "" << QString("");
        QTest::newRow("line end") << "http://host/x.png\r\nX: y" << false << "" << 0 << "" << QString("");
    }
    void addressParts() {
        QFETCH(QString, url);
        QFETCH(bool, ok);
        XGPictureAddress a;
        QCOMPARE(XGParsePictureAddress(url.toStdString(), a), ok);
        if (!ok) return;
        QTEST(QString::fromStdString(a.hostName), "host");
        QTEST(int(a.port), "port");
        QTEST(QString::fromStdString(a.path), "path");
        QTEST(QString::fromStdString(a.fileName), "file");
    }
    void fetch_data() {
        QTest::addColumn<QByteArray>("answer");
        QTest::addColumn<bool>("picture");
        const QByteArray png = PngBytes(30, 20, qRgb(0, 200, 0));
        const std::string len = std::to_string(png.size());
        auto row = [](const char* name, const std::string& answer, bool picture) {
            QTest::newRow(name) << QByteArray::fromStdString(answer) << picture;
        };
        row("picture", Ok(png), true);
        row("no length", Reply("HTTP/1.1 200 OK\r\nContent-Type: image/png\r\n\r\n", png), true);
        row("negative length", Reply("HTTP/1.1 200 OK\r\nContent-Length: -5\r\n\r\n", png), true);
        row("bare document", Reply("", png), true);
        row("truncated body",
            Reply("HTTP/1.0 200 OK\r\nContent-Length: " + len + "\r\n\r\n", png.left(png.size() / 2)), false);
        row("truncated picture", Reply("HTTP/1.0 200 OK\r\n\r\n", png.left(png.size() / 2)), false);
        row("cr without lf", Reply("HTTP/1.0 200 OK\r\nContent-Type: image/png\rX: y\r\n\r\n", png), false);
        row("garbage headers", "HTTP/1.0 \x01\x02garbage\r\n\r\n\xff\xfe", false);
        row("not a picture",
            Reply("HTTP/1.0 200 OK\r\nContent-Type: image/png\r\n\r\n", "<html>hello</html>"), false);
        row("headers only", "HTTP/1.0 200 OK\r\nContent-Length: 10\r\n", false);
    }
    void fetch() {
        QFETCH(QByteArray, answer);
        QFETCH(bool, picture);
        const std::string reply = answer.toStdString();
        LoopbackServer server(LoopbackServer::Reply(reply));
        tagRECT frame{1, 1, 1, 1};
        XGPictureFetchResult result;
        std::unique_ptr<XGPicture> pic(XGFetchPicture(server.Url("/img/pic.png").c_str(), &frame, &result));
        QCOMPARE(pic != nullptr, picture);
        if (picture) {
            QCOMPARE(frame, (tagRECT{0, 0, 30, 20}));
            QCOMPARE(result, kXGPictureFetch_OK);
            QCOMPARE(server.Requests().front(), std::string("GET /img/pic.png\r\n"));
        }
        // Through the buffer's loader as well.
        tagRECT offsFrame{};
        std::unique_ptr<COffscreen> offs(COffscreen::GetNewCOffscreenFromURL(
            server.Url("/img/pic.png").c_str(), nullptr, 32, nullptr, nullptr, &offsFrame));
        QCOMPARE(offs != nullptr, picture);
        if (picture) QCOMPARE(offs->GetSrcFrame(), (tagRECT{0, 0, 30, 20}));
    }
    void fetchTriesEveryForm() {
        // 404 on every form: five requests, in order, and no picture.
        {
            LoopbackServer server(LoopbackServer::Reply("HTTP/1.0 404 Not Found\r\n\r\nnope"));
            XGPictureFetchResult result;
            QVERIFY(!XGFetchPicture(server.Url("/a.png").c_str(), nullptr, &result));
            QCOMPARE(result, kXGPictureFetch_NotFound);
            const std::string host = "127.0.0.1:" + std::to_string(server.Port());
            const std::vector<std::string> expected = {
                "GET /a.png\r\n", "GET /" + host + "/a.png\r\n", "GET /www." + host + "/a.png\r\n",
                "GET http://" + host + "/a.png\r\n", "GET http://www." + host + "/a.png\r\n"};
            QCOMPARE(server.Requests(), expected);
        }
        // Found by the fourth form: the fifth is not sent.
        {
            const QByteArray png = PngBytes(8, 9, qRgb(1, 2, 3));
            LoopbackServer server([&](const std::string& line) {
                return LoopbackServer::Reply(line.rfind("GET http://1", 0) == 0 ? Ok(png)
                                                                                : "HTTP/1.0 404 No\r\n\r\n");
            });
            tagRECT frame{};
            std::unique_ptr<XGPicture> pic(XGFetchPicture(server.Url("/b.png").c_str(), &frame));
            QVERIFY(pic);
            QCOMPARE(frame, (tagRECT{0, 0, 8, 9}));
            QCOMPARE(server.Requests().size(), size_t(4));
        }
    }
    // Fetches that fail: the reason, after one try whatever forms are left (SILENT and CLOSED
    // stand for a server that never answers and a port where nothing listens).
    void fetchFails_data() {
        QTest::addColumn<QByteArray>("reply");
        QTest::addColumn<QString>("path");
        QTest::addColumn<int>("result");
        const size_t big = kXGPictureFetchMaxBody + 1024 * 1024;
        QTest::newRow("silent") << QByteArray("SILENT") << "/slow.png" << int(kXGPictureFetch_TimedOut);
        QTest::newRow("refused") << QByteArray("CLOSED") << "/x.png" << int(kXGPictureFetch_NoConnection);
        QTest::newRow("no path") << QByteArray() << "" << int(kXGPictureFetch_BadAddress);
        const std::string tooLarge = "HTTP/1.0 200 OK\r\nContent-Length: " + std::to_string(big) + "\r\n\r\n";
        QTest::newRow("too large") << QByteArray::fromStdString(tooLarge + std::string(big, 'x'))
                                   << "/big.png" << int(kXGPictureFetch_BadReply);
    }
    void fetchFails() {
        QFETCH(QByteArray, reply);
        QFETCH(QString, path);
        LoopbackServer server(reply == "SILENT" ? LoopbackServer::Silent()
                                                : LoopbackServer::Reply(reply.toStdString()));
        const uint16 port = reply == "CLOSED" ? LoopbackServer::ClosedPort() : server.Port();
        const std::string url = "http://127.0.0.1:" + std::to_string(port) + path.toStdString();
        QElapsedTimer timer;
        timer.start();
        XGPictureFetchResult result;
        QVERIFY(!XGFetchPicture(url.c_str(), nullptr, &result));
        QTEST(int(result), "result");
        // One timeout, not one for every form.
        QVERIFY2(timer.elapsed() < 3500, qPrintable(QString::number(timer.elapsed())));
        // Nor another download of a reply too large for any picture.
        if (reply == "SILENT" || path == "/big.png") QCOMPARE(server.Requests().size(), size_t(1));
        QVERIFY(!XGFetchPicture(nullptr, nullptr, &result));
    }

    // The buffer's loaders from a file and from an open stream.
    void fileAndStreamLoaders() {
        QTemporaryDir dir;
        const QString path = dir.filePath("sample.png");
        const QByteArray png = PngBytes(17, 11, qRgb(9, 9, 9));
        QVERIFY(WriteFile(path, png));
        const XGFileSpecifier spec(path.toStdString());
        OffsOwner owner;
        tagRECT frame{};
        std::unique_ptr<COffscreen> offs(
            COffscreen::GetNewCOffscreenFromFile(&spec, nullptr, 32, &OffsOwner::CB, &owner, &frame));
        QVERIFY(offs);
        QCOMPARE(frame, (tagRECT{0, 0, 17, 11}));
        QCOMPARE(offs->GetDestFrame(), owner.frame);

        QVERIFY(WriteFile(dir.filePath("bad.png"), "not a png"));
        const XGFileSpecifier badSpec(dir.filePath("bad.png").toStdString());
        QVERIFY(!COffscreen::GetNewCOffscreenFromFile(&badSpec, nullptr, 32, nullptr, nullptr, &frame));
        const XGFileSpecifier absent((dir.path() + "/none.png").toStdString());
        QVERIFY(!COffscreen::GetNewCOffscreenFromFile(&absent, nullptr, 32, nullptr, nullptr, &frame));
        QVERIFY(!COffscreen::GetNewCOffscreenFromFile(nullptr, nullptr, 32, nullptr, nullptr, &frame));

        XGFile file(spec);
        QCOMPARE(file.Open(XGFile::kRead), int16(0));
        frame = tagRECT{};
        // Asking for more than the stream holds fails the load.
        QVERIFY(!COffscreen::GetNewCOffscreenFromStream("s.png", "image/png", file, int32(png.size()) + 10,
                                                        nullptr, 32, nullptr, nullptr, &frame));
        file.SetFilePos(0);
        offs.reset(COffscreen::GetNewCOffscreenFromStream("s.png", "image/png", file, int32(png.size()),
                                                          nullptr, 32, nullptr, nullptr, &frame));
        QVERIFY(offs);
        QCOMPARE(frame, (tagRECT{0, 0, 17, 11}));
    }

    void offscreenBlit() {
        QImage screen(100, 80, QImage::Format_ARGB32_Premultiplied);
        screen.fill(Qt::white);
        XGDraw dest(&screen);
        OffsOwner owner;
        owner.frame = tagRECT{10, 5, 40, 25};
        owner.wind = Point{2, 3}; // v, h
        COffscreen offs(&dest, 32, &OffsOwner::CB, &owner);
        QVERIFY(offs.HasBuffer() && offs.IsInvalid());
        XGDraw* self = offs.GetSelfContext();
        self->PaintRect(tagRECT{0, 0, 4, 4});
        self->FillRect(tagRECT{4, 4, 8, 8}, XGColor::RGB(255, 0, 0));
        offs.BlitRect(tagRECT{0, 0, 8, 8});
        // Moved by the frame's corner (10, 5) and the window position (3, 2).
        QCOMPARE(At(screen, 13, 7), 0u);
        QCOMPARE(At(screen, 17, 11), 0xFF0000u);
        QCOMPARE(At(screen, 12, 6), 0xFFFFFFu);
        // Blit copies the whole bitmap (white where nothing was drawn).
        screen.fill(Qt::green);
        offs.Blit();
        QCOMPARE(At(screen, 13 + 29, 7 + 19), 0xFFFFFFu);
        QCOMPARE(At(screen, 13 + 30, 7 + 20), 0x00FF00u);
        // Without a buffer or a destination copies do nothing; Use makes the buffer again.
        offs.UnmakeOffscreen();
        screen.fill(Qt::green);
        offs.Blit();
        QCOMPARE(At(screen, 20, 20), 0x00FF00u);
        QVERIFY(offs.Use() && offs.HasBuffer());
        offs.UpdateDest(nullptr, false);
        offs.Blit();
        QCOMPARE(At(screen, 20, 20), 0x00FF00u);
    }
    void offscreenXorAndStretch() {
        QImage screen(60, 60, QImage::Format_ARGB32_Premultiplied);
        screen.fill(Qt::white);
        XGDraw dest(&screen);
        OffsOwner owner;
        owner.frame = tagRECT{0, 0, 2, 2};
        COffscreen offs(&dest, 32, &OffsOwner::CB, &owner);
        offs.GetSelfContext()->FillRect(tagRECT{0, 0, 1, 2}, XGColor::RGB(255, 0, 0));
        offs.StretchBlit(tagRECT{0, 0, 40, 40});
        QCOMPARE(At(screen, 5, 30), 0xFF0000u);
        QCOMPARE(At(screen, 35, 5), 0xFFFFFFu);
        offs.SetMode(KXGMode_Xor);
        offs.StretchBlit(tagRECT{0, 0, 40, 40});
        // The same picture combined by exclusive-or again cancels out.
        QCOMPARE(At(screen, 5, 30), 0u);
        QCOMPARE(At(screen, 35, 5), 0u);
        QCOMPARE(At(screen, 45, 45), 0xFFFFFFu);
    }
    void offscreenResize() {
        OffsOwner owner;
        owner.frame = tagRECT{0, 0, 20, 10};
        COffscreen offs(nullptr, 32, &OffsOwner::CB, &owner);
        offs.SetInvalid(false);
        offs.UpdateSize(nullptr);
        QVERIFY(!offs.IsInvalid()); // the same size keeps the bitmap
        owner.frame = tagRECT{5, 5, 205, 105};
        offs.UpdateSize(nullptr);
        QVERIFY(offs.IsInvalid());
        offs.GetSelfContext()->PaintRect(tagRECT{190, 90, 200, 100}); // drawing covers the new area
        QCOMPARE(offs.GetPicture()->GetImage().pixel(199, 99) & 0xFFFFFF, 0u);
        const tagRECT empty{3, 3, 3, 3};
        offs.UpdateSize(&empty);
        QVERIFY(!offs.HasBuffer() && !offs.GetSelfContext());
        offs.Blit();
    }
    void offscreenDestGuards() {
        AlertRecorder alerts;
        QImage a(4, 4, QImage::Format_ARGB32_Premultiplied), b(4, 4, QImage::Format_ARGB32_Premultiplied);
        XGDraw da(&a), db(&b);
        COffscreen offs(&da, 32, nullptr, nullptr);
        offs.SetDest(&db, true);
        offs.SetDest(&db, true); // a second save is reported
        QCOMPARE(alerts.Count("i_saved_prevB == FALSE"), 1);
        offs.SetDest(&db, true, true); // allowed when asked
        offs.RestoreDest();
        QCOMPARE(offs.GetDest(), &da);
        offs.RestoreDest(); // nothing saved: reported, and the destination stays
        QCOMPARE(alerts.size(), size_t(2));
        QCOMPARE(offs.GetDest(), &da);
    }

    // Text as it goes onto the clipboard (CR LF line ends, a closing zero) and as it is read
    // back, from what is given and from what was put there.
    void clipText_data() {
        QTest::addColumn<QByteArray>("text");
        QTest::addColumn<QByteArray>("clip");
        QTest::addColumn<QByteArray>("read");
        auto row = [](const char* name, const QByteArray& text, const QByteArray& clip,
                      const QByteArray& read) { QTest::newRow(name) << text << clip << read; };
        row("cr lf", "a\r\nb", {"a\r\nb\0", 5}, "a\nb");
        // Text from other programs here ends its lines with LF alone: it keeps them.
        row("lf", "a\nb", {"a\r\nb\0", 5}, "a\nb");
        row("cr", "a\rb", {"a\r\nb\0", 5}, "a\nb");
        row("lf cr", "a\n\rb", {"a\r\nb\0", 5}, "a\nb");
        row("two lf", "a\n\nb", {"a\r\n\r\nb\0", 7}, "a\n\nb");
        row("cr cr lf", "a\r\r\nb", {"a\r\n\r\nb\0", 7}, "a\n\nb");
        row("blank line", "a\r\n\r\nb", {"a\r\n\r\nb\0", 7}, "a\n\nb");
        row("zero ends", {"ab\0cd", 5}, {"ab\0", 3}, "ab");
        row("empty", "", {"\0", 1}, "");
    }
    void clipText() {
        QFETCH(QByteArray, text);
        QFETCH(QByteArray, read);
        const std::string out = CClipboard::TextToClip(text.constData(), size_t(text.size()));
        QTEST(QByteArray::fromStdString(out), "clip");
        const std::string in = CClipboard::TextFromClip(text.constData(), size_t(text.size()));
        QCOMPARE(QByteArray::fromStdString(in), read);
        QCOMPARE(QByteArray::fromStdString(CClipboard::TextFromClip(out.data(), out.size())), read);
    }
    void clipFlavors() {
        QCOMPARE(CClipboard::FlavorName('VoIt'), std::string("0x566F4974"));
        CClipboard clip;
        // A board copy travels whole, zero bytes included, beside nothing else.
        const char boardBytes[] = "2dv\0\1\2\r\n\xff";
        XGHandle board(boardBytes, int32(sizeof boardBytes - 1));
        clip.Open();
        clip.AddFlavor('VoIt', &board);
        clip.Close();
        QVERIFY(!clip.FindFlavor('TEXT'));
        XGHandle back;
        QVERIFY(clip.FindFlavor('VoIt', &back));
        QCOMPARE(QByteArray(back.GetData(), back.GetSize()), QByteArray(boardBytes, sizeof boardBytes - 1));

        // Copying text replaces the board: Paste of items is then off.
        XGHandle text("one\rtwo", 7);
        clip.Open();
        clip.AddFlavor('TEXT', &text);
        clip.Close();
        QVERIFY(!clip.FindFlavor('VoIt', &back));
        QVERIFY(clip.FindFlavor('TEXT', &back));
        QCOMPARE(QByteArray(back.GetData(), back.GetSize()), QByteArray("one\ntwo"));
        // Other programs see CR LF line ends and no zero byte.
        QCOMPARE(QGuiApplication::clipboard()->text(), QString("one\r\ntwo"));

        // Text copied by the text view's own path also ends a board copy.
        clip.Open();
        clip.AddFlavor('VoIt', &board);
        clip.Close();
        QVERIFY(clip.FindFlavor('VoIt'));
        XGScrapSetText("plain");
        QVERIFY(!clip.FindFlavor('VoIt'));
        // Open empties the clipboard even when nothing is added.
        clip.Open();
        clip.Close();
        QVERIFY(!clip.FindFlavor('TEXT'));
    }

private:
    int32 fSavedTimeout = 0;
};

QTEST_MAIN(TestPictures)
#include "tst_pictures.moc"
