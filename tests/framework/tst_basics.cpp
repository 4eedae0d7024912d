#include "XGDateTime.h"
#include "XGDynArray.h"
#include "XGFile.h"
#include "XGFileSpecifier.h"
#include "XGHandle.h"
#include "XGThread.h"
#include "autoptr.h"

#include <QtTest>

#include <atomic>
#include <cstring>
#include <ctime>
#include <filesystem>
#include <fstream>
#include <sys/stat.h>
#include <thread>
#include <unistd.h>

using namespace yaaf;
namespace fs = std::filesystem;

Q_DECLARE_METATYPE(yaaf::OSType)

namespace {

std::string ReadText(const fs::path& p) {
    std::ifstream in(p, std::ios::binary);
    return std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

void WriteText(const fs::path& p, const std::string& text) {
    std::ofstream out(p, std::ios::binary | std::ios::trunc);
    out << text;
}

// Files beside `target` that are not `target` itself: leftovers of a save.
int CountOthers(const fs::path& folder, const fs::path& keep) {
    int n = 0;
    for (const auto& e : fs::directory_iterator(folder))
        if (e.path().filename() != keep.filename()) ++n;
    return n;
}

std::atomic<int> g_deleted{0};

class CountingThread : public XGThread {
public:
    explicit CountingThread(std::atomic<bool>* gate) : fGate(gate) {}
    std::atomic<bool>* fGate;
    int32 fSeenCode = 0;

protected:
    ~CountingThread() override { ++g_deleted; }
    int32 Run() override {
        YAAFSetErrorCode(77, 3);
        while (fGate && !fGate->load())
            YieldThread(false);
        fSeenCode = YAAFGetErrorCode();
        return 42;
    }
};

XGDateFields Fields(const QList<int>& f) {
    return XGDateFields{f[0], int16(f[1]), int16(f[2]), int16(f[3]), int16(f[4]), int16(f[5])};
}
QList<int> List(const XGDateFields& d) {
    return {int(d.year), d.month, d.day, d.hour, d.minute, d.second};
}

struct Tracked {
    static inline int sAlive = 0;
    int value;
    explicit Tracked(int v) : value(v) { ++sAlive; }
    ~Tracked() { --sAlive; }
};

} // namespace

class TestBasics : public QObject {
    Q_OBJECT

private:
    QTemporaryDir fTmp;
    fs::path Dir() const { return fs::path(fTmp.path().toStdString()); }
    // A new folder of the temporary one holding `name`, written with `text` unless it is null.
    fs::path Seed(const char* folder, const char* name, const char* text) const {
        fs::create_directories(Dir() / folder);
        if (text) WriteText(Dir() / folder / name, text);
        return Dir() / folder / name;
    }

private slots:
    // ---- dates
    // Fields as {year, month, day, hour, minute, second}.
    void dateRoundTrip_data() {
        QTest::addColumn<QList<int>>("fields");
        QTest::addColumn<int>("dayCount"); // -1: not checked
        QTest::addColumn<int>("dayOfWeek");
        QTest::newRow("day 1") << QList<int>{1, 1, 1, 0, 0, 0} << 1 << 1; // a Monday
        QTest::newRow("year 4 leap day") << QList<int>{4, 2, 29, 12, 0, 0} << 3 * 365 + 31 + 29 << -1;
        QTest::newRow("1970") << QList<int>{1970, 1, 1, 0, 0, 0} << 719163 << 4;
        QTest::newRow("1900 no leap") << QList<int>{1900, 3, 1, 6, 7, 8} << -1 << 4;
        QTest::newRow("2000 leap day") << QList<int>{2000, 2, 29, 13, 14, 15} << -1 << 2;
        QTest::newRow("2023 new year's eve") << QList<int>{2023, 12, 31, 23, 59, 59} << -1 << 0;
        QTest::newRow("largest board year") << QList<int>{65535, 12, 31, 0, 0, 0} << -1 << -1;
    }
    void dateRoundTrip() {
        QFETCH(QList<int>, fields);
        QFETCH(int, dayCount);
        QFETCH(int, dayOfWeek);
        XGDateTime dt;
        QVERIFY(dt.SetFields(Fields(fields)));
        if (dayCount >= 0) QCOMPARE(dt.GetDayCount(), dayCount);
        QCOMPARE(dt.GetSecondCount(), fields[3] * 3600 + fields[4] * 60 + fields[5]);
        // Only the counts travel: a date rebuilt from them gives the same fields.
        const XGDateTime copy(dt.GetDayCount(), dt.GetSecondCount());
        XGDateFields out;
        QVERIFY(copy.GetFields(out));
        QCOMPARE(List(out), fields);
        QCOMPARE(int(out.dayOfWeek), int(copy.GetDayOfWeek()));
        QCOMPARE(int(out.dayOfWeek), dt.GetDayCount() % 7);
        if (dayOfWeek >= 0) QCOMPARE(int(out.dayOfWeek), dayOfWeek);
    }
    void dateWalkIsContinuous() {
        // Walking day by day from day 1 to 2401 must step through the calendar without gap or
        // repeat, across every kind of leap year.
        XGDateFields prev;
        QVERIFY(XGDateTime(1, 0).GetFields(prev));
        const int32 last = XGDateTime::DayCountFromCivil(2401, 3, 1);
        for (int32 n = 2; n <= last; ++n) {
            XGDateFields f;
            QVERIFY(XGDateTime(n, 0).GetFields(f));
            const bool sameMonth = f.year == prev.year && f.month == prev.month && f.day == prev.day + 1;
            const bool nextMonth = prev.day == XGDateTime::DaysInMonth(prev.year, prev.month) && f.day == 1 &&
                                   ((f.year == prev.year && f.month == prev.month + 1) ||
                                    (f.year == prev.year + 1 && f.month == 1 && prev.month == 12));
            if (!(sameMonth || nextMonth))
                QFAIL(qPrintable(QString("day %1 is %2-%3-%4").arg(n).arg(f.year).arg(f.month).arg(f.day)));
            QCOMPARE(int(f.dayOfWeek), (prev.dayOfWeek + 1) % 7);
            prev = f;
        }
    }
    void dateRejectsInvalidFields_data() {
        QTest::addColumn<QList<int>>("fields");
        QTest::newRow("1900-02-29") << QList<int>{1900, 2, 29, 0, 0, 0};
        QTest::newRow("month 13") << QList<int>{2000, 13, 1, 0, 0, 0};
        QTest::newRow("april 31") << QList<int>{2000, 4, 31, 0, 0, 0};
        QTest::newRow("day 0") << QList<int>{2000, 1, 0, 0, 0, 0};
        QTest::newRow("year 0") << QList<int>{0, 1, 1, 0, 0, 0};
        QTest::newRow("hour 24") << QList<int>{2000, 1, 1, 24, 0, 0};
        QTest::newRow("second -1") << QList<int>{2000, 1, 1, 0, 0, -1};
    }
    void dateRejectsInvalidFields() {
        QFETCH(QList<int>, fields);
        XGDateTime dt(5, 6);
        QVERIFY(!dt.SetFields(Fields(fields)));
        QCOMPARE(dt, XGDateTime(5, 6)); // unchanged
    }
    void dateNowAndOrder() {
        const XGDateTime now = XGDateTime::Now();
        QVERIFY(now.IsValid());
        std::time_t t = std::time(nullptr);
        std::tm local{};
        localtime_r(&t, &local);
        XGDateFields f;
        QVERIFY(now.GetFields(f));
        QCOMPARE(f.year, local.tm_year + 1900);
        QCOMPARE(int(f.dayOfWeek), local.tm_wday);

        // No date (day 0) gives fields of day 1 and says so.
        QVERIFY(!XGDateTime().GetFields(f));
        QCOMPARE(f.year, 1);
    }

