// Menu, accelerator and toolbar resources, the shell channel's text, command-line splitting and
// the font change requests.

#include "XGFont.h"
#include "XGFontChange.h"
#include "XGMenuResource.h"
#include "XGRecentlyUsed.h"
#include "XGShellCommand.h"
#include "XGToolbar.h"

#include <QTemporaryDir>
#include <QXmlStreamReader>
#include <QtTest>

using namespace yaaf;

Q_DECLARE_METATYPE(std::vector<std::string>)

namespace {
// Counts the items with ids, through submenus.
void CollectIds(const std::vector<XGMenuItemRecord>& items, std::vector<int32>& out) {
    for (const auto& r : items) {
        if (r.kind == XGMenuItemRecord::kItem) out.push_back(r.id);
        if (r.kind == XGMenuItemRecord::kSubmenu) CollectIds(r.items, out);
    }
}
std::vector<int32> Ids(const XGMenuBarRecord& bar) {
    std::vector<int32> out;
    for (const auto& m : bar.menus)
        CollectIds(m.items, out);
    return out;
}
} // namespace

class TestMenus : public QObject {
    Q_OBJECT
private slots:
    void parseMenuBar() {
        auto bar =
            XGParseMenuBar("# c\nmenu \"&File\"\n  item 1 \"New\\tCtrl+N\"\n  separator\n"
                           "  submenu \"Sub\"\n    item 0x10 \"Say \\\"hi\\\"\"\n  end\n  fonts 74\nend\n"
                           "menu \"W\"\n windows\n recent 17680\nend\n");
        QVERIFY(bar);
        QCOMPARE(bar->menus.size(), size_t(2));
        QCOMPARE(bar->menus[0].title, std::string("&File"));
        QCOMPARE(bar->menus[0].items[0].title, std::string("New\tCtrl+N"));
        QCOMPARE(bar->menus[0].items[1].kind, XGMenuItemRecord::kSeparator);
        QCOMPARE(bar->menus[0].items[2].items[0].id, 16);
        QCOMPARE(bar->menus[0].items[2].items[0].title, std::string("Say \"hi\""));
        QCOMPARE(bar->menus[0].items[3].kind, XGMenuItemRecord::kFontList);
        QCOMPARE(bar->menus[1].items[0].kind, XGMenuItemRecord::kWindowList);
        QCOMPARE(bar->menus[1].items[1].kind, XGMenuItemRecord::kRecentList);
        QCOMPARE(bar->menus[1].items[1].id, 17680);
    }

    // The desktop's recent list: our bookmark is added or marked used again, everything else in
    // the file is kept, and a file that is not a bookmark file is left alone.
    void desktopRecentList_data() {
        QTest::addColumn<QString>("before"); // empty: no file
        QTest::addColumn<bool>("ok");
        QTest::addColumn<QString>("after"); // per bookmark: file mime added apps
        const QString head = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<xbel version=\"1.0\" "
                             "xmlns:bookmark=\"http://www.freedesktop.org/standards/desktop-bookmarks\" "
                             "xmlns:mime=\"http://www.freedesktop.org/standards/shared-mime-info\">\n";
        const auto mark = [](const QString& file, const QString& apps) {
            QString xml =
                "<bookmark href=\"file:///x/" + file +
                "\" added=\"2020-01-01T00:00:00Z\" modified=\"2020-01-01T00:00:00Z\">"
                "<info><metadata owner=\"http://freedesktop.org\"><mime:mime-type type=\"text/plain\"/>"
                "<bookmark:applications>";
            for (const QString& app : apps.split(' ', Qt::SkipEmptyParts))
                xml += "<bookmark:application name=\"" + app.section('=', 0, 0) +
                       "\" exec=\"&apos;x %u&apos;\" " + "count=\"" + app.section('=', 1) + "\"/>";
            return xml + "</bookmark:applications></metadata></info></bookmark>\n";
        };
        QTest::newRow("no file") << QString() << true << "a.2dv application/x-vorn-board new Vorn=1";
        QTest::newRow("empty file") << " \n" << true << "a.2dv application/x-vorn-board new Vorn=1";
        QTest::newRow("others kept")
            << head + mark("b.txt", "Edit=4") + "</xbel>" << true
            << "b.txt text/plain 2020 Edit=4; a.2dv application/x-vorn-board new Vorn=1";
        QTest::newRow("used again") << head + mark("a.2dv", "Edit=3 Vorn=2") + "</xbel>" << true
                                    << "a.2dv text/plain 2020 Edit=3,Vorn=3";
        QTest::newRow("used first here")
            << head + mark("a.2dv", "Edit=3") + "</xbel>" << true << "a.2dv text/plain 2020 Edit=3,Vorn=1";
        QTest::newRow("no declarations")
            << "<xbel version=\"1.0\"></xbel>" << true << "a.2dv application/x-vorn-board new Vorn=1";
        QTest::newRow("malformed") << head + "<bookmark href=\"x\"" << false << QString();
        QTest::newRow("not a bookmark file") << "<html><body/></html>" << false << QString();
    }

