// Import into boards: the readers' splitting rules, the import of a folder, and the command-line
// import that runs the same code (the menu's import of files is tested with the board commands).

#include "BoardGlobals.h"
#include "BoardProbes.h"
#include "CItemArray.h"
#include "CVornItem.h"
#include "TVornModel.h"
#include "TestFiles.h"
#include "VornImport.h"
#include "VornImportReaders.h"
#include "XGFileSpecifier.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QJsonArray>
#include <QJsonDocument>
#include <QtTest>

#include <cstring>

using namespace yaaf;

namespace {

// Titles joined by "|", with a line break shown as "\r" and a content as "title=>content".
QString Titles(const std::vector<CImportedItem>& items) {
    QStringList out;
    for (const CImportedItem& it : items) {
        QString t = QString::fromStdString(it.title).replace(QStringLiteral("\r"), QStringLiteral("\\r"));
        if (it.contentType) t += QStringLiteral("=>") + QString::fromStdString(it.content);
        out << t;
    }
    return out.join(QLatin1Char('|'));
}

void Field(std::string& bytes, size_t at, const char* text) {
    std::memcpy(&bytes[at], text, std::strlen(text));
}

// An "!" name list: header, then 33-byte records (8 skipped, 25 name) with a 35-byte break after
// the 60th record and after every 61 more.
std::string NameList(const std::vector<std::string>& names) {
    std::string b(2078, '\0');
    b[0] = '!';
    int count = 0;
    for (const std::string& n : names) {
        std::string rec(33, ' ');
        Field(rec, 8, n.c_str());
        b += rec;
        if (++count == 60) {
            b += std::string(35, '\xAA');
            count = -1;
        }
    }
    return b;
}

// A "U" item list: 2086 header bytes and the first record, then 85-byte records with an 8-byte
// break after every 24th item.
std::string ItemList(const std::vector<std::pair<std::string, std::string>>& items) {
    std::string b(2086, '\0');
    b[0] = 'U';
    for (size_t i = 0; i < items.size(); ++i) {
        std::string rec(85, '\0');
        Field(rec, 0, items[i].first.c_str());
        Field(rec, 20, items[i].second.c_str());
        b += rec;
        if ((i + 1) % 24 == 0) b += std::string(8, '\xBB');
    }
    b += std::string(85, '\0'); // a record whose name begins with a zero byte ends the list
    return b;
}

} // namespace

class TestImport : public QObject {
    Q_OBJECT
private slots:
    void readers_data() {
        QTest::addColumn<int>("kind");
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<bool>("ok");
        QTest::addColumn<QString>("titles");
        const int words = Vorn_Import_TEXT, phrases = Vorn_Import_CR, flowers = Vorn_Import_FLOWERS;
        QTest::newRow("words") << words << QByteArray("Hello, wide-world_2!") << true << "Hello|wide-world_2";
        QTest::newRow("words in UTF-8 stay whole")
            << words << QByteArray("caf\xc3\xa9 na\xc3\xafve") << true << QString::fromUtf8("café|naïve");
        QTest::newRow("no words") << words << QByteArray(" ,.;\n") << true << "";
        QTest::newRow("phrases, single line end") << phrases << QByteArray("red tulips, white lilies\rblue")
                                                  << true << "red tulips,|white lilies,|blue";
        QTest::newRow("phrases, LF and CR LF alike")
            << phrases << QByteArray("red tulips, white lilies\r\nblue\nend") << true
            << "red tulips,|white lilies,|blue,|end";
        QTest::newRow("phrases, blank line") << phrases << QByteArray("red tulips, white lilies\r\rblue")
                                             << true << "red tulips,|white lilies|\\r|\\r|blue";
        QTest::newRow("phrases, digits") << phrases << QByteArray("a 12 b, <12>") << true << "a  b,|12";
        QTest::newRow("phrases, colon")
            << phrases << QByteArray("Colours:\rred") << true << "Colours:|\\r|red";
        QTest::newRow("phrases, dots after digits") << phrases << QByteArray("<3.5> x.") << true << "35 x.";
        QTest::newRow("phrases, empty file fails") << phrases << QByteArray() << false << "";
        QTest::newRow("phrases, long phrase is cut")
            << phrases << QByteArray(400, 'x') << true << QString(255, QLatin1Char('x'));
        QTest::newRow("flowers")
            << flowers
            << QByteArray("Common Daisy Bellis perennis\r\nOld-World Tulip Tulipa sylvestris\n\nRose") << true
            << "Common Daisy=>Bellis perennis|Old World Tulip=>Tulipa sylvestris|Rose";
    }