    // ---- file specifiers
    void fileType_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<yaaf::OSType>("type");
        QTest::newRow("board") << "x.2dv" << OSType('2dv ');
        QTest::newRow("long extension cut") << "photo.JPEG2000" << OSType('jpeg');
        QTest::newRow("last dot counts") << "archive.tar.Gz" << OSType('gz  ');
        QTest::newRow("no extension") << "README" << OSType('    ');
        QTest::newRow("dot in folder only") << "some.dir/file" << OSType('    ');
        QTest::newRow("text") << "notes.text" << OSType('text');
    }
    void fileType() {
        QFETCH(QString, name);
        QFETCH(yaaf::OSType, type);
        // The type comes from the name alone, whether the file exists or not.
        const XGFileSpecifier missing(name.toStdString());
        QCOMPARE(missing.GetFileType(), type);
        const fs::path real = Dir() / "types" / name.toStdString();
        fs::create_directories(real.parent_path());
        WriteText(real, "x");
        QCOMPARE(XGFileSpecifier(real.string()).GetFileType(), type);
    }
    void specifierParts() {
        const fs::path folder = Dir() / "My Folder.v2";
        fs::create_directories(folder);
        const XGFileSpecifier dir(folder.string() + "/");
        QVERIFY(dir.IsFolder());
        QCOMPARE(dir.GetFileType(), OSType('fldr'));
        QCOMPARE(dir.GetName(), std::string("My Folder.v2")); // a dot in a folder's name is no extension
        XGFileSpecifier file = dir.GetChild("Board.2dv");
        QVERIFY(file.GetFolder() == dir);
        file.SetExtension("txt");
        QCOMPARE(file.GetFullPath(), folder.string() + "/Board.txt");
        XGFileSpecifier bare(folder.string() + "/plain");
        bare.SetExtension("2dv");
        QCOMPARE(bare.GetName(), std::string("plain.2dv"));

        // A relative path to something that exists becomes absolute and normal.
        const fs::path old = fs::current_path();
        fs::current_path(Dir());
        const XGFileSpecifier rel("./My Folder.v2/../My Folder.v2");
        fs::current_path(old);
        QCOMPARE(rel.GetFullPath(), folder.string());
        QCOMPARE(XGFileSpecifier("/").GetName(), std::string("/"));
        QVERIFY(XGFileSpecifier("/").GetFolder().IsEmpty());
    }
    void missingSpecifiersAndEquality() {
        const char* texts[] = {"Missing Board.2dv", "some/where/../gone.txt", "/no/such/place//x.GIF",
                               " odd name "};
        for (const char* text : texts) {
            const XGFileSpecifier s(text);
            QCOMPARE(s.GetFullPath(), std::string(text));
            QVERIFY(!s.Exists());
            QVERIFY(s.IsMissing());
        }
        const XGFileSpecifier empty("");
        QVERIFY(empty.IsEmpty());
        QVERIFY(!empty.IsMissing());
        QCOMPARE(empty.GetFileType(), OSType('    '));

        // Existing files compare as the same file; missing ones by their text.
        const fs::path a = Dir() / "eq.txt";
        WriteText(a, "x");
        const fs::path link = Dir() / "eq-link.txt";
        fs::remove(link);
        fs::create_symlink(a, link);
        QVERIFY(XGFileSpecifier(a.string()) == XGFileSpecifier(link.string()));
        QVERIFY(XGFileSpecifier(a.string()) == XGFileSpecifier((Dir() / "." / "eq.txt").string()));
        QVERIFY(!(XGFileSpecifier(a.string()) == XGFileSpecifier((Dir() / "other.txt").string())));
        QVERIFY(XGFileSpecifier("gone.txt") == XGFileSpecifier("gone.txt"));
        QVERIFY(!(XGFileSpecifier("gone.txt") == XGFileSpecifier("Gone.txt")));
        QVERIFY(!(XGFileSpecifier() == XGFileSpecifier("gone.txt")));
    }

