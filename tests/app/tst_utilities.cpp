#include "Utilities.h"
#include "XGGeometry.h"
#include "XGPlatform.h"
#include "XGStringScanner.h"

#include <QtTest>

#include <cstring>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

using namespace yaaf;
namespace fs = std::filesystem;

namespace {

tagRECT R(int32 l, int32 t, int32 r, int32 b) {
    return tagRECT{l, t, r, b};
}

const XGToken kTokens[] = {{"HTTP", 1},    {"HTTP/1.0", 2}, {"Content-Length", 3},
                           {"Content", 4}, {"Date", 5},     {"Server", 6},
                           {"a", 7},       {"ab", 8},       {"abc", 9},
                           {"b", 10},      {"Vorn", 11},    {"VERSION", 12},
                           {nullptr, 0}};

} // namespace

Q_DECLARE_METATYPE(yaaf::tagRECT)

class TestUtilities : public QObject {
    Q_OBJECT

private slots:
    void urlsAndPictureNames_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("isURL");
        QTest::addColumn<bool>("isPic");
        QTest::newRow("http") << "http://quorvale.example/" << true << false;
        QTest::newRow("mailto") << "mailto:someone@example.org" << true << false;
        QTest::newRow("capitals") << "HTTP://quorvale.example/" << false << false;
        QTest::newRow("leading blank") << " http://x" << false << false;
        QTest::newRow("prefix only in the middle") << "see http://x" << false << false;
        QTest::newRow("no colon") << "http//x" << false << false;
        QTest::newRow("empty") << "" << false << false;
        QTest::newRow("jpg") << "photo.jpg" << false << true;
        QTest::newRow("JPG capitals") << "PHOTO.JPG" << false << true;
        QTest::newRow("jpgx counts") << "odd.jpgx" << false << true;
        QTest::newRow("bmp in url") << "http://h/p/img.bmp" << true << true;
        QTest::newRow("gz") << "archive.gz" << false << false;
        QTest::newRow("jpeg2 too long") << "a.jpeg2" << false << false;
        QTest::newRow("no dot") << "picture" << false << false;
        QTest::newRow("dot only") << "name." << false << false;
        QTest::newRow("last dot decides") << "a.jpg.txt" << false << false;
        QTest::newRow("dot in folder") << "http://a.png/page" << true << false;
    }
    void urlsAndPictureNames() {
        QFETCH(QString, text);
        QTEST(StringIsURL(text.toUtf8().constData()), "isURL");
        QTEST(URLStringIsPic(text.toUtf8().constData()), "isPic");
        QVERIFY(!StringIsURL(nullptr) && !URLStringIsPic(nullptr));
    }

    void scannerFindsExactNames_data() {
        QTest::addColumn<QString>("key");
        QTest::addColumn<bool>("ignoreCase");
        QTest::addColumn<int>("id");
        for (const XGToken* t = kTokens; t->name; ++t)
            QTest::newRow(t->name) << QString(t->name) << false << int(t->id);
        QTest::newRow("empty") << "" << false << -1;
        QTest::newRow("case matters") << "date" << false << -1;
        QTest::newRow("case ignored") << "date" << true << 5;
        QTest::newRow("case ignored mixed") << "cOnTeNt-LeNgTh" << true << 3;
        QTest::newRow("case ignored short") << "AB" << true << 8;
        QTest::newRow("case ignored prefix") << "VERS" << true << -1;
        QTest::newRow("case ignored exact") << "version" << true << 12;
    }
    void scannerFindsExactNames() {
        QFETCH(QString, key);
        QFETCH(bool, ignoreCase);
        const XGStringScanner scanner(kTokens, ignoreCase);
        QTEST(int(scanner.GetValue(key.toStdString().c_str())), "id");
    }
    void scannerLargeTable() {
        // Every name of a larger table is found, and every one-character change of it is not
        // (unless that makes another name).
        std::vector<std::string> names;
        for (int i = 0; i < 300; ++i)
            names.push_back("k" + std::to_string(i * 7919 % 1000) + (i % 3 ? "x" : ""));
        std::sort(names.begin(), names.end());
        names.erase(std::unique(names.begin(), names.end()), names.end());
        std::vector<XGToken> table;
        for (size_t i = 0; i < names.size(); ++i)
            table.push_back({names[i].c_str(), int16(i)});
        table.push_back({nullptr, 0});
        const XGStringScanner scanner(table.data(), false);
        for (size_t i = 0; i < names.size(); ++i) {
            QCOMPARE(int(scanner.GetValue(names[i])), int(i));
            std::string changed = names[i] + "?";
            QCOMPARE(int(scanner.GetValue(changed)), -1);
            changed = names[i].substr(0, names[i].size() - 1);
            const auto it = std::find(names.begin(), names.end(), changed);
            QCOMPARE(int(scanner.GetValue(changed)), it == names.end() ? -1 : int(it - names.begin()));
        }
    }
    void scannerEmptyAndDuplicates() {
        const XGToken empty[] = {{nullptr, 0}};
        QCOMPARE(int(XGStringScanner(empty, false).GetValue("x")), -1);
        QCOMPARE(int(XGStringScanner(nullptr, true).GetValue("x")), -1);
        const XGToken blankEnd[] = {{"one", 1}, {"", 0}, {"two", 2}};
        QCOMPARE(int(XGStringScanner(blankEnd, false).GetValue("two")), -1);
        const XGToken dup[] = {{"same", 1}, {"Same", 2}, {nullptr, 0}};
        QCOMPARE(int(XGStringScanner(dup, false).GetValue("Same")), 2);
        QCOMPARE(int(XGStringScanner(dup, true).GetValue("SAME")), 1);
        QCOMPARE(int(XGStringScanner(kTokens, false).GetValue(static_cast<const char*>(nullptr))), -1);
    }

    void sectAndUnionRect_data() {
        QTest::addColumn<yaaf::tagRECT>("a");
        QTest::addColumn<yaaf::tagRECT>("b");
        QTest::addColumn<bool>("meets");
        QTest::addColumn<yaaf::tagRECT>("sect");
        QTest::addColumn<yaaf::tagRECT>("bounds");
        const tagRECT none{}, box = R(0, 0, 10, 10);
        QTest::newRow("overlap") << box << R(5, 5, 20, 20) << true << R(5, 5, 10, 10) << R(0, 0, 20, 20);
        QTest::newRow("overlap across the top")
            << box << R(5, -5, 20, 8) << true << R(5, 0, 10, 8) << R(0, -5, 20, 10);
        QTest::newRow("inside") << box << R(2, 3, 4, 5) << true << R(2, 3, 4, 5) << box;
        QTest::newRow("touch at right edge") << box << R(10, 0, 20, 10) << false << none << R(0, 0, 20, 10);
        QTest::newRow("touch at bottom edge") << box << R(0, 10, 10, 20) << false << none << R(0, 0, 10, 20);
        QTest::newRow("apart") << R(0, 0, 1, 1) << R(5, 5, 6, 6) << false << none << R(0, 0, 6, 6);
        QTest::newRow("negative") << R(-10, -10, 0, 0) << R(-5, -20, 5, -5) << true << R(-5, -10, 0, -5)
                                  << R(-10, -20, 5, 0);
        // An empty rectangle meets nothing and adds nothing to the bounds.
        QTest::newRow("empty one") << box << R(3, 3, 3, 8) << false << none << box;
        QTest::newRow("empty far away")
            << R(100, 100, 100, 200) << R(1, 2, 3, 4) << false << none << R(1, 2, 3, 4);
        QTest::newRow("empty inverted")
            << R(1, 2, 3, 4) << R(-50, -50, -60, -40) << false << none << R(1, 2, 3, 4);
        QTest::newRow("both empty") << R(5, 5, 5, 5) << R(0, 0, 0, 9) << false << none << R(0, 0, 0, 9);
    }
    void sectAndUnionRect() {
        QFETCH(tagRECT, a);
        QFETCH(tagRECT, b);
        QFETCH(bool, meets);
        QFETCH(tagRECT, sect);
        tagRECT result = R(99, 99, 99, 99);
        QCOMPARE(SectRect(a, b, result), meets);
        QCOMPARE(result, sect);
        QCOMPARE(SectRect(b, a, result), meets);
        QCOMPARE(result, sect);
        // The output may be one of the inputs.
        tagRECT alias = a;
        QCOMPARE(SectRect(alias, b, alias), meets);
        QCOMPARE(alias, sect);
        UnionRect(a, b, result);
        QTEST(result, "bounds");
    }
    void insetAndPoints() {
        tagRECT r = R(0, 0, 10, 20);
        InsetRect(r, 2, 3);
        QCOMPARE(r, R(2, 3, 8, 17));
        InsetRect(r, -2, -3);
        QCOMPARE(r, R(0, 0, 10, 20));
        InsetRect(r, 5, 1); // nothing left across
        QCOMPARE(r, tagRECT{});
        r = R(INT32_MIN + 1, 0, INT32_MAX - 1, 5);
        InsetRect(r, -10, 0); // no overflow
        QCOMPARE(r.left, INT32_MIN);
        QCOMPARE(r.right, INT32_MAX);
        r = R(0, 0, 2, 2);
        OffsetRect(r, -1, 3);
        QCOMPARE(r, R(-1, 3, 1, 5));

        QVERIFY(EmptyRect(R(0, 0, 0, 5)));
        QVERIFY(EmptyRect(R(5, 0, 0, 5)));
        QVERIFY(!EmptyRect(R(0, 0, 1, 1)));

        const tagRECT box = R(10, 20, 30, 40);
        QVERIFY(PtInRect(MakePoint(10, 20), box));
        QVERIFY(PtInRect(MakePoint(29, 39), box));
        QVERIFY(!PtInRect(MakePoint(30, 25), box)); // right edge excluded
        QVERIFY(!PtInRect(MakePoint(15, 40), box)); // bottom edge excluded
        QVERIFY(!PtInRect(MakePoint(9, 25), box));

        PointToRect(r, MakePoint(100, 50), 2, 1);
        QCOMPARE(r, R(98, 48, 103, 53));
        PointToRect(r, MakePoint(100, 50), 2, 0);
        QCOMPARE(r, R(98, 48, 102, 52));
        PointToRect(r, MakePoint(100, 50), 3, -4);
        QCOMPARE(r, R(93, 43, 103, 53));
        PointToRect(r, MakePoint(7, 7), 0, 1);
        QCOMPARE(r, R(7, 7, 8, 8)); // the point itself

        QCOMPARE(PackPoint(MakePoint(-1, 2)), uint32(0xFFFF0002));
        QCOMPARE(UnpackPoint(0xFFFE8000), MakePoint(-2, -32768));
    }

    void stringConversions() {
        unsigned char pas[256];
        char c[300];
        const std::string longText(400, 'q');
        cvtc2p(pas, longText.c_str());
        QCOMPARE(int(pas[0]), 255); // at most 255 characters
        QCOMPARE(std::string(cvtp2c(c, pas)), std::string(255, 'q'));
        cvtc2p(pas, "");
        QCOMPARE(std::string(cvtp2c(c, pas)), std::string());

        char small[4] = {'x', 'x', 'x', 'x'};
        QCOMPARE(std::string(nstrcpy(small, "abcdef", sizeof small)), std::string("abc"));
        QCOMPARE(std::string(nstrcpy(small, "ab", sizeof small)), std::string("ab"));
        char untouched = 'z';
        nstrcpy(&untouched, "abc", 0);
        QCOMPARE(untouched, 'z');
        nstrcpy(small, "abc", 1);
        QCOMPARE(small[0], char(0));

        char low[32];
        QCOMPARE(std::string(strlower(low, "MiXeD Case 123 ÄÖ")), std::string("mixed case 123 ÄÖ"));
        std::strcpy(low, "InPlace");
        QCOMPARE(std::string(strlower(low, low)), std::string("inplace"));
    }
    void resolveFileSpec_data() {
        QTest::addColumn<QString>("path"); // ROOT: the test's folder, with moved/Board.2dv the board
        QTest::addColumn<bool>("withBoard");
        QTest::addColumn<int>("result");
        QTest::addColumn<QString>("resolved");
        QTest::newRow("present where it says") << "ROOT/here.txt" << true << 0 << "ROOT/here.txt";
        QTest::newRow("moved with the board")
            << "ROOT/old place/pic.png" << true << 0 << "ROOT/moved/pic.png";
        QTest::newRow("gone, keeps the new place")
            << "ROOT/elsewhere/lost.jpg" << true << 3 << "ROOT/moved/lost.jpg";
        QTest::newRow("bare name from an old board") << "pic.png" << true << 0 << "ROOT/moved/pic.png";
        // Nothing to look for: an empty specifier never resolves to the board's folder.
        QTest::newRow("empty") << "" << true << 3 << "";
        QTest::newRow("no board") << "ROOT/x/pic.png" << false << 3 << "ROOT/x/pic.png";
    }
    void resolveFileSpec() {
        QFETCH(QString, path);
        QFETCH(bool, withBoard);
        QFETCH(QString, resolved);
        QTemporaryDir tmp;
        const fs::path root = tmp.path().toStdString();
        fs::create_directories(root / "moved");
        for (const char* name : {"moved/Board.2dv", "moved/pic.png", "here.txt"})
            std::ofstream(root / name) << "x";
        const XGFileSpecifier board =
            withBoard ? XGFileSpecifier((root / "moved/Board.2dv").string()) : XGFileSpecifier();
        XGFileSpecifier spec = path.isEmpty()
                                   ? XGFileSpecifier()
                                   : XGFileSpecifier(path.replace("ROOT", tmp.path()).toStdString());
        QTEST(int(ResolveFileSpec(spec, board)), "result");
        QCOMPARE(QString::fromStdString(spec.GetFullPath()), resolved.replace("ROOT", tmp.path()));
    }
    void platformConstants() {
        char version[32];
        QVERIFY(XGGetAppVersion(version, sizeof version));
        QCOMPARE(std::string(version), std::string("1.0a50.3"));
        char tiny[4];
        QVERIFY(!XGGetAppVersion(tiny, sizeof tiny));
        QCOMPARE(std::string(tiny), std::string("1.0"));

        // The launch goes through the hook when one is set; empty addresses open nothing.
        static std::string launched;
        const XGLaunchURLHook old = XGSetLaunchURLHook([](const char* url) {
            launched = url;
            return std::strncmp(url, "http", 4) == 0;
        });
        QCOMPARE(LaunchURL("https://quorvale.example/"), int32(0));
        QCOMPARE(launched, std::string("https://quorvale.example/"));
        QCOMPARE(LaunchURL("gopher:x"), int32(3));
        QCOMPARE(LaunchURL(""), int32(3));
        QCOMPARE(LaunchURL(nullptr), int32(3));
        XGSetLaunchURLHook(old);

        SpeakCString("silent");
        Idle_DisposeSpeechChannel();
    }
};

QTEST_GUILESS_MAIN(TestUtilities)
#include "tst_utilities.moc"
