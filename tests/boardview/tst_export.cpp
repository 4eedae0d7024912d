// Exporting boards (PNG, PDF, SVG, JSON) and the Open Board Format both ways: round trips,
// pixels of the drawings (the PDF through pdftoppm), the size budget, atomic writes, fixtures
// written from the format's description and by an independent toolkit, and bad input.
#include "BoardGlobals.h"
#include "CItemArray.h"
#include "CVornItem.h"
#include "CVornOffscreenView.h"
#include "ImageProbe.h"
#include "TVornController.h"
#include "TVornModel.h"
#include "TestFiles.h"
#include "VornBoardJson.h"
#include "VornExport.h"
#include "VornExportCommands.h"
#include "VornFileFormat.h"
#include "VornOBF.h"
#include "XGFile.h"
#include "XGFileDialog.h"
#include "XGFileSpecifier.h"
#include "XGJson.h"
#include "XGPicture.h"
#include "XGSizeDialog.h"
#include "XGStdDialogs.h"
#include "XGZip.h"

#include <QDir>
#include <QFile>
#include <QImage>
#include <QJsonDocument>
#include <QPainter>
#include <QProcess>
#include <QStandardPaths>
#include <QSvgRenderer>
#include <QTemporaryDir>
#include <QtTest>

#include <memory>

using namespace yaaf;
using namespace vorntest;

namespace {

QString Data(const QString& name) {
    return QStringLiteral(VORN_TEST_DATA "/") + name;
}

std::unique_ptr<TVornModel> Load(const QString& path) {
    XGFile file{XGFileSpecifier(path.toStdString())};
    if (file.Open(XGFile::kRead) != 0) return nullptr;
    auto board = std::make_unique<TVornModel>();
    board->i_importingB = false;
    if (!board->ReadModel(file)) return nullptr;
    return board;
}

bool Save(TVornModel& board, const QString& path) {
    XGAtomicFile file{XGFileSpecifier(path.toStdString())};
    if (file.Open() != 0 || !board.WriteModel(file)) return false;
    return file.Commit() == 0;
}

// A board from JSON of the dump's shape.
std::unique_ptr<TVornModel> Make(const char* json) {
    XGJson value;
    std::string error;
    auto board = std::make_unique<TVornModel>();
    if (!XGJson::Parse(json, value, error) || !VornBoard_FromJson(value, *board, error)) return nullptr;
    return board;
}

XGJson Dump(TVornModel& board) {
    return VornBoard_ToJson(board, kVornFileVersion);
}

bool Have(const char* program) {
    return !QStandardPaths::findExecutable(QString::fromLatin1(program)).isEmpty();
}

// Darkest pixel value along a row segment (0 black, 255 white).
int Darkest(const QImage& image, int x0, int x1, int y) {
    int darkest = 255;
    for (int x = x0; x <= x1; ++x)
        darkest = qMin(darkest, qGray(image.pixel(x, y)));
    return darkest;
}

// A zip package of the files named.
std::string Package(const std::vector<std::pair<std::string, std::string>>& files) {
    XGZipWriter zip;
    for (const auto& [name, text] : files)
        zip.Add(name, std::vector<uint8>(text.begin(), text.end()));
    std::vector<uint8> out;
    std::string error;
    zip.Finish(out, error);
    return std::string(out.begin(), out.end());
}

const char* const kTwoItems = R"({"prefs":{"view_as":4,"wind_edit":{"rect":[0,0,300,200]}},"items":[
    {"bounds":[20,30,140,60],"source":{"type":1,"text":"WWWW"}},
    {"bounds":[160,100,280,130],"source":{"type":1,"text":"iiii"}}]})";

} // namespace

class TestExport : public QObject {
    Q_OBJECT

    std::unique_ptr<BoardGlobals> i_globals;
    QTemporaryDir i_dir;

    QString Path(const QString& name) const { return i_dir.filePath(name); }

