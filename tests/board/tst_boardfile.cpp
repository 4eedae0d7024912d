// The board file: exact bytes of the writer, the fixtures of every version and their
// conversions, Go Mode saves, imports, round trips, atomic saves, damaged files, and the
// vorn-board tool.
#include "AlertRecorder.h"
#include "BoardFakes.h"
#include "BoardGlobals.h"
#include "BoardProbes.h"
#include "BoardSnapshot.h"
#include "TestFiles.h"
#include "VornFileFormat.h"

#include <QDir>
#include <QFile>
#include <QJsonDocument>
#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>

#include <csignal>
#include <cstring>
#include <memory>
#include <sys/resource.h>

using namespace yaaf;
using namespace vorntest;

namespace {

using Bytes = std::vector<uint8>;

QString FixturePath(const QString& name) {
    return QStringLiteral(VORN_TEST_DATA "/boards/") + name;
}

Bytes ReadBytes(const QString& path) {
    const QByteArray data = vorntest::ReadFile(path);
    return Bytes(data.begin(), data.end());
}

Bytes ReadFixture(const QString& name) {
    return ReadBytes(FixturePath(name));
}

Bytes Write(TVornModel& m) {
    CVornMemoryStream s;
    if (!m.WriteModel(s)) return {};
    return s.Data();
}

bool Read(TVornModel& m, const Bytes& bytes) {
    CVornMemoryStream s(bytes.data(), bytes.size());
    return m.ReadModel(s);
}

Bytes Slice(const Bytes& b, size_t at, size_t n) {
    return Bytes(b.begin() + at, b.begin() + at + n);
}

int16 BE16(const Bytes& b, size_t at) {
    return int16(uint16(b[at] << 8 | b[at + 1]));
}

void PutBE32(Bytes& b, size_t at, uint32 v) {
    b[at] = uint8(v >> 24);
    b[at + 1] = uint8(v >> 16);
    b[at + 2] = uint8(v >> 8);
    b[at + 3] = uint8(v);
}

// File offsets: the version byte, then the preferences record.
constexpr size_t kPrefs = 1;
constexpr size_t kFirstItem = 262;

} // namespace

class tst_boardfile : public QObject {
    Q_OBJECT
    // Picture loads would start threads for the fixtures' pictures; the file is the subject here.
    BoardGlobals fGlobals{{.undo = true, .loadPicturesOnRead = false}};

private slots:

    // The board's flag word is written little-endian, which the tool's round trip of v5 (whose
    // board flags read the same both ways round) cannot tell; no byte is left to chance.
    void emptyBoardIs262Bytes() {
        TVornModel m;
        m.i_prefs.b.flags = 0x8421;
        std::strcpy(m.i_prefs.font.name, "Arial");
        const Bytes b = Write(m);
        QCOMPARE(b.size(), size_t(262));
        QCOMPARE(Slice(b, kPrefs, 4), (Bytes{0x21, 0x84, 0, 0}));
        QCOMPARE(std::string(reinterpret_cast<const char*>(&b[kPrefs + 19])), std::string("Arial"));
        // The name's tail and every spare byte are zero.
        for (size_t i = kPrefs + 19 + 5; i < kPrefs + 83; ++i)
            QCOMPARE(b[i], uint8(0));
        for (size_t i = kPrefs + 135; i < 262; ++i)
            QCOMPARE(b[i], uint8(0));
    }

    // Every field's layout is pinned by the fixtures (made independently of this code) and by the
    // tool's make and dump round trip; here what the fixtures cannot hold.
    void valuesOutOfRangeAreCut() {
        TVornModel m;
        m.i_prefs.wind_edit.posR = tagRECT{-2, 300, 70000, 40};
        const Bytes b = Write(m);
        // top, left, bottom, right; 70000 is cut to 16 bits.
        QCOMPARE(Slice(b, kPrefs + 101, 8), (Bytes{0x01, 0x2C, 0xFF, 0xFE, 0x00, 0x28, 0x11, 0x70}));
        TVornModel r;
        QVERIFY(Read(r, b));
        QCOMPARE(r.i_prefs.wind_edit.posR, (tagRECT{-2, 300, 4464, 40}));
    }