    // ---- files
    void fileReadWriteSeek() {
        const fs::path p = Dir() / "rw.bin";
        fs::remove(p);
        XGFile f{XGFileSpecifier(p.string())};
        QCOMPARE(f.Open(XGFile::kCreate), int16(0));
        QVERIFY(f.GetSpecifier().Exists());
        QCOMPARE(f.Write(10, "0123456789"), 10);
        QCOMPARE(f.SetFilePos(4), int16(0));
        char buf[16] = {};
        QCOMPARE(f.Read(3, buf), 3);
        QCOMPARE(std::string(buf, 3), std::string("456"));
        // A read past the end answers what there was.
        QCOMPARE(f.Read(16, buf), 3);
        QCOMPARE(f.SetEOF(2), int16(0));
        QVERIFY(f.GetFilePos() <= 2);
        QCOMPARE(f.SetEOF(0), int16(0));
        QCOMPARE(f.Close(), int16(0));
        QCOMPARE(fs::file_size(p), uintmax_t(0));

        // Create keeps an existing file's contents.
        WriteText(p, "keep me");
        XGFile g{XGFileSpecifier(p.string())};
        QCOMPARE(g.Open(XGFile::kCreate), int16(0));
        XGHandle h;
        QCOMPARE(g.ReadAll(h), int16(0));
        QCOMPARE(std::string(h.GetData(), size_t(h.GetSize())), std::string("keep me"));
    }
    void fileOpenFailuresAreCodes() {
        XGFile missing{XGFileSpecifier((Dir() / "nope" / "x.txt").string())};
        QCOMPARE(missing.Open(XGFile::kRead), int16(ENOENT));
        QCOMPARE(missing.Open(XGFile::kCreate), int16(ENOENT));
        char buf[4];
        QCOMPARE(missing.Read(4, buf), 0); // not open: nothing, and no crash
        QCOMPARE(missing.Write(4, "abcd"), 0);

        QCOMPARE(XGFile{XGFileSpecifier(Dir().string())}.Open(XGFile::kRead), int16(EISDIR));

        const fs::path p = Dir() / "ro.txt";
        WriteText(p, "abc");
        XGFile ro{XGFileSpecifier(p.string())};
        QCOMPARE(ro.Open(XGFile::kRead), int16(0));
        QCOMPARE(ro.Write(3, "xyz"), 0); // not opened for writing
        QVERIFY(ro.GetLastError() != 0);
        QCOMPARE(ro.Open(XGFile::kRead), int16(EBUSY));
        QCOMPARE(ReadText(p), std::string("abc"));
    }
    void atomicSaveReplaces() {
        const fs::path p = Seed("save-ok", "Board.2dv", "old contents that are longer");
        const fs::path folder = p.parent_path();
        ::chmod(p.c_str(), 0640);

        {
            XGAtomicFile f{XGFileSpecifier(p.string())};
            QCOMPARE(f.Open(), int16(0));
            QCOMPARE(fs::path(f.GetTempPath()).parent_path(), folder); // on the same file system
            QCOMPARE(f.SetEOF(0), int16(0));
            QCOMPARE(f.Write(3, "new"), 3);
            QCOMPARE(ReadText(p), std::string("old contents that are longer")); // not yet
            QCOMPARE(f.Commit(), int16(0));
        }
        QCOMPARE(ReadText(p), std::string("new"));
        struct stat st {};
        QCOMPARE(::stat(p.c_str(), &st), 0);
        QCOMPARE(int(st.st_mode & 07777), 0640);
        QCOMPARE(CountOthers(folder, p), 0);

        // A save through a link replaces the linked file, not the link.
        const fs::path link = Dir() / "link-to-board";
        fs::remove(link);
        fs::create_symlink(p, link);
        XGAtomicFile h{XGFileSpecifier(link.string())};
        QVERIFY(h.Open() == 0 && h.Write(8, "via link") == 8 && h.Commit() == 0);
        QVERIFY(fs::is_symlink(link));
        QCOMPARE(ReadText(p), std::string("via link"));
    }
    void atomicSaveUnwritableFolder() {
        // A folder where nothing can be made: the save fails at once and the old file stays.
        const fs::path p = Seed("locked", "keep.txt", "precious");
        const fs::path folder = p.parent_path();
        ::chmod(folder.c_str(), 0555);
        const bool rootIgnoresModes = ::access(folder.c_str(), W_OK) == 0;
        if (!rootIgnoresModes) {
            XGAtomicFile f{XGFileSpecifier(p.string())};
            QCOMPARE(f.Open(), int16(EACCES));
            QCOMPARE(f.Write(3, "bad"), 0);
            QVERIFY(f.Commit() != 0);
        }
        ::chmod(folder.c_str(), 0755);
        QCOMPARE(ReadText(p), std::string("precious"));
        QCOMPARE(CountOthers(folder, p), 0);

        // A read-only file system stops everyone, root included.
        XGAtomicFile sys{XGFileSpecifier(std::string("/proc/version"))};
        QVERIFY(sys.Open() != 0);
        QVERIFY(sys.Commit() != 0);
        QVERIFY(!ReadText("/proc/version").empty());
    }
    void atomicSaveFailuresLeaveNothing() {
        const fs::path p = Seed("save-abandon", "doc.txt", "original");
        {
            XGAtomicFile f{XGFileSpecifier(p.string())};
            QCOMPARE(f.Open(), int16(0));
            QCOMPARE(f.Write(5, "trash"), 5);
        } // destroyed without Commit
        {
            XGAtomicFile f{XGFileSpecifier(p.string())};
            QCOMPARE(f.Open(), int16(0));
            QCOMPARE(f.Write(5, "trash"), 5);
            QCOMPARE(f.Close(), int16(0)); // closing is not committing
            QVERIFY(f.Commit() != 0);
        }
        QCOMPARE(ReadText(p), std::string("original"));
        QCOMPARE(CountOthers(p.parent_path(), p), 0);

        // The rename fails (a folder took the target's name meanwhile).
        const fs::path clash = Seed("save-clash", "clash.2dv", nullptr);
        XGAtomicFile f{XGFileSpecifier(clash.string())};
        QCOMPARE(f.Open(), int16(0));
        QCOMPARE(f.Write(4, "data"), 4);
        fs::create_directories(clash / "inside");
        QVERIFY(f.Commit() != 0);
        QVERIFY(fs::is_directory(clash / "inside"));
        QCOMPARE(CountOthers(clash.parent_path(), clash), 0);
    }