    void readers() {
        QFETCH(int, kind);
        QFETCH(QByteArray, bytes);
        QFETCH(bool, ok);
        QFETCH(QString, titles);
        std::vector<CImportedItem> items;
        const std::string b(bytes.constData(), size_t(bytes.size()));
        bool result = kind == Vorn_Import_TEXT ? ReadWordText(b, items)
                      : kind == Vorn_Import_CR ? ReadPhraseText(b, items)
                                               : ReadFlowerText(b, items);
        QCOMPARE(result, ok);
        QCOMPARE(Titles(items), titles);
    }

    // A line of the flower list: its common name, and the two words of the botanical name.
    void flowerLines_data() {
        QTest::addColumn<QString>("line");
        QTest::addColumn<QString>("parsed"); // "title=>binomial"
        QTest::newRow("no binomial") << "Rose Rosa" << QString("Rose=>");
        QTest::newRow("blanks and tabs") << "  Iris\t Iris   germanica  " << QString("Iris=>Iris germanica");
        QTest::newRow("seven tokens at most") << "A B C D E F g h" << QString("A B C D E=>F g");
    }
    void flowerLines() {
        QFETCH(QString, line);
        QFETCH(QString, parsed);
        std::string t, b;
        QVERIFY(ParseFlowerLine(line.toStdString(), t, b));
        QCOMPARE(QString::fromStdString(t + "=>" + b), parsed);
    }

    // Name lists and item lists across their section breaks, other files, and lists cut short.
    void htsDataBases() {
        char name[26];
        hts_strcpy(name, "JOHN o'NEIL              ", 25);
        QCOMPARE(QByteArray(name), QByteArray("John O'Neil"));
        hts_strcpy(name, "ABCDEFGHIJKLMNOPQRSTUVWXYZ", 25); // no end within the field
        QCOMPARE(QByteArray(name), QByteArray("Abcdefghijklmnopqrstuvwxy"));

        // A name list across two section breaks, ending at "END OF LIST".
        std::vector<std::string> longList;
        for (int i = 0; i < 130; ++i)
            longList.push_back("NAME " + std::to_string(i));
        longList.push_back("END OF LIST");
        longList.push_back("AFTER");
        std::vector<CImportedItem> items;
        QVERIFY(ReadHTSDataBase(NameList(longList), items));
        QCOMPARE(int(items.size()), 260);
        QCOMPARE(QString::fromStdString(items[0].title), QStringLiteral("Name 0"));
        QCOMPARE(QString::fromStdString(items[258].title), QStringLiteral("Name 129"));
        QCOMPARE(QString::fromStdString(items[259].title), QStringLiteral("\r"));

        // An item list with its music texts, across a break.
        std::vector<std::pair<std::string, std::string>> list;
        for (int i = 0; i < 30; ++i)
            list.push_back({"SONG " + std::to_string(i), "12-" + std::to_string(i)});
        items.clear();
        QVERIFY(ReadHTSDataBase(ItemList(list), items));
        QCOMPARE(int(items.size()), 60);
        QCOMPARE(Titles({items[50]}), QStringLiteral("Song 25=>12-25"));

        items.clear();
        QVERIFY(ReadHTSDataBase("other", items));
        QVERIFY(items.empty());

        // Cut short: the records read before the file ends stay; the import reports failure.
        std::string names = NameList({"ONE", "TWO", "THREE"});
        names.resize(names.size() - 10);
        QVERIFY(!ReadHTSDataBase(names, items));
        QCOMPARE(Titles(items), QStringLiteral("One|\\r|Two|\\r"));
        items.clear();
        QVERIFY(!ReadHTSDataBase(std::string(100, 'U'), items));
        QVERIFY(!ReadHTSDataBase(std::string(), items));
    }