    // A file that exists is saved with its full path, in the path and in the third trailer (a
    // missing one under its name alone: toolMakeRoundTrip).
    void existingFileLink() {
        QTemporaryDir dir;
        const std::string existing = (dir.path() + "/there.txt").toStdString();
        QVERIFY(WriteFile(QString::fromStdString(existing), {}));
        BoardFixture f;
        f.modelP->AddWord("p")->SetLinkToFile(new XGFileSpecifier(existing));
        const Bytes b = Write(*f.modelP);
        const size_t dst = kFirstItem + 184;
        const std::string withNul = existing + '\0';
        QCOMPARE(BE16(b, dst + 20 + 2), int16(withNul.size()));
        QCOMPARE(BE16(b, dst + 28 + 2), int16(withNul.size()));
        TVornModel r;
        QVERIFY(Read(r, b));
        QCOMPARE(r.i_list->GetIndItem(0)->i_resource.dest.content.u.fileP->GetFullPath(), existing);
        QVERIFY(!r.i_list->GetIndItem(0)->IsMissing());
    }

    // Every version's fixture: what the reader takes (in full, through the tool's dump of it),
    // the conversion notice, and the round trip.
    void fixtures_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<bool>("oldB");
        for (int v = 0; v <= 5; ++v)
            QTest::newRow(qPrintable(QString("v%1").arg(v))) << QString("v%1").arg(v) << (v < 3);
    }
    void fixtures() {
        QFETCH(QString, name);
        QFETCH(bool, oldB);
        const RunResult r = RunTool({"dump", FixturePath(name + ".2dv")});
        QCOMPARE(r.exit, 0);
        const QJsonDocument want = QJsonDocument::fromJson(ReadFile(FixturePath(name + ".json")));
        const QJsonDocument got = QJsonDocument::fromJson(r.out);
        QVERIFY(!got.isNull());
        if (got != want) qWarning().noquote() << r.out;
        QVERIFY(got == want);

        AlertRecorder alerts;
        BoardFixture f;
        QVERIFY(Read(*f.modelP, ReadFixture(name + ".2dv")));
        QCOMPARE(f.modelP->i_prefs.array_sizeS, int16(f.modelP->i_list->Count()));
        QCOMPARE(f.modelP->i_old_versB, oldB);
        QCOMPARE(alerts.Count("Old File Version|This file must be converted from an older version.  It will "
                              "open as 'Untitled' and you will need to re-save."),
                 oldB ? 1 : 0);
        QCOMPARE(f.viewP->endEdits, 1);

        // Whatever the version, what is written reads back to the same bytes.
        const Bytes once = Write(*f.modelP);
        TVornModel again;
        QVERIFY(Read(again, once));
        QCOMPARE(Write(again), once);
        QCOMPARE(once[0], uint8(5));
    }

    void goModeSave() {
        BoardFixture f;
        TVornModel& m = *f.modelP;
        m.AddWord("a");
        CVornItem* hidden = m.AddWord("hidden");
        hidden->i_b.set_hiddenB(true);
        m.AddWord("c");
        f.viewP->content = tagRECT{0, 0, 200, 150};
        const Bytes editBytes = Write(m);
        m.SetGoMode(true);
        QCOMPARE(m.i_list->Count(), 4);
        CVornItem* pict = m.GetFirstPict();
        const std::string before = BoardSnapshot(m);
        const Bytes b = Write(m);
        QCOMPARE(QString::fromStdString(BoardSnapshot(m)), QString::fromStdString(before));
        // The board is as it was: the picture first, the items hidden.
        QCOMPARE(m.GetFirstPict(), pict);
        QCOMPARE(pict->i_vornP, &m);
        // The file: the Edit Mode file in Go Mode, three items with their own hidden flags.
        Bytes expected = editBytes;
        expected[kPrefs + 6] = uint8(Vorn_Mode_GO);
        QCOMPARE(b, expected);
        TVornModel r;
        QVERIFY(Read(r, b));
        QCOMPARE(r.GetMode(), Vorn_Mode_GO);
        m.SetGoMode(false);
        QCOMPARE(m.i_list->Count(), 3);
    }

    void importKeepsTheBoardsSettings() {
        AlertRecorder alerts;
        BoardFixture f;
        TVornModel& m = *f.modelP;
        CVornItem* own = m.AddWord("own");
        own->i_b.set_selectedB(false);
        m.i_prefs.num_columnsS = 9;
        m.i_prefs.view_as = O_ViewAs_FREEFORM;
        const Vorn_PrefsRec before = m.i_prefs;
        m.i_importingB = true;
        QVERIFY(Read(m, ReadFixture("v0.2dv")));
        QVERIFY(Read(m, ReadFixture("v5.2dv")));
        m.i_importingB = false;
        QCOMPARE(m.i_list->Count(), 1 + 2 + 4);
        QCOMPARE(m.i_prefs.array_sizeS, int16(7));
        QCOMPARE(m.i_prefs.num_columnsS, before.num_columnsS);
        QCOMPARE(m.i_prefs.b, before.b);
        QCOMPARE(m.i_prefs.view_as, before.view_as);
        QCOMPARE(std::string(m.i_prefs.font.name), std::string(before.font.name));
        QVERIFY(!m.i_old_versB);
        QCOMPARE(alerts.alerts.size(), size_t(0));
        QVERIFY(!own->i_b.selectedB());
        for (int i = 1; i < 7; ++i)
            QVERIFY(m.i_list->GetIndItem(i)->i_b.selectedB());
        // Old items took the file's font, not the board's.
        QCOMPARE(m.i_list->GetIndItem(1)->i_font.GetSize(), 10);
        QCOMPARE(Title(m.i_list->GetIndItem(3)), std::string("A"));
    }

    void damagedFiles_data() {
        QTest::addColumn<QByteArray>("change");
        QTest::addColumn<bool>("readsB");
        QTest::addColumn<int>("itemsLeft");
        // Built from the v5 fixture: prefs, then item 0 (312 + 64 polygon + "A\0"), item 1 ...
        // (files cut short: everyCutFailsCleanly)
        QTest::newRow("count beyond the records") << QByteArray("count:30000") << false << 4;
        QTest::newRow("negative count") << QByteArray("count:-5") << true << 0;
        QTest::newRow("negative length") << QByteArray("pathlen:-1") << false << 0;
        QTest::newRow("length past the end") << QByteArray("pathlen:2147483647") << false << 0;
        QTest::newRow("second trailer past the end") << QByteArray("maclen:100000") << false << 0;
        QTest::newRow("later version") << QByteArray("version:6") << true << 0;
        QTest::newRow("version 255") << QByteArray("version:255") << true << 0;
    }
    void damagedFiles() {
        QFETCH(QByteArray, change);
        QFETCH(bool, readsB);
        QFETCH(int, itemsLeft);
        Bytes b = ReadFixture("v5.2dv");
        const QList<QByteArray> parts = change.split(':');
        const QByteArray what = parts[0];
        const long long arg = parts.size() > 1 ? parts[1].toLongLong() : 0;
        if (what == "count") {
            b[kPrefs + 83] = uint8(uint16(arg) >> 8);
            b[kPrefs + 84] = uint8(arg);
        }
        if (what == "pathlen") PutBE32(b, kFirstItem + 88 + 20, uint32(arg));
        if (what == "maclen") PutBE32(b, kFirstItem + 88 + 24, uint32(arg));
        if (what == "version") b[0] = uint8(arg);
        AlertRecorder alerts;
        TVornModel m;
        const Vorn_PrefsRec before = m.i_prefs;
        QCOMPARE(Read(m, b), readsB);
        QCOMPARE(m.i_list->Count(), itemsLeft);
        QCOMPARE(m.i_prefs.array_sizeS, int16(itemsLeft));
        if (what == "version") QCOMPARE(m.i_prefs.num_columnsS, before.num_columnsS); // nothing taken over
    }

    // Cut anywhere, a file reads short or fails, and what was read can be written again.
    void everyCutFailsCleanly() {
        AlertRecorder alerts;
        const Bytes full = ReadFixture("v5.2dv");
        for (size_t cut = 0; cut < full.size(); ++cut) {
            TVornModel m;
            if (Read(m, Bytes(full.begin(), full.begin() + cut)))
                QFAIL(qPrintable(QString("a file cut at %1 read as whole").arg(cut)));
            QVERIFY(m.i_list->Count() < 4);
            QCOMPARE(m.i_prefs.array_sizeS, int16(m.i_list->Count()));
            QVERIFY(!Write(m).empty());
        }
    }

    // A damaged file is refused with a notice; an old one opens untitled, to be saved anew.
    void openingDamagedAndOldFiles() {
        QTemporaryDir dir;
        const QString bad = dir.path() + "/bad.2dv", old = dir.path() + "/old.2dv";
        QVERIFY(WriteFile(bad, ReadFile(FixturePath("v5.2dv")).left(300)));
        QVERIFY(QFile::copy(FixturePath("v1.2dv"), old));
        AlertRecorder alerts;
        TVornModel m;
        QVERIFY(!m.DoOpenDocument(XGFileSpecifier(bad.toStdString())));
        QCOMPARE(alerts.Count("Read File Error|A problem occured while trying to read bad.2dv."), 1);
        QVERIFY(!m.HasFile());
        TVornModel o;
        QVERIFY(o.DoOpenDocument(XGFileSpecifier(old.toStdString())));
        QVERIFY(!o.HasFile());
        QVERIFY(o.IsDirty());
        QCOMPARE(alerts.Count("Old File Version"), 1);
    }

    void saveIsAtomic() {
        QTemporaryDir dir;
        const std::string path = (dir.path() + "/board.2dv").toStdString();
        BoardFixture f;
        TVornModel& m = *f.modelP;
        m.AddWord("first");
        m.SetFile(XGFileSpecifier(path));
        QVERIFY(m.WriteDocument());
        const Bytes saved = ReadBytes(QString::fromStdString(path));
        QCOMPARE(saved.size(), size_t(262 + 312 + 6));

        // A save that cannot be written in full (the file size limit stands in for a full
        // disk) leaves the saved board as it was and says so.
        const std::string title = "a rather longer title so that the board outgrows the limit";
        for (int i = 0; i < 50; ++i)
            m.AddWord(title.c_str());
        AlertRecorder alerts;
        {
            std::signal(SIGXFSZ, SIG_IGN);
            rlimit old{};
            getrlimit(RLIMIT_FSIZE, &old);
            rlimit small = old;
            small.rlim_cur = 4096;
            QCOMPARE(setrlimit(RLIMIT_FSIZE, &small), 0);
            const bool ok = m.WriteDocument();
            setrlimit(RLIMIT_FSIZE, &old);
            QVERIFY(!ok);
        }
        QCOMPARE(
            alerts.Count("Write File Error|An unexpected problem occured while trying to save board.2dv."),
            1);
        QCOMPARE(ReadBytes(QString::fromStdString(path)), saved);
        // No temporary file is left behind.
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden).size(), 1);
        QVERIFY(m.WriteDocument());
    }

    // ---- the tool ----

    void toolMakeRoundTrip() {
        QTemporaryDir dir;
        const QString out = dir.path() + "/made.2dv";
        const RunResult made = RunTool({"make", FixturePath("v5.json"), out});
        QCOMPARE(made.exit, 0);
        const RunResult dumped = RunTool({"dump", out});
        QCOMPARE(dumped.exit, 0);
        // The one difference: a missing file is saved under its name alone.
        const QByteArray want =
            ReadFile(FixturePath("v5.json")).replace("/nonexistent/vorn/fixture.txt", "fixture.txt");
        QCOMPARE(QJsonDocument::fromJson(dumped.out), QJsonDocument::fromJson(want));

        // A minimal board takes the defaults of a new board and a new item.
        const QString json = dir.path() + "/min.json";
        QVERIFY(WriteFile(json, R"({"items": [{"source": {"type": 1, "text": "A"}}]})"));
        QCOMPARE(RunTool({"make", json, out}).exit, 0);
        QCOMPARE(QFileInfo(out).size(), qint64(262 + 312 + 2));
    }

    void toolRefusesBadInput() {
        QTemporaryDir dir;
        const QString bad = dir.path() + "/bad.2dv";
        QVERIFY(WriteFile(bad, QByteArray("\x05\x00\x01", 3)));
        for (const QString& path : {bad, dir.path() + "/missing.2dv"}) {
            const RunResult r = RunTool({"dump", path});
            QCOMPARE(r.exit, 1);
            QVERIFY(r.out.isEmpty());
            QCOMPARE(r.err.count('\n'), 1);
        }
        const QString json = dir.path() + "/bad.json";
        QVERIFY(WriteFile(json, R"({"items": [{"source": {"type": 1, "date": "yesterday"}}]})"));
        const RunResult r = RunTool({"make", json, dir.path() + "/x.2dv"});
        QCOMPARE(r.exit, 1);
        QVERIFY(!QFileInfo::exists(dir.path() + "/x.2dv"));
    }

private:
    struct RunResult {
        int exit = -1;
        QByteArray out;
        QByteArray err;
    };
    static RunResult RunTool(const QStringList& args) {
        QProcess p;
        p.start(QStringLiteral(VORN_BOARD_TOOL), args);
        RunResult r;
        if (!p.waitForFinished(60000)) return r;
        r.exit = p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1;
        r.out = p.readAllStandardOutput();
        r.err = p.readAllStandardError();
        return r;
    }
};

QTEST_MAIN(tst_boardfile)
#include "tst_boardfile.moc"