    // ---- memory
    void handleGrowthLockingAndEditing() {
        XGHandle h;
        QCOMPARE(h.GetSize(), 0);
        QVERIFY(h.GetData() == nullptr);
        QVERIFY(h.SetData("abc", 3));
        for (int32 size : {4, 100, 100000}) {
            QVERIFY(h.SetSize(size));
            QCOMPARE(h.GetSize(), size);
            QCOMPARE(std::memcmp(h.GetData(), "abc", 3), 0);
            QCOMPARE(h.GetData()[size - 1], char(0)); // new bytes are zero
        }
        QVERIFY(h.SetSize(2));
        // Locked: the data stays where it is; growth that would move it is refused.
        char* p = static_cast<char*>(h.Lock());
        h.Lock();
        QCOMPARE(h.GetLockCount(), 2);
        QVERIFY(h.SetSize(1000)); // within what was reserved before
        QCOMPARE(h.GetData(), p);
        QVERIFY(!h.SetSize(10000000));
        QCOMPARE(h.GetSize(), 1000);
        QCOMPARE(h.GetData(), p);
        h.Unlock();
        h.Unlock();
        h.Unlock(); // one too many does no harm
        QCOMPARE(h.GetLockCount(), 0);
        QVERIFY(h.SetSize(10000000));
        QCOMPARE(std::string(h.GetData(), 2), std::string("ab"));
        QVERIFY_THROWS_EXCEPTION(std::length_error, h.SetSize(-1));

        // Inserting a part of itself.
        QVERIFY(h.SetData("hello, world!", 13));
        QVERIFY(h.Insert(0, h.GetData() + 7, 5));
        QCOMPARE(std::string(h.GetData(), size_t(h.GetSize())), std::string("worldhello, world!"));
        QVERIFY(h.Remove(0, 5));
        QVERIFY(!h.Remove(10, 100));
        QVERIFY(!h.Insert(-1, "x", 1));
        QVERIFY(!h.Insert(h.GetSize() + 1, "x", 1));
        QCOMPARE(std::string(h.GetData(), size_t(h.GetSize())), std::string("hello, world!"));
    }
    void dynArraysAndAutoptrOwnership() {
        // Out of range is an exception, never a read past the end.
        XGSDynArray<tagRECT> rects;
        rects.Append(tagRECT{1, 1, 2, 2});
        QVERIFY_THROWS_EXCEPTION(std::out_of_range, rects.Get(1));
        QVERIFY_THROWS_EXCEPTION(std::out_of_range, rects.Get(-1));
        QVERIFY_THROWS_EXCEPTION(std::out_of_range, rects.Insert(5, tagRECT{}));

        // Sorting is stable for equal keys.
        XGSDynArray<std::pair<int, int>> pairs;
        for (int i = 0; i < 20; ++i)
            pairs.Append({i % 3, i});
        pairs.Sort([](const auto& a, const auto& b) { return a.first - b.first; });
        for (int i = 1; i < pairs.Count(); ++i) {
            QVERIFY(pairs[i - 1].first <= pairs[i].first);
            if (pairs[i - 1].first == pairs[i].first) QVERIFY(pairs[i - 1].second < pairs[i].second);
        }

        Tracked::sAlive = 0;
        {
            XGPDynArray<Tracked> owned;
            for (int i = 0; i < 5; ++i)
                owned.Append(new Tracked(i));
            owned.Remove(0);
            delete owned.Detach(0);
            owned.Set(0, new Tracked(20));
            QCOMPARE(Tracked::sAlive, 3);
            QVERIFY_THROWS_EXCEPTION(std::out_of_range, owned.Insert(9, new Tracked(0)));
            QCOMPARE(Tracked::sAlive, 3); // the refused one was not leaked
            XGPDynArray<Tracked> moved(std::move(owned));
            QCOMPARE(moved.Count(), 3);
        }
        QCOMPARE(Tracked::sAlive, 0);
        {
            autoptr<Tracked> a(new Tracked(1));
            autoptr<Tracked> b(std::move(a));
            QVERIFY(!a);
            b.reset(new Tracked(2));
            QCOMPARE(Tracked::sAlive, 1);
            autoptr<Tracked> c;
            c = autoptr<Tracked>(b.release());
            autoptr<Tracked>& self = c;
            c = std::move(self); // self-assignment keeps the object
            QCOMPARE(c.get()->value, 2);
        }
        QCOMPARE(Tracked::sAlive, 0);
        static_assert(!std::is_copy_constructible_v<autoptr<int>>);
    }