    // An unknown command names no import and leaves the title alone; the filters are written for
    // the dialog.
    void commandTable() {
        char title[64] = "untouched";
        QCOMPARE(Import_CmdToType(99, title), Vorn_Import_NONE);
        QCOMPARE(QByteArray(title), QByteArray("untouched"));
        QCOMPARE(ImportFilterForDialog("HTML Documents|*.htm;*.html"),
                 std::string("HTML Documents (*.htm *.html)"));
    }
    void folderImport() {
        vorntest::BoardGlobals globals;
        QTemporaryDir dir;
        for (const char* name : {"b.txt", "a.png", ".hidden"})
            QVERIFY(vorntest::WriteFile(dir.filePath(QString::fromLatin1(name)), {}));
        QVERIFY(QDir(dir.path()).mkdir(QStringLiteral("sub")));
        TVornModel board;
        const XGFileSpecifier folder(dir.path().toStdString());
        QVERIFY(board.Import(Vorn_Import_FILE_SYSTEM, &folder));
        // Sorted by name, each followed by an unselected line break; hidden files left out.
        QCOMPARE(vorntest::TitleList(&board, false, "|"), std::string("a.png|\r|b.txt|\r|sub|\r"));
        QCOMPARE(vorntest::TitleList(&board, true, "|"), std::string("a.png|b.txt|sub"));
        CVornItem* first = board.i_list->GetIndItem(0);
        QCOMPARE(int(first->i_resource.dest.content.type), int(LinkType_FILE));
        QVERIFY(first->i_resource.dest.date.IsValid());

        QTemporaryDir empty;
        TVornModel none;
        const XGFileSpecifier emptyFolder(empty.path().toStdString());
        QVERIFY(none.Import(Vorn_Import_FILE_SYSTEM, &emptyFolder));
        QCOMPARE(none.i_list->Count(), 0);
        const XGFileSpecifier notAFolder(dir.filePath(QStringLiteral("b.txt")).toStdString());
        QVERIFY(!none.Import(Vorn_Import_FILE_SYSTEM, &notAFolder));
    }

    void commandLine() {
        QTemporaryDir dir;
        const QString words = dir.filePath(QStringLiteral("words.txt"));
        QVERIFY(vorntest::WriteFile(words, "alpha beta"));
        const QString out = dir.filePath(QStringLiteral("out.2dv"));
        auto run = [](const QStringList& args, QByteArray* err = nullptr) {
            QProcess p;
            p.start(QStringLiteral(VORN_BOARD_TOOL), args);
            p.waitForFinished(30000);
            if (err) *err = p.readAllStandardError();
            return p.exitCode();
        };
        // Made when missing, appended to when present.
        QCOMPARE(run({"import", "words", words, out}), 0);
        QCOMPARE(run({"import", "words", words, out}), 0);
        QProcess dump;
        dump.start(QStringLiteral(VORN_BOARD_TOOL), {"dump", out});
        QVERIFY(dump.waitForFinished(30000));
        const QByteArray dumped = dump.readAllStandardOutput();
        QCOMPARE(dumped.count("\"alpha\""), 2);
        // Measured as in a window: a freeform board shows them.
        for (const QJsonValue item : QJsonDocument::fromJson(dumped)["items"].toArray()) {
            const QJsonArray r = item["bounds"].toArray();
            QVERIFY2(r[2].toInt() > r[0].toInt() && r[3].toInt() > r[1].toInt(), qPrintable(item["source"]["text"].toString()));
        }

        QByteArray err;
        QCOMPARE(run({"import", "words", dir.filePath(QStringLiteral("none.txt")), out}, &err), 1);
        QCOMPARE(err.count('\n'), 1);
        QCOMPARE(run({"import", "html", words, out}, &err), 2);
        // A cut data base: what was read is written, and the tool says it failed.
        const QString hts = dir.filePath(QStringLiteral("cut.db"));
        QVERIFY(vorntest::WriteFile(
            hts, QByteArray::fromStdString(NameList({"ONE", "TWO"}).substr(0, 2078 + 40))));
        const QString cutOut = dir.filePath(QStringLiteral("cut.2dv"));
        QCOMPARE(run({"import", "hts", hts, cutOut}, &err), 1);
        QVERIFY(QFile::exists(cutOut));
    }
};

QTEST_MAIN(TestImport)
#include "tst_import.moc"