    // Boards a and b link to each other; a has a picture, a line break and a web link.
    void MakeLinkedBoards() {
        QVERIFY(SavePicture(Path("pic.png"), 6, 4, Qt::blue));
        const QString a =
            QString(R"({"prefs":{"view_as":5,"num_columns":3,"wind_edit":{"rect":[0,0,400,300]}},
            "items":[{"source":{"type":1,"text":"Hello"},"dest":{"type":1,"text":"Hello there"}},
              {"source":{"type":1,"text":"Go to B"},"dest":{"type":3,"path":"%1"}},
              {"source":{"type":2,"path":"%2"},"bounds":[10,10,16,14],"flags":64},
              {"source":{"type":1,"text":"\r"}},
              {"source":{"type":1,"text":"Web"},"dest":{"type":4,"text":"%3"}}]})")
                .arg(Path("b.2dv"), Path("pic.png"),
                     "http://127.0.0.1:9/"); // moc stops at "//" in a raw string
        const QString b = QString(R"({"prefs":{"view_as":4},"items":[{"bounds":[100,20,180,40],
            "source":{"type":1,"text":"Back"},"dest":{"type":3,"path":"%1"}}]})")
                              .arg(Path("a.2dv"));
        auto boardA = Make(a.toUtf8().constData());
        auto boardB = Make(b.toUtf8().constData());
        QVERIFY(boardA && boardB);
        // Each link is saved whole once the file it names exists.
        QVERIFY(Save(*boardB, Path("b.2dv")));
        QVERIFY(Save(*boardA, Path("a.2dv")));
        QVERIFY(Save(*boardB, Path("b.2dv")));
    }