    // ---- threads
    void threadReferenceCounting() {
        g_deleted = 0;
        const size_t before = XGThread::CountThreads();
        std::atomic<bool> gate{false};
        auto* t = new CountingThread(&gate);
        QVERIFY(t->Start());
        QVERIFY(!t->Start()); // once only
        t->Release();         // the creator lets go while the thread still runs
        QCOMPARE(g_deleted.load(), 0);
        gate = true;
        QTRY_COMPARE_WITH_TIMEOUT(g_deleted.load(), 1, 5000);
        QCOMPARE(XGThread::CountThreads(), before);

        // Holding on to it: Wait, then the result, then the last Release deletes.
        auto* u = new CountingThread(nullptr);
        QVERIFY(u->Start());
        u->Wait();
        QCOMPARE(u->GetResult(), 42);
        QTRY_COMPARE_WITH_TIMEOUT(u->GetRefCount(), 1, 5000);
        QCOMPARE(g_deleted.load(), 1);
        u->Release();
        QCOMPARE(g_deleted.load(), 2);

        // A never-started thread is deleted by its creator's Release.
        auto* v = new CountingThread(nullptr);
        v->Wait(); // answers at once
        v->Interrupt();
        QVERIFY(v->IsInterrupted());
        v->Release();
        QCOMPARE(g_deleted.load(), 3);

        static std::atomic<int> ran{0};
        QVERIFY(
            XGThread::Spawn([](void* arg) -> int32 { return ++*static_cast<std::atomic<int>*>(arg); }, &ran));
        QTRY_COMPARE_WITH_TIMEOUT(ran.load(), 1, 5000);
        QTRY_COMPARE_WITH_TIMEOUT(XGThread::CountThreads(), before, 5000);
    }
    void errorCodePerThread() {
        YAAFSetErrorCode(5, 9);
        auto* t = new CountingThread(nullptr);
        t->Retain(); // keep it to read its record
        QVERIFY(t->Start());
        t->Wait();
        QCOMPARE(t->fSeenCode, int32(77));
        QCOMPARE(t->GetErrorDatum(), int32(3));
        t->Release();
        t->Release();
        // Threads made elsewhere have their own record too.
        int32 other = -1;
        std::thread([&] {
            other = YAAFGetErrorCode();
            YAAFSetErrorCode(123, 1);
        }).join();
        QCOMPARE(other, int32(0));
        QCOMPARE(YAAFGetErrorCode(), int32(5));
        QCOMPARE(YAAFGetErrorDatum(), int32(9));
    }
};

QTEST_GUILESS_MAIN(TestBasics)
#include "tst_basics.moc"
