// Damaged board files: a valid board of several items, cut at every byte and changed at random
// in a few thousand seeded ways, must each read or fail cleanly (run it under the sanitizers).
#include "BoardTestSupport.h"
#include "CItemArray.h"
#include "VornFileFormat.h"

#include <QtTest>

#include <cstring>
#include <random>

using namespace yaaf;

namespace {

using Bytes = std::vector<uint8>;

// A board with every kind of record: polygons, texts, web links, file links (present and
// missing), dates, and an empty link.
Bytes MakeBoard() {
    TVornModel m;
    const char* titles[] = {"one", "two", "\r", "http://example.com/p.png", "five"};
    for (int i = 0; i < 5; ++i) {
        auto* itemP = new CVornItem(&m, kNoIndex);
        CVornItem::Vorn_SetText(itemP->i_resource.source.content, titles[i]);
        itemP->i_resource.source.date = XGDateTime(730000 + i, 3600 * i);
        itemP->i_boundsR = tagRECT{i, 10 * i, 40 + i, 10 * i + 9};
        if (i % 2 == 0) {
            itemP->CreateNewRgn();
            for (int p = 0; p < kVornRgnPoints; ++p)
                itemP->i_rgnP->pts[p] = Point{int16(p * i), int16(-p)};
        }
        m.InsertItem(itemP, -1);
    }
    m.i_list->GetIndItem(1)->SetLinkToURL("http://example.com/");
    m.i_list->GetIndItem(3)->i_resource.source.content.type = LinkType_PICT_URL;
    m.i_list->GetIndItem(2)->SetLinkToFile(new XGFileSpecifier("/"));
    m.i_list->GetIndItem(4)->SetLinkToFile(new XGFileSpecifier("/no/such/file.txt"));
    CVornMemoryStream s;
    if (!m.WriteModel(s)) return {};
    return s.Data();
}

bool ReadBytes(const Bytes& b, int32* countP = nullptr) {
    TVornModel m;
    CVornMemoryStream s(b.data(), b.size());
    const bool ok = m.ReadModel(s);
    if (countP) *countP = m.i_list->Count();
    // What was read can be written again.
    CVornMemoryStream out;
    if (!m.WriteModel(out)) return false;
    return ok;
}

} // namespace

class tst_boardfile_mutation : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() {
        gVornListP = new CVornList;
        VornFile_SetLoadPicturesOnRead(false);
    }
    void cleanupTestCase() {
        delete gVornListP;
        gVornListP = nullptr;
    }

    void everyCut() {
        AlertLog alerts;
        const Bytes full = MakeBoard();
        QVERIFY(full.size() > 262 + 5 * 312);
        int32 count = 0;
        QVERIFY(ReadBytes(full, &count));
        QCOMPARE(count, 5);
        for (size_t cut = 0; cut < full.size(); ++cut) {
            const Bytes b(full.begin(), full.begin() + cut);
            int32 n = -1;
            if (ReadBytes(b, &n)) QFAIL(qPrintable(QString("a file cut at %1 read as whole").arg(cut)));
            QVERIFY(n < 5);
        }
    }

    void seededChanges() {
        AlertLog alerts;
        const Bytes full = MakeBoard();
        std::mt19937 rng(20240611);
        std::uniform_int_distribution<size_t> at(0, full.size() - 1);
        std::uniform_int_distribution<int> byte(0, 255), howMany(1, 8);
        int reads = 0;
        for (int round = 0; round < 3000; ++round) {
            Bytes b = full;
            const int n = howMany(rng);
            for (int i = 0; i < n; ++i)
                b[at(rng)] = uint8(byte(rng));
            // Now and then, also cut it.
            if (round % 7 == 0) b.resize(at(rng));
            if (ReadBytes(b)) ++reads;
        }
        // Most changes land in names, rectangles and spare bytes, which read fine.
        QVERIFY(reads > 0);
    }
};

QTEST_MAIN(tst_boardfile_mutation)
#include "tst_boardfile_mutation.moc"