    void desktopRecentList() {
        QFETCH(QString, before);
        QFETCH(bool, ok);
        QFETCH(QString, after);
        QTemporaryDir dir;
        qputenv("XDG_DATA_HOME", dir.path().toUtf8());
        const QString path = QString::fromStdString(XGRecentlyUsedPath());
        QCOMPARE(path, dir.filePath("recently-used.xbel"));
        if (!before.isNull()) {
            QFile f(path);
            QVERIFY(f.open(QIODevice::WriteOnly));
            f.write(before.toUtf8());
        }
        const bool noted = XGNoteRecentlyUsed({"/x/a.2dv", "application/x-vorn-board", "Vorn", "vorn %u"});
        qunsetenv("XDG_DATA_HOME");
        QCOMPARE(noted, ok);
        QFile f(path);
        QVERIFY(f.open(QIODevice::ReadOnly));
        const QByteArray text = f.readAll();
        if (!ok) {
            QCOMPARE(QString::fromUtf8(text), before);
            return;
        }
        // Read back as the desktop would, with namespaces.
        QXmlStreamReader r(text);
        QStringList marks;
        QString mark, apps;
        while (!r.atEnd()) {
            r.readNext();
            if (r.isEndElement() && r.name() == QLatin1String("bookmark")) marks << mark + " " + apps;
            if (!r.isStartElement()) continue;
            const QXmlStreamAttributes a = r.attributes();
            if (r.name() == QLatin1String("bookmark") && r.namespaceUri().isEmpty()) {
                const QString added = a.value("added").toString();
                mark = QUrl(a.value("href").toString()).fileName() + "|" +
                       (added.startsWith("2020")       ? "2020"
                        : a.value("modified") == added ? "new"
                                                       : "?");
                apps.clear();
            } else if (r.name() == QLatin1String("mime-type")) {
                mark.replace("|", " " + a.value("type").toString() + " ");
            } else if (r.name() == QLatin1String("application")) {
                QCOMPARE(r.namespaceUri(),
                         QLatin1String("http://www.freedesktop.org/standards/desktop-bookmarks"));
                apps += (apps.isEmpty() ? "" : ",") + a.value("name").toString() + "=" +
                        a.value("count").toString();
            }
        }
        QVERIFY2(!r.hasError(), qPrintable(r.errorString() + "\n" + text));
        QCOMPARE(marks.join("; "), after);
        QVERIFY(text.contains("exec=\"'vorn %u'\"") || text.contains("exec=\"&apos;vorn %u&apos;\""));
    }