private slots:
    void initTestCase() {
        QVERIFY(i_dir.isValid());
        BoardGlobals::Options options;
        options.loadPicturesOnRead = false;
        i_globals = std::make_unique<BoardGlobals>(options);
    }

    void json_data() {
        QTest::addColumn<QByteArray>("text");
        QTest::addColumn<bool>("ok");
        QTest::newRow("escapes") << QByteArray("{\"a\":\"\\ud83d\\ude00\\u00e9\\n\\\"\\\\/\"}") << true;
        QTest::newRow("numbers") << QByteArray("[9223372036854775807,-0,1.5,1e3,-2.25e-3]") << true;
        QTest::newRow("duplicate name") << QByteArray("{\"a\":1,\"a\":2}") << true;
        QTest::newRow("lone surrogate") << QByteArray("[\"\\ud800x\"]") << true;
        QTest::newRow("too large") << QByteArray("[1e400]") << false;
        QTest::newRow("not UTF-8") << QByteArray("[\"\xC3\x28\"]") << false;
        QTest::newRow("control character") << QByteArray("[\"a\tb\"]") << false;
        QTest::newRow("trailing comma") << QByteArray("[1,]") << false;
        QTest::newRow("two values") << QByteArray("{} {}") << false;
        QTest::newRow("leading zero") << QByteArray("[01]") << false;
        QTest::newRow("too deep") << QByteArray(600, '[') + QByteArray(600, ']') << false;
        QTest::newRow("cut short") << QByteArray("{\"a\":[1,2") << false;
    }

    // What reads, written and read again, is the same value; Qt's reader agrees with the text.
    void json() {
        QFETCH(QByteArray, text);
        QFETCH(bool, ok);
        XGJson value;
        std::string error;
        QCOMPARE(XGJson::Parse(text.toStdString(), value, error), ok);
        if (!ok) {
            QVERIFY(!error.empty());
            return;
        }
        XGJson again;
        const std::string written = value.Write(false);
        QVERIFY(XGJson::Parse(written, again, error));
        QVERIFY(again == value);
        QVERIFY(!QJsonDocument::fromJson(QByteArray::fromStdString(value.Write())).isNull());
        if (QTest::currentDataTag() == QByteArray("duplicate name")) QCOMPARE(value["a"].GetInt(), 2);
        if (QTest::currentDataTag() == QByteArray("lone surrogate"))
            QCOMPARE(value.At(0).GetString(), std::string("\xEF\xBF\xBDx"));
    }

    void format_data() {
        QTest::addColumn<QString>("path");
        QTest::addColumn<int>("format");
        QTest::newRow("png") << "/a/b.png" << int(VornExportFormat::kPNG);
        QTest::newRow("upper case") << "B.PDF" << int(VornExportFormat::kPDF);
        QTest::newRow("package") << "x.y.obz" << int(VornExportFormat::kOBZ);
        QTest::newRow("dot in a folder") << "/a.svg/board" << int(VornExportFormat::kNone);
        QTest::newRow("board") << "b.2dv" << int(VornExportFormat::kNone);
    }

    void format() {
        QFETCH(QString, path);
        QFETCH(int, format);
        QCOMPARE(int(VornExport_FormatFromPath(path.toStdString())), format);
    }

    void sizeBudget_data() {
        QTest::addColumn<int>("width");
        QTest::addColumn<int>("height");
        QTest::addColumn<bool>("ok");
        QTest::newRow("the largest square") << 8192 << 8192 << true;
        QTest::newRow("long and thin") << 16384 << 4096 << true;
        QTest::newRow("one pixel") << 1 << 1 << true;
        QTest::newRow("largest sides") << 16384 << 16384 << false;
        QTest::newRow("past the budget") << 8193 << 8192 << false;
        QTest::newRow("side too long") << 16385 << 1 << false;
        QTest::newRow("empty") << 0 << 10 << false;
    }

    void sizeBudget() {
        QFETCH(int, width);
        QFETCH(int, height);
        QFETCH(bool, ok);
        std::string error;
        QCOMPARE(VornExport_CheckSize(width, height, error), ok);
        QCOMPARE(error.empty(), ok);
    }

    // A huge board at the largest size is refused before anything is drawn, and an earlier
    // file of that name stays as it was.
    void hugeExportRefused() {
        auto board = std::make_unique<TVornModel>();
        for (int i = 0; i < 32767; ++i) {
            auto* itemP = new CVornItem(board.get(), kNoIndex);
            board->InsertItem(itemP, -1);
        }
        QVERIFY(WriteFile(Path("huge.png"), "old"));
        VornExportOptions options;
        options.width = options.height = 16384;
        std::string error;
        QVERIFY(!VornExport_Drawing(std::move(board), VornExportFormat::kPNG, options,
                                    Path("huge.png").toStdString(), error));
        QVERIFY2(error.find("more than an export may have") != std::string::npos, error.c_str());
        QCOMPARE(ReadFile(Path("huge.png")), QByteArray("old"));
    }

    void writeFails_data() {
        QTest::addColumn<QString>("target");
        QTest::newRow("missing folder") << "missing/out.json";
        QTest::newRow("a folder") << "folder";
    }

    // Nothing half written: the target does not appear (or stays what it was).
    void writeFails() {
        QFETCH(QString, target);
        QVERIFY(QDir(i_dir.path()).mkpath("folder"));
        auto board = Make(kTwoItems);
        std::string error;
        QVERIFY(!VornExport_Json(*board, 5, Path(target).toStdString(), error));
        QVERIFY(error.find("cannot write") != std::string::npos);
        QVERIFY(!QFileInfo(Path("missing")).exists());
        QVERIFY(QFileInfo(Path("folder")).isDir());
        QVERIFY(QDir(i_dir.path()).entryList({"*.tmp*", ".*tmp*"}, QDir::Files | QDir::Hidden).isEmpty());
    }

    void jsonRoundTrip_data() {
        QTest::addColumn<QString>("fixture");
        for (int v = 0; v <= 5; ++v)
            QTest::newRow(qPrintable(QString("v%1").arg(v))) << QString("boards/v%1.2dv").arg(v);
    }

    // The JSON export, made into a board again, is the same board.
    void jsonRoundTrip() {
        QFETCH(QString, fixture);
        auto board = Load(Data(fixture));
        QVERIFY(board);
        const std::string out = Path("round.json").toStdString();
        std::string error;
        QVERIFY2(VornExport_Json(*board, 5, out, error), error.c_str());
        XGJson json;
        QVERIFY(XGJson::Parse(ReadFile(Path("round.json")).toStdString(), json, error));
        TVornModel again;
        QVERIFY2(VornBoard_FromJson(json, again, error), error.c_str());
        QVERIFY(Dump(again) == Dump(*board));
    }

    void drawing_data() {
        QTest::addColumn<int>("format");
        QTest::newRow("png") << int(VornExportFormat::kPNG);
        QTest::newRow("pdf") << int(VornExportFormat::kPDF);
        QTest::newRow("svg") << int(VornExportFormat::kSVG);
    }

    // Frames where the items stand, titles inside them (two different titles draw differently),
    // white around them; the PDF keeps its text as text.
    void drawing() {
        QFETCH(int, format);
        const auto f = VornExportFormat(format);
        const QString out = Path(QString("draw.") + VornExport_Extension(f));
        VornExportOptions options;
        options.width = 300;
        options.height = 200;
        options.hideSelectionB = true;
        std::string error;
        QVERIFY2(VornExport_Drawing(Make(kTwoItems), f, options, out.toStdString(), error), error.c_str());
        QImage image;
        if (f == VornExportFormat::kPNG) {
            QVERIFY(image.load(out));
        } else if (f == VornExportFormat::kSVG) {
            QSvgRenderer svg(out);
            QVERIFY(svg.isValid());
            image = QImage(300, 200, QImage::Format_RGB32);
            image.fill(Qt::white);
            QPainter p(&image);
            svg.render(&p);
        } else {
            if (!Have("pdftoppm")) QSKIP("pdftoppm is not installed");
            QProcess::execute("pdftoppm", {"-r", "96", "-png", "-singlefile", out, Path("pdfpage")});
            QVERIFY(image.load(Path("pdfpage.png")));
            if (Have("pdftotext")) {
                QProcess text;
                text.start("pdftotext", {out, "-"});
                QVERIFY(text.waitForFinished(30000));
                const QByteArray words = text.readAllStandardOutput();
                QVERIFY2(words.contains("WWWW") && words.contains("iiii"), words.constData());
            }
        }
        QVERIFY(qAbs(image.width() - 300) <= 1 && qAbs(image.height() - 200) <= 1);
        // The frames' left and top edges.
        QVERIFY(Darkest(image, 19, 21, 45) < 100);
        QVERIFY(Darkest(image, 159, 161, 115) < 100);
        QVERIFY(Darkest(image, 80, 80, 29) < 100 || Darkest(image, 80, 80, 30) < 100);
        // White outside them.
        QCOMPARE(Darkest(image, 200, 290, 60), 255);
        QCOMPARE(Darkest(image, 5, 15, 150), 255);
        // The titles: ink inside each item, more for the wide letters.
        const int wide = DarkPixels(image, QRect(23, 33, 110, 25));
        const int thin = DarkPixels(image, QRect(163, 103, 110, 25));
        QVERIFY2(thin > 5 && wide > thin * 2, qPrintable(QString("%1 %2").arg(wide).arg(thin)));
    }

    // A PNG is drawn band after band while it is encoded: items across the bands' edges,
    // selected ones (inverted) and titles too long for their items come out as one drawing.
    void pngBandsMatchOneDrawing() {
        QString items;
        for (int i = 0; i < 120; ++i) {
            const int left = (i % 6) * 65, top = (i / 6) * 29 + 3;
            items += QString(R"(%1{"bounds":[%2,%3,%4,%5],"flags":%6,"source":{"type":1,"text":"%7"}})")
                         .arg(i ? "," : "")
                         .arg(left).arg(top).arg(left + 60 + i % 3 * 20).arg(top + 34)
                         .arg(i % 7 == 0 ? 128 : 0)
                         .arg(i % 5 == 0 ? "a title far too long for its item" : "Black dog");
        }
        auto board = Make(qPrintable(R"({"prefs":{"view_as":4},"items":[)" + items + "]}"));
        QVERIFY(board);
        CVornOffscreenView view(400, 600);
        TVornModel* modelP = board.release();
        std::unique_ptr<TVornController> controller(view.Attach(modelP));
        std::vector<uint8> bytes;
        std::string error;
        QVERIFY2(VornExport_Render(view, *modelP, VornExportFormat::kPNG, bytes, error), error.c_str());
        const QImage banded = QImage::fromData(bytes.data(), int(bytes.size()), "PNG");
        view.DrawBoard();
        const QImage whole = view.GetPicture()->GetImage().convertToFormat(QImage::Format_RGB32);
        QCOMPARE(banded.convertToFormat(QImage::Format_RGB32), whole);
        QVERIFY(DarkPixels(whole, whole.rect()) > 10000);
        controller.reset();
    }

    // 2dv -> OBZ -> 2dv: the same board; the linked board comes along once, saved beside the
    // new board and linked back to it; the picture that is still where it was is linked there.
    void obfRoundTrips() {
        MakeLinkedBoards();
        auto a = Load(Path("a.2dv"));
        QVERIFY(a);
        a->SetFile(XGFileSpecifier(Path("a.2dv").toStdString()));
        std::string error;
        QVERIFY2(VornOBF_Export(*a, VornExportFormat::kOBZ, Path("a.obz").toStdString(), error),
                 error.c_str());

        XGZipReader zip;
        const QByteArray package = ReadFile(Path("a.obz"));
        std::vector<uint8> bytes(package.begin(), package.end());
        QVERIFY(zip.Open(bytes, error));
        std::vector<std::string> names = zip.Names();
        std::sort(names.begin(), names.end());
        QCOMPARE(names, (std::vector<std::string>{"boards/1.obf", "boards/2.obf", "images/img1.png",
                                                  "manifest.json"}));

        QVERIFY(QDir(i_dir.path()).mkpath("back"));
        const QString newRoot = Path("back/a.2dv");
        TVornModel imported;
        QVERIFY2(VornOBF_Import(imported, XGFileSpecifier(Path("a.obz").toStdString()),
                                Path("back").toStdString(), error, newRoot.toStdString()),
                 error.c_str());
        XGJson expected = Dump(*a), got = Dump(imported);
        // The one difference: the link to b names b's new file.
        XGJson items = XGJson::Array();
        for (size_t i = 0; i < got["items"].Size(); ++i) {
            XGJson item = got["items"].At(i);
            if (item["dest"]["type"].GetInt() == 3) {
                QCOMPARE(item["dest"]["path"].GetString(), Path("back/b.2dv").toStdString());
                XGJson dest = item["dest"];
                dest.Set("path", Path("b.2dv").toStdString());
                item.Set("dest", dest);
            }
            items.Append(item);
        }
        got.Set("items", items);
        QVERIFY2(got == expected, got.Write().c_str());
        auto b = Load(Path("back/b.2dv"));
        QVERIFY(b);
        QCOMPARE(b->i_list->Count(), 1);
        QCOMPARE(
            QString::fromStdString(b->i_list->GetIndItem(0)->i_resource.dest.content.u.fileP->GetFullPath()),
            newRoot);
        QCOMPARE(QDir(Path("back")).entryList(QDir::Files), (QStringList{"a.2dv", "b.2dv"}));

        // A single OBF carries its picture inside: gone from its place, it is saved beside the board.
        QVERIFY2(VornOBF_Export(*a, VornExportFormat::kOBF, Path("a.obf").toStdString(), error),
                 error.c_str());
        QVERIFY(QFile::remove(Path("pic.png")));
        QVERIFY(QDir(i_dir.path()).mkpath("single"));
        TVornModel single;
        QVERIFY(VornOBF_Import(single, XGFileSpecifier(Path("a.obf").toStdString()),
                               Path("single").toStdString(), error));
        QCOMPARE(single.i_list->Count(), a->i_list->Count());
        const Vorn_LinkContent& s = single.i_list->GetIndItem(2)->i_resource.source.content;
        QCOMPARE(int(s.type), int(LinkType_PICT_FILE));
        const QString saved = QString::fromStdString(s.u.fileP->GetFullPath());
        QVERIFY2(saved.startsWith(Path("single/a pictures/")), qPrintable(saved));
        QImage pic;
        QVERIFY(pic.load(saved));
        QCOMPARE(pic.pixel(0, 0), qRgb(0, 0, 255));
        // The link to another board stays as the board held it: a single file carries no boards.
        QCOMPARE(single.i_list->GetIndItem(1)->i_resource.dest.content.u.fileP->GetFullPath(),
                 Path("b.2dv").toStdString());
    }

    void fixtures_data() {
        QTest::addColumn<QString>("fixture");
        QTest::addColumn<QStringList>("items"); // title, or "picture", in board order
        QTest::addColumn<int>("columns");
        QTest::newRow("from the description")
            << "obf/simple.obf" << QStringList{"more", "happy", "picture", "lost picture", "not in the grid"}
            << 3;
        QTest::newRow("package with a cycle") << "obf/package.obz" << QStringList{"food", "picture"} << 2;
        QTest::newRow("toolkit") << "obf/toolkit-simple.obf"
                                 << QStringList{"more", "happy", "picture", "lost picture", "not in the grid"}
                                 << 3;
        QTest::newRow("toolkit from Vorn")
            << "obf/toolkit-vorn.obf" << QStringList{"Hello", "Go to B", "picture", "Web", "picture"} << 3;
    }

    void fixtures() {
        QFETCH(QString, fixture);
        QFETCH(QStringList, items);
        QFETCH(int, columns);
        QTemporaryDir out;
        TVornModel board;
        std::string error;
        QVERIFY2(VornOBF_Import(board, XGFileSpecifier(Data(fixture).toStdString()), out.path().toStdString(),
                                error, out.filePath("board.2dv").toStdString()),
                 error.c_str());
        QStringList got;
        for (int32 i = 0; i < board.i_list->Count(); ++i) {
            const Vorn_LinkContent& s = board.i_list->GetIndItem(i)->i_resource.source.content;
            got << (s.type == LinkType_TEXT ? QString::fromStdString(*s.u.textP) : QString("picture"));
            QVERIFY(board.i_list->GetIndItem(i)->i_b.selectedB());
        }
        QCOMPARE(got, items);
        QCOMPARE(int(board.i_prefs.num_columnsS), columns);
        QCOMPARE(int(board.i_prefs.view_as), int(O_ViewAs_FLAT_COL));
        if (fixture.endsWith(".obz")) {
            // The linked board is saved once and links back to the board imported into.
            QCOMPARE(QDir(out.path()).entryList({"*.2dv"}), (QStringList{"board.2dv", "Food.2dv"}));
            auto food = Load(out.filePath("Food.2dv"));
            QVERIFY(food);
            QCOMPARE(food->i_list->GetIndItem(1)->i_resource.dest.content.u.fileP->GetFullPath(),
                     out.filePath("board.2dv").toStdString());
            QCOMPARE(board.i_list->GetIndItem(0)->i_resource.dest.content.u.fileP->GetFullPath(),
                     out.filePath("Food.2dv").toStdString());
        }
    }

    void badInput_data() {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("reason");
        auto package = [](const std::vector<std::pair<std::string, std::string>>& files) {
            return QByteArray::fromStdString(Package(files));
        };
        const std::string board = "{\"format\":\"open-board-0.1\",\"buttons\":[]}";
        QTest::newRow("not JSON") << QByteArray("{\"format\":") << "not JSON";
        QTest::newRow("a list") << QByteArray("[]") << "not a JSON object";
        QTest::newRow("no format") << QByteArray("{\"buttons\":[]}") << "no \"format\"";
        QTest::newRow("unknown format")
            << QByteArray("{\"format\":\"grid-9\",\"buttons\":[]}") << "unknown format";
        QTest::newRow("buttons not a list")
            << QByteArray("{\"format\":\"open-board-0.1\",\"buttons\":{}}") << "\"buttons\" must be a list";
        QTest::newRow("images not a list")
            << QByteArray("{\"format\":\"open-board-0.1\",\"buttons\":[],\"images\":3}")
            << "\"images\" must be a list";
        QTest::newRow("nested too deeply")
            << QByteArray(100, '[') + QByteArray(100, ']') << "nested too deeply";
        QTest::newRow("not a zip") << QByteArray("PK\x03\x04 damaged") << "not a zip package";
        QTest::newRow("no manifest") << package({{"boards/1.obf", board}}) << "manifest.json";
        QTest::newRow("root outside")
            << package({{"manifest.json", "{\"root\":\"../1.obf\"}"}, {"boards/1.obf", board}})
            << "outside the package";
        QTest::newRow("root absent") << package({{"manifest.json", "{\"root\":\"boards/2.obf\"}"}})
                                     << "not in the package";
        QTest::newRow("zip bomb") << package({{"manifest.json", "{\"root\":\"boards/1.obf\"}"},
                                              {"boards/1.obf", std::string((65 << 20) + 1, ' ')}})
                                  << "unpacks to more than 64 MiB";
    }

    // Refused with the reason, nothing taken in.
    void badInput() {
        QFETCH(QByteArray, bytes);
        QFETCH(QString, reason);
        TVornModel board;
        std::string error;
        QVERIFY(
            !VornOBF_ImportBytes(board, bytes.toStdString(), "bad.obz", i_dir.path().toStdString(), error));
        QVERIFY2(QString::fromStdString(error).contains(reason), error.c_str());
        QCOMPARE(board.i_list->Count(), 0);
    }

    // The menu commands: a size and a file asked for, the board written; the import asks for a
    // file and adds its buttons to the board.
    void menuCommands() {
        CVornOffscreenView view(300, 200);
        std::unique_ptr<TVornController> controller(view.Attach(Make(kTwoItems).release()));
        TVornModel& board = *view.GetVornModel();
        XGSMenuStatus status;
        QVERIFY(VornExportCommand_Status(&view, kVornCmd_ExportPNG, &status) && status.enable);
        QVERIFY(!VornExportCommand_Status(&view, 17675, &status));

        QString askedTitle;
        int32 proposed = 0;
        XGSetSizeResponder([&](const std::string& title, int32& w, int32& h) -> bool {
            askedTitle = QString::fromStdString(title);
            proposed = w;
            w = 120;
            h = 90;
            return true;
        });
        XGSetSaveRequestResponder(
            [&](const XGSaveDialogSpec& spec, const std::string& name, std::string& path) {
                path = Path(QString::fromStdString(name)).toStdString();
                return spec.defaultSuffix == "png" || spec.defaultSuffix == "obz";
            });
        QVERIFY(VornExportCommand_Run(&view, kVornCmd_ExportPNG));
        const QString png = Path(QString::fromStdString(board.GetDocumentName()).section('.', 0, 0) + ".png");
        QImage image;
        QVERIFY2(image.load(png), qPrintable(png));
        QCOMPARE(image.size(), QSize(120, 90));
        QCOMPARE(askedTitle, QString("Export as PNG Picture"));
        QCOMPARE(proposed, 300); // the window's size is proposed
        QVERIFY(VornExportCommand_Run(&view, kVornCmd_ExportOBF));

        // Pictures go beside the board's file.
        board.SetFile(XGFileSpecifier(Path("menu.2dv").toStdString()));
        XGSetOpenFileHook([&](const std::string&, const std::vector<std::string>&) {
            return Data("obf/simple.obf").toStdString();
        });
        QVERIFY(VornExportCommand_Run(&view, kVornCmd_ImportOBF));
        QCOMPARE(board.i_list->Count(), 2 + 5);
        QVERIFY(board.IsDirty());
        QVERIFY(QFileInfo(Path("simple pictures")).isDir());
        QVERIFY(!QFileInfo(Data("obf/simple pictures")).exists());
        XGSetOpenFileHook({});
        XGSetSizeResponder({});
        XGSetSaveRequestResponder({});
        controller.reset();
    }

    // Buttons that name images that do not exist keep their words; an image out of the
    // package's reach gives none.
    void missingImages() {
        const std::string obf = R"({"format":"open-board-0.1","buttons":[
            {"id":"1","label":"ghost","image_id":"nope"},{"id":"2","label":"escape","image_id":"i"}],
            "images":[{"id":"i","path":"../../etc/passwd"}]})";
        TVornModel board;
        std::string error;
        QVERIFY2(VornOBF_ImportBytes(board,
                                     Package({{"manifest.json", R"({"root":"b.obf"})"}, {"b.obf", obf}}),
                                     "m.obz", i_dir.path().toStdString(), error),
                 error.c_str());
        QCOMPARE(board.i_list->Count(), 2);
        for (int32 i = 0; i < 2; ++i)
            QCOMPARE(int(board.i_list->GetIndItem(i)->i_resource.source.content.type), int(LinkType_TEXT));
    }
};

QTEST_MAIN(TestExport)
#include "tst_export.moc"
