// The preference store and the application's settings.

#include "CVornPrefs.h"
#include "VornLog.h"
#include "XGExceptions.h"
#include "XGFormDialog.h"
#include "XGPreferences.h"

#include <QDir>
#include <QFile>
#include <QSettings>
#include <QtTest>

#include <cstring>
#include <map>

using namespace yaaf;

namespace {

XGPreferences AppStore() {
    return XGPreferences(kVornPrefsVendor, kVornPrefsProduct, kVornPrefsVersion);
}

QString AppStorePath() {
    return QString::fromStdString(
        XGPreferences::StorePath(kVornPrefsVendor, kVornPrefsProduct, kVornPrefsVersion));
}

} // namespace

class TestPrefs : public QObject {
    Q_OBJECT

private slots:
    void init() {
        QFile::remove(AppStorePath());
        CloseLogFile();
        QFile::remove(QString::fromUtf8(kLogFileName));
        CVornPrefs::s_ShiftDownProc = [] { return false; };
    }
    void cleanup() { CloseLogFile(); }

    void storeLivesUnderConfigHome() {
        const QString home = qEnvironmentVariable("XDG_CONFIG_HOME");
        QVERIFY(!home.isEmpty());
        QCOMPARE(AppStorePath(), home + "/Quorvale/Vorn Application/1.0.ini");
        {
            XGPreferences store("Quorvale", "Vorn Launch");
            store.SetString("Launch", "x");
        }
        QVERIFY(QFile::exists(home + "/Quorvale/Vorn Launch.ini"));
        QVERIFY_THROWS_EXCEPTION(XGYAAFPreferencesError, XGPreferences("", "Vorn Application", "1.0"));
    }
    // Numbers are read from whatever digits the text holds, a minus anywhere making them
    // negative; switches are true only as "true"; an empty value is the default.
    void valueReading_data() {
        QTest::addColumn<bool>("switchB");
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("value");     // a number read with the default 77; a switch, 1 for true
        QTest::addColumn<bool>("defaultB"); // of a switch
        QTest::newRow("plain") << false << "20" << 20 << false;
        QTest::newRow("digits anywhere") << false << "1a2" << 12 << false;
        QTest::newRow("trailing minus") << false << "5-" << -5 << false;
        QTest::newRow("minus and junk") << false << "-20x" << -20 << false;
        QTest::newRow("two minuses") << false << "--3" << -3 << false;
        QTest::newRow("no digits") << false << "abc" << 0 << false;
        QTest::newRow("empty number") << false << "" << 77 << false;
        QTest::newRow("spaces") << false << " 4 2 " << 42 << false;
        QTest::newRow("overlong wraps quietly")
            << false << "99999999999" << int(99999999999LL & 0xFFFFFFFF) << false;
        QTest::newRow("true") << true << "true" << 1 << false;
        QTest::newRow("capitals are false") << true << "TRUE" << 0 << true;
        QTest::newRow("false") << true << "false" << 0 << true;
        QTest::newRow("other text") << true << "1" << 0 << true;
        QTest::newRow("empty switch") << true << "" << 1 << true;
    }
    void valueReading() {
        QFETCH(bool, switchB);
        QFETCH(QString, text);
        QFETCH(bool, defaultB);
        AppStore().SetString("key", text.toUtf8().constData());
        XGPreferences store = AppStore();
        QTEST(switchB ? int(store.GetBoolean("key", defaultB)) : store.GetInteger("key", 77), "value");
        QCOMPARE(store.GetInteger("missing", 77), 77);
    }
    void stringBufferLimit() {
        XGPreferences store = AppStore();
        const std::string fits(255, 'a');
        const std::string tooLong(256, 'b');
        store.SetString("fits", fits.c_str());
        store.SetString("too long", tooLong.c_str());
        char buffer[XGPreferences::kStringBufferSize];
        store.GetString("fits", buffer, "dflt");
        QCOMPARE(std::string(buffer), fits);
        store.GetString("too long", buffer, "dflt");
        QCOMPARE(std::string(buffer), std::string("dflt"));
        store.GetString("missing", buffer);
        QCOMPARE(std::string(buffer), std::string());
        // An overlong default is cut to the buffer rather than written past it.
        const std::string longDefault(400, 'd');
        store.GetString("missing", buffer, longDefault.c_str());
        QCOMPARE(std::string(buffer), std::string(255, 'd'));
    }
    void keysAndValuesRoundTrip() {
        const std::vector<std::pair<std::string, std::string>> pairs = {
            {"new windR.left", "-12"},
            {"generate Vorn (vs. text)", "true"},
            {"Font Name", "Times New Roman"},
            {"odd value", " leading, trailing; =quoted\" \\back @at %20 "},
            {"General", "a key named like the section"},
            {"unicode", "Grüße ✓"},
            {"empty", ""},
        };
        {
            XGPreferences store = AppStore();
            for (const auto& [k, v] : pairs)
                store.SetString(k.c_str(), v.c_str());
        }
        XGPreferences store = AppStore();
        for (const auto& [k, v] : pairs) {
            QVERIFY2(store.HasValue(k.c_str()), k.c_str());
            QCOMPARE(QString::fromStdString(store.GetString(k.c_str(), "missing")),
                     QString::fromStdString(v));
        }
        // Keys stand at the top level of the file as far as any reader of the store is concerned.
        QSettings raw(AppStorePath(), QSettings::IniFormat);
        QVERIFY(raw.childKeys().contains("generate Vorn (vs. text)"));
        QVERIFY(raw.childGroups().isEmpty());
    }