    void malformedMenusAreRefused_data() {
        QTest::addColumn<QString>("text");
        QTest::newRow("item outside a menu") << "item 1 \"A\"\n";
        QTest::newRow("unclosed menu") << "menu \"A\"\nitem 1 \"B\"\n";
        QTest::newRow("unclosed quote") << "menu \"A\nend\n";
        QTest::newRow("bad id") << "menu \"A\"\nitem 1x \"B\"\nend\n";
        QTest::newRow("huge id") << "menu \"A\"\nitem 99999999999 \"B\"\nend\n";
        QTest::newRow("unquoted title") << "menu \"A\"\nitem 1 B\nend\n";
        QTest::newRow("nested menu") << "menu \"A\"\nmenu \"B\"\nend\nend\n";
        QTest::newRow("stray end") << "end\n";
        QTest::newRow("unknown word") << "menu \"A\"\nfrobnicate\nend\n";
    }
    void malformedMenusAreRefused() {
        QFETCH(QString, text);
        std::string why;
        QVERIFY(!XGParseMenuBar(text.toStdString(), &why));
        QVERIFY(!why.empty());
    }

    void acceleratorKeys_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("modifiers");
        QTest::addColumn<int>("key");
        QTest::newRow("ctrl n") << "Ctrl+N" << int(kXGAccel_Ctrl) << int('N');
        QTest::newRow("lower letter") << "Ctrl+n" << int(kXGAccel_Ctrl) << int('N');
        const int all = kXGAccel_Ctrl | kXGAccel_Alt | kXGAccel_Shift;
        QTest::newRow("three mods") << "Ctrl+Alt+Shift+P" << all << int('P');
        QTest::newRow("plain =") << "=" << 0 << int('=');
        QTest::newRow("alt return") << "Alt+Return" << int(kXGAccel_Alt) << int(kXGAccelKey_Return);
        QTest::newRow("ctrl ?") << "Ctrl+?" << int(kXGAccel_Ctrl) << int('?');
        QTest::newRow("f5") << "F5" << 0 << int(kXGAccelKey_F1 + 4);
    }
    void acceleratorKeys() {
        QFETCH(QString, text);
        QFETCH(int, modifiers);
        QFETCH(int, key);
        auto r = XGParseAcceleratorKey(text.toStdString());
        QVERIFY(r);
        QCOMPARE(int(r->modifiers), modifiers);
        QCOMPARE(r->key, key);
    }

    void badAcceleratorKeys() {
        for (const char* t : {"", "Hyper+N", "Ctrl+", "Ctrl+Enterprise", "F13", "Ctrl+\x7f"})
            QVERIFY2(!XGParseAcceleratorKey(t), t);
        QVERIFY(!XGParseAccelerators("accel Ctrl+N\n"));
        QVERIFY(!XGParseAccelerators("accel Ctrl+N x\n"));
    }

    void findAccelerator_data() {
        QTest::addColumn<int>("modifiers");
        QTest::addColumn<int>("key");
        QTest::addColumn<int>("command");
        const int ctrl = kXGAccel_Ctrl, shift = kXGAccel_Shift, alt = kXGAccel_Alt;
        QTest::newRow("ctrl g: first entry wins") << ctrl << int('G') << 17921;
        QTest::newRow("ctrl shift z") << (ctrl | shift) << int('Z') << 12;
        QTest::newRow("lower case key") << ctrl << int('z') << 11;
        QTest::newRow("plain z is no shortcut") << 0 << int('Z') << 0;
        QTest::newRow("alt z is no shortcut") << alt << int('Z') << 0;
        QTest::newRow("=") << 0 << int('=') << 58;
        QTest::newRow("ctrl = is not =") << ctrl << int('=') << 0;
        QTest::newRow("ctrl ? needs shift on the keyboard") << (ctrl | shift) << int('?') << 18689;
        QTest::newRow("alt return") << alt << int(kXGAccelKey_Return) << 62;
        QTest::newRow("plain return") << 0 << int(kXGAccelKey_Return) << 0;
    }
    void findAccelerator() {
        QFETCH(int, modifiers);
        QFETCH(int, key);
        QFETCH(int, command);
        auto table = XGLoadAccelerators(128);
        QVERIFY(table);
        const XGAcceleratorRecord* r = XGFindAccelerator(*table, uint16(modifiers), key);
        QCOMPARE(r ? r->command : 0, command);
    }

    // Every menu bar and context menu loads, and holds the items that the commands need.
    void shippedMenus_data() {
        QTest::addColumn<int>("type");
        QTest::addColumn<int>("id");
        QTest::addColumn<QList<int>>("mustHave");
        const int bar = kXGResType_MenuBar;
        QTest::newRow("bar 128") << bar << 128 << QList<int>{17665, 17666, 11, 13, 115, 16909, 17921, 23044};
        QTest::newRow("bar 129") << bar << 129 << QList<int>{37, 38, 39, 40, 41, 47, 48, 72, 16899, 17931};
        QTest::newRow("bar 130") << bar << 130 << QList<int>{17665, 16654, 37, 41, 17921, 17922, 13};
        QTest::newRow("context 145") << int(kXGResType_Menu) << 145 << QList<int>{61, 62, 16899, 17921};
        QTest::newRow("context 150") << int(kXGResType_Menu) << 150 << QList<int>{16899, 17921};
    }
    void shippedMenus() {
        QFETCH(int, type);
        QFETCH(int, id);
        QFETCH(QList<int>, mustHave);
        auto bar = XGLoadMenuBar(uint32(type), int16(id));
        QVERIFY(bar);
        auto ids = Ids(*bar);
        for (int want : mustHave)
            QVERIFY2(std::find(ids.begin(), ids.end(), want) != ids.end(), qPrintable(QString::number(want)));
    }

    void shippedToolbar() {
        auto items = XGLoadToolbar(128);
        QVERIFY(items);
        int buttons = 0;
        for (const auto& r : *items) {
            if (r.separator) continue;
            ++buttons;
            QVERIFY2(XGToolbar::HasIcon(r.icon), r.icon.c_str());
        }
        QVERIFY(buttons >= 10);
        QVERIFY(!XGParseToolbar("button 1 new\n"));
    }

    void shellCommands_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QStringList>("expected"); // "name|arg|arg"
        QTest::newRow("open") << "[open(\"/tmp/a b.2dv\")]" << QStringList{"open|/tmp/a b.2dv"};
        QTest::newRow("capitals kept") << "[OPEN(\"x\")]" << QStringList{"OPEN|x"};
        QTest::newRow("exit") << "[exit]" << QStringList{"exit"};
        QTest::newRow("several") << "[open(\"a\")][print(\"b\")] [exit]"
                                 << QStringList{"open|a", "print|b", "exit"};
        QTest::newRow("doubled quote") << "[open(\"say \"\"hi\"\"\")]" << QStringList{"open|say \"hi\""};
        QTest::newRow("unquoted args") << "[open(a, b ,c)]" << QStringList{"open|a|b|c"};
        QTest::newRow("empty args") << "[x()]" << QStringList{"x|"};
        QTest::newRow("unclosed bracket") << "[open(\"a\")" << QStringList{};
        QTest::newRow("unclosed quote") << "[open(\"a)]" << QStringList{};
        QTest::newRow("good then garbled") << "[exit][open(\"a\")x]" << QStringList{"exit"};
        QTest::newRow("no brackets") << "open(a)" << QStringList{};
        QTest::newRow("empty name") << "[]" << QStringList{};
        QTest::newRow("nothing") << "" << QStringList{};
        QString many = "[open(", kept = "open";
        for (int i = 0; i < 30; ++i) {
            many += (i ? "," : "") + QString::number(i);
            kept += i < int(kXGShellMaxArgs) ? "|" + QString::number(i) : "";
        }
        QTest::newRow("arguments past the limit dropped") << many + ")]" << QStringList{kept};
        QTest::newRow("name too long") << "[" + QString(300, 'a') + "]" << QStringList{};
    }
    void shellCommands() {
        QFETCH(QString, text);
        QFETCH(QStringList, expected);
        QStringList got;
        for (const XGShellCommand& c : XGParseShellCommands(text.toStdString())) {
            QString s = QString::fromStdString(c.name);
            for (const auto& a : c.args)
                s += "|" + QString::fromStdString(a);
            got << s;
        }
        QCOMPARE(got, expected);
    }

    void commandLine_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QStringList>("tokens");
        QTest::newRow("empty") << "" << QStringList{};
        QTest::newRow("blanks") << "   \t " << QStringList{};
        QTest::newRow("two") << "a.2dv  b.txt" << QStringList{"a.2dv", "b.txt"};
        QTest::newRow("quoted") << "\"a b.2dv\" c" << QStringList{"a b.2dv", "c"};
        QTest::newRow("unclosed quote runs to the end") << "x \"a b" << QStringList{"x", "a b"};
        QTest::newRow("quote inside a token stays") << "a\"b c" << QStringList{"a\"b", "c"};
    }
    void commandLine() {
        QFETCH(QString, text);
        QFETCH(QStringList, tokens);
        QStringList got;
        for (const auto& t : XGSplitCommandLine(text.toStdString()))
            got << QString::fromStdString(t);
        QCOMPARE(got, tokens);
    }

    void commandLineLimitsAndJoin() {
        std::string many;
        for (int i = 0; i < 40; ++i)
            many += "f" + std::to_string(i) + " ";
        QCOMPARE(XGSplitCommandLine(many).size(), size_t(32));
        const std::vector<std::string> args = {"/tmp/a b.2dv", "c.txt", ""};
        const std::string joined = XGJoinCommandLine(args);
        QCOMPARE(joined, std::string("\"/tmp/a b.2dv\" c.txt \"\""));
        QCOMPARE(XGSplitCommandLine(joined), args);
        QCOMPARE(XGStripOuterQuotes("\"/tmp/a b\""), std::string("/tmp/a b"));
        QCOMPARE(XGStripOuterQuotes("\"a\" \"b\""), std::string("a\" \"b"));
        QCOMPARE(XGStripOuterQuotes("\""), std::string("\""));
    }

    void fontCommands_data() {
        QTest::addColumn<int>("command");
        QTest::addColumn<int>("startSize");
        QTest::addColumn<int>("startStyle");
        QTest::addColumn<int>("size");
        QTest::addColumn<int>("style");
        QTest::newRow("smaller") << 78 << 12 << 0 << 11 << 0;
        QTest::newRow("smaller stops at 2") << 78 << 2 << 0 << 2 << 0;
        QTest::newRow("9") << 80 << 12 << 0 << 9 << 0;
        QTest::newRow("plain clears") << 87 << 12 << int(kXGStyle_Bold | kXGStyle_Italic) << 12 << 0;
        const int boldItalic = kXGStyle_Bold | kXGStyle_Italic;
        QTest::newRow("bold toggles on") << 88 << 12 << int(kXGStyle_Italic) << 12 << boldItalic;
        QTest::newRow("bold on bold is plain") << 88 << 12 << int(kXGStyle_Bold) << 12 << 0;
        QTest::newRow("underline") << 90 << 12 << 0 << 12 << int(kXGStyle_Underline);
        QTest::newRow("other command keeps the size") << 500 << 14 << 0 << 14 << 0;
    }
    void fontCommands() {
        QFETCH(int, command);
        QFETCH(int, startSize);
        QFETCH(int, startStyle);
        QFETCH(int, size);
        QFETCH(int, style);
        XGFont font("Arial", startSize, uint16(startStyle));
        XGFontChangeRec rec;
        GetFontRecord(font, rec);
        QCOMPARE(int(rec.sizeS), startSize);
        rec.set_sizeB = rec.set_fontB = rec.set_styleB = false;
        FontCommandToRecord(command, 0, rec);
        ApplyFontChangeRec(font, rec);
        QCOMPARE(font.GetSize(), size);
        QCOMPARE(int(font.GetStyle() & 0x7), style);
    }
};

QTEST_MAIN(TestMenus)
#include "tst_menus.moc"