    // Settings as the store holds them, hand-edited too: what is read, and the first key's text
    // after the settings were written again (what is only read is never written).
    void storedText_data() {
        QTest::addColumn<QString>("stored"); // key=value;...
        QTest::addColumn<QString>("field");
        QTest::addColumn<int>("value");
        QTest::addColumn<QString>("after");
        QTest::newRow("switch in capitals") << "sep lines=TRUE"
                                            << "sep lines" << 0 << "false";
        QTest::newRow("empty switch") << "show toolbar="
                                      << "show toolbar" << 1 << "true";
        QTest::newRow("number with junk") << "num undos=-20x"
                                          << "num undos" << -20 << "-20";
        QTest::newRow("style bits") << "Font Style=3"
                                    << "Font Style" << 3 << "3";
        QTest::newRow("no columns") << "num columns=0"
                                    << "num columns" << 0 << "0";
        QTest::newRow("auto layout alone") << "auto layout=true"
                                           << "view as" << 5 << "true";
        QTest::newRow("auto layout false") << "auto layout=false"
                                           << "view as" << 4 << "false";
        QTest::newRow("view as wins") << "auto layout=true;view as=4"
                                      << "view as" << 4 << "true";
        QTest::newRow("view as empty") << "auto layout=true;view as="
                                       << "view as" << 5 << "true";
    }
    void storedText() {
        QFETCH(QString, stored);
        QFETCH(QString, field);
        {
            XGPreferences store = AppStore();
            for (const QString& pair : stored.split(';'))
                store.SetString(qPrintable(pair.section('=', 0, 0)), qPrintable(pair.section('=', 1)));
        }
        {
            CVornPrefs prefs;
            const Vorn_ModelPrefs& m = prefs.i_prefs.model;
            const std::map<QString, int> read = {
                {"sep lines", m.b.sep_linesB()},        {"show toolbar", m.b.show_toolbarB()},
                {"num undos", prefs.i_prefs.num_undoS}, {"Font Style", m.font.GetStyleWord()},
                {"num columns", m.num_columnsS},        {"view as", int(m.view_as)}};
            QTEST(read.at(field), "value");
        }
        QTEST(QString::fromStdString(AppStore().GetString(qPrintable(stored.section('=', 0, 0)))), "after");
    }
    void shortValuesKeepLow16Bits() {
        {
            CVornPrefs prefs;
            prefs.Set_VornWindR(70000, -70000, 32768, 10);
            tagRECT r;
            prefs.Get_VornWindR(r);
            QCOMPARE(r.left, 70000); // kept whole for the run
        }
        QCOMPARE(AppStore().GetString("new windR.left"), std::string("4464"));
        QCOMPARE(AppStore().GetString("new windR.right"), std::string("-32768"));
        CVornPrefs prefs;
        QCOMPARE(prefs.i_prefs.new_windR, (tagRECT{4464, -4464, -32768, 10}));
    }
    void modelPrefsFromDefaults() {
        CVornPrefs prefs;
        prefs.i_prefs.model.num_columnsS = 0;
        prefs.i_prefs.new_windR = tagRECT{1, 2, 300, 400};
        Vorn_PrefsRec rec;
        rec.array_sizeS = 9;
        rec.wind_go.posR = tagRECT{5, 5, 6, 6};
        rec.wind_edit.h_scroll = 33;
        prefs.Get_VornModelPrefs(rec);
        QCOMPARE(rec.num_columnsS, int16(4));
        QCOMPARE(rec.mode, Vorn_Mode_EDIT);
        QCOMPARE(rec.wind_edit.posR, (tagRECT{1, 2, 300, 400}));
        QCOMPARE(rec.b, prefs.i_prefs.model.b);
        // Fields the defaults do not cover are left alone.
        QCOMPARE(rec.array_sizeS, int16(9));
        QCOMPARE(rec.wind_go.posR, (tagRECT{5, 5, 6, 6}));
        QCOMPARE(rec.wind_edit.h_scroll, 33);

        rec.num_columnsS = 7;
        rec.view_as = O_ViewAs_FLAT_COL;
        rec.sort_by = O_Sort_KIND;
        rec.b.set_gen_vorn_B(true);
        rec.font.size = 18;
        rec.wind_edit.posR = tagRECT{10, 20, 30, 40};
        prefs.Set_VornModelPrefs(rec);
        CVornPrefs reloaded;
        QCOMPARE(reloaded.i_prefs.model.num_columnsS, int16(7));
        QCOMPARE(reloaded.i_prefs.model.view_as, O_ViewAs_FLAT_COL);
        QCOMPARE(reloaded.i_prefs.model.sort_by, O_Sort_KIND);
        QVERIFY(reloaded.i_prefs.model.b.gen_vorn_B());
        QCOMPARE(reloaded.i_prefs.model.font.size, int16(18));
        QCOMPARE(reloaded.i_prefs.new_windR, (tagRECT{10, 20, 30, 40}));
    }
    void everyFieldRoundTrips() {
        VornPrefsRec saved;
        {
            CVornPrefs prefs;
            VornPrefsRec& p = prefs.i_prefs;
            p.browserSizePt = Point{-3, 1234};
            p.new_windR = tagRECT{-1, -2, 3, 4};
            p.b.logMemB = true;
            p.b.show_deskB = true;
            p.b.auto_vers_checkB = false;
            p.b.player_onlyB = true;
            p.b.auto_save_textB = true; // for the run only
            p.model.b.flags = uint16(~(1u << Vorn_PrefBit_UNUSED1));
            p.model.b.unused2 = 0xFFFF; // never stored
            p.model.view_as = O_ViewAs_FLAT_COL;
            p.model.sort_by = O_Sort_VERSION;
            p.model.num_columnsS = 12;
            p.num_undoS = 5;
            std::strcpy(p.model.font.name, "Courier New");
            p.model.font.size = 9;
            p.model.font.SetStyleWord(0x307);
            saved = p;
            prefs.Flush();
        }
        CVornPrefs prefs;
        const VornPrefsRec& p = prefs.i_prefs;
        QCOMPARE(p.browserSizePt, saved.browserSizePt);
        QCOMPARE(p.new_windR, saved.new_windR);
        QCOMPARE(p.b.logMemB, true);
        QCOMPARE(p.b.show_deskB, true);
        QCOMPARE(p.b.auto_vers_checkB, false);
        QCOMPARE(p.b.player_onlyB, true);
        QCOMPARE(p.b.auto_save_textB, false);
        QCOMPARE(p.model.b.flags, saved.model.b.flags);
        QCOMPARE(p.model.b.unused2, uint16(0));
        QCOMPARE(p.model.view_as, O_ViewAs_FLAT_COL);
        QCOMPARE(p.model.sort_by, O_Sort_VERSION);
        QCOMPARE(p.model.num_columnsS, int16(12));
        QCOMPARE(p.num_undoS, int16(5));
        QCOMPARE(QByteArray(p.model.font.name), QByteArray("Courier New"));
        QCOMPARE(p.model.font.size, int16(9));
        QCOMPARE(p.model.font.GetStyleWord(), uint16(0x307));
        // The unused flag bit is neither stored nor invented.
        QVERIFY(!p.model.b.unused1());
        QVERIFY(!AppStore().HasValue("auto layout"));
    }
    void shiftAtStartTurnsLoggingOn() {
        CVornPrefs::s_ShiftDownProc = [] { return true; };
        {
            CVornPrefs prefs;
            QVERIFY(prefs.Get_Logging());
            QVERIFY(LogIsOpen());
            // Stored at once, not only when the object goes.
            QCOMPARE(AppStore().GetString("logging"), std::string("true"));
        }
        CloseLogFile();
        CVornPrefs::s_ShiftDownProc = [] { return false; };
        CVornPrefs again;
        QVERIFY(again.Get_Logging());
        QVERIFY(LogIsOpen());
    }
    void setLoggingOpensAndClosesLog() {
        CVornPrefs prefs;
        prefs.Set_Logging(true);
        Log("line\n");
        prefs.Set_Logging(false);
        QVERIFY(!LogIsOpen());
        Log("not written\n");
        QFile f(QString::fromUtf8(kLogFileName));
        QVERIFY(f.open(QIODevice::ReadOnly));
        QCOMPARE(f.readAll(), QByteArray("line\n"));
        QCOMPARE(AppStore().GetString("logging"), std::string("false"));
        prefs.Set_LogMem(true);
        QCOMPARE(AppStore().GetString("log memory"), std::string("true"));
    }
    void unwritableFolderDegradesSilently() {
        // A plain file where the vendor folder should be: nothing can be created below it, whoever
        // runs the test.
        const QString vendorPath = qEnvironmentVariable("XDG_CONFIG_HOME") + "/Quorvale";
        QDir(vendorPath).removeRecursively();
        {
            QFile blocker(vendorPath);
            QVERIFY(blocker.open(QIODevice::WriteOnly));
        }
        {
            CVornPrefs prefs;
            QCOMPARE(prefs.i_prefs.num_undoS, int16(20));
            prefs.Set_BrowserSize(Point{10, 20});
            prefs.Set_Logging(false);
            QCOMPARE(prefs.Get_BrowserSize(), (Point{10, 20}));
        }
        QVERIFY(!QFile::exists(AppStorePath()));
        QVERIFY(QFile::remove(vendorPath));
    }
    void dialogOkStoresValues() {
        CVornPrefs prefs;
        prefs.i_prefs.b.logMemB = true;
        prefs.i_prefs.num_undoS = 20;
        XGScopedFormResponder responder([&](XGFormDialog& d) {
            // The items open with the current values.
            if (d.LayoutId() != 128 || d.GetCheck(3) || !d.GetCheck(4) || !d.GetCheck(5) ||
                d.GetNumber(6) != 20 || d.GetCheck(7))
                return XGFormDialog::kItemCancel;
            d.Click(3);
            d.Click(4);
            d.Click(7);
            d.SetNumber(6, 99999); // beyond a short: the field keeps it in range
            return XGFormDialog::kItemOK;
        });
        QCOMPARE(prefs.DoDialog(), 1);
        QVERIFY(prefs.i_prefs.b.logB);
        QVERIFY(!prefs.i_prefs.b.logMemB);
        QVERIFY(prefs.i_prefs.b.auto_vers_checkB);
        QVERIFY(prefs.i_prefs.b.player_onlyB);
        QCOMPARE(prefs.i_prefs.num_undoS, int16(32767));
        // Stored at once; the log itself waits for the next start or the logging command.
        QVERIFY(!LogIsOpen());
        XGPreferences store = AppStore();
        QCOMPARE(store.GetString("logging"), std::string("true"));
        QCOMPARE(store.GetString("num undos"), std::string("32767"));
        QCOMPARE(store.GetString("player only"), std::string("true"));
    }
    void dialogCancelChangesNothing() {
        CVornPrefs prefs;
        const VornPrefsRec before = prefs.i_prefs;
        {
            XGScopedFormResponder responder([](XGFormDialog& d) {
                d.Click(3);
                d.SetNumber(6, 3);
                return XGFormDialog::kItemCancel;
            });
            QCOMPARE(prefs.DoDialog(), 0);
        }
        QCOMPARE(prefs.i_prefs.b.logB, before.b.logB);
        QCOMPARE(prefs.i_prefs.num_undoS, before.num_undoS);
        QVERIFY(!QFile::exists(AppStorePath()));
        // With no responder on the offscreen platform the dialog answers Cancel without blocking.
        QCOMPARE(prefs.DoDialog(), 0);
    }
};

QTEST_MAIN(TestPrefs)
#include "tst_prefs.moc"
