// Text documents: reading and writing files, the undo tasks and their merging, the commands of
// the text view (find, replace, go to line, preferences, fonts, clipboard), printing, and text
// arriving from a generator as one undo unit.

#include "AlertRecorder.h"
#include "BoardProbes.h"
#include "CDocumentKinds.h"
#include "SaveAnswer.h"
#include "TestFiles.h"
#include "TextFixture.h"
#include "TextPrefs.h"
#include "TextRegistration.h"
#include "UndoCheck.h"
#include "XGAlert.h"
#include "XGFormDialog.h"
#include "XGMenuBar.h"
#include "XGPreferences.h"
#include "XGPrint.h"
#include "XGTextScrap.h"

#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>

#include <tuple>

using namespace yaaf;
using namespace vorntest;

namespace {

QString Fixture(const char* name) {
    return QString(VORN_TEST_DATA) + "/text/" + name;
}

} // namespace

class TestTextDoc : public QObject {
    Q_OBJECT
    QTemporaryDir fDir;
    AlertRecorder fAlerts;

private slots:
    void initTestCase() {
        QVERIFY(fDir.isValid());
        gDo = new CDo;
    }
    void init() {
        XGClearRecentAlerts();
        // Every test starts from the default text preferences.
        XGPreferences store(kTextPrefsVendor, kTextPrefsProduct, kTextPrefsVersion);
        for (const char* key :
             {"AutoIndent", "TabStop", "WordWrap", "AutoSave", "Font Size", "Font Name", "Font Style"})
            store.RemoveValue(key);
        store.Sync();
        SetAutoSaveText(false);
    }
    void cleanupTestCase() {
        delete gDo;
        gDo = nullptr;
    }

    void lineEndsOnReading_data() {
        QTest::addColumn<QByteArray>("file");
        QTest::addColumn<QByteArray>("text");
        QTest::newRow("crlf") << QByteArray("a\r\nb") << QByteArray("a\nb");
        QTest::newRow("lfcr") << QByteArray("a\n\rb") << QByteArray("a\nb");
        QTest::newRow("lone cr and lf") << QByteArray("a\rb\nc") << QByteArray("a\nb\nc");
        QTest::newRow("cr cr is two") << QByteArray("a\r\rb") << QByteArray("a\n\nb");
        QTest::newRow("lf cr lf") << QByteArray("\n\r\n") << QByteArray("\n\n");
        QTest::newRow("final cr") << QByteArray("x\r") << QByteArray("x\n");
        QTest::newRow("empty") << QByteArray() << QByteArray();
    }
    void lineEndsOnReading() {
        QFETCH(QByteArray, file);
        QFETCH(QByteArray, text);
        QByteArray bytes = file;
        const int32 size = TEditDoc::ConvertLineEnds(bytes.data(), int32(bytes.size()));
        QCOMPARE(bytes.left(size), text);
    }
    // Line ends are written as CR LF: autoSaveAfterEachChange.
    void notTextRoundTripsByteForByte() {
        const QString path = fDir.filePath("copy.txt");
        const QByteArray original = ReadFile(Fixture("not_text_crlf.txt"));
        QVERIFY(!original.isEmpty());
        QVERIFY(WriteFile(path, original));
        const XGFileSpecifier spec(path.toStdString());
        TextFixture w(&spec);
        QVERIFY(w.window);
        QCOMPARE(QString::fromStdString(w.window->GetName()), QString("copy.txt"));
        QVERIFY(w.Text().find('\r') == std::string::npos);
        // Move about and type and delete something, so the text went through the engine.
        w.Core()->Select(3, 3);
        w.Type("x");
        w.View()->AddCharCmd(kXGChar_Backspace);
        QVERIFY(w.Doc()->DoDocumentSave());
        QCOMPARE(ReadFile(path), original);
        QVERIFY(!w.Doc()->IsDirty());
    }
    void openFailures_data() {
        QTest::addColumn<QString>("path");
        QTest::newRow("missing") << QString("no such file.txt");
        QTest::newRow("folder") << QString(".");
    }
    void openFailures() {
        QFETCH(QString, path);
        const QString full = path == "." ? fDir.path() : fDir.filePath(path);
        const size_t windows = XGWindow::GetWindows().size();
        const XGFileSpecifier spec(full.toStdString());
        XGDocForm* form = nullptr;
        QVERIFY(!OpenTextWindow(Vorn_WindowInit_OPEN_FILE, &spec, &form));
        QCOMPARE(XGWindow::GetWindows().size(), windows);
        QCOMPARE(XGRecentAlerts().size(), size_t(1));
        QCOMPARE(XGRecentAlerts()[0].title, std::string("Open File Error"));
        QVERIFY(QString::fromStdString(XGRecentAlerts()[0].text).contains(QFileInfo(full).fileName()));
    }
    void saveFailureKeepsDocumentDirty() {
        TextFixture w;
        w.Type("abc");
        QVERIFY(w.Doc()->IsDirty());
        for (const std::string& target :
             {fDir.filePath("missing folder/x.txt").toStdString(), std::string("/proc/vorn-x.txt")}) {
            XGClearRecentAlerts();
            SaveAnswer save(QString::fromStdString(target));
            QVERIFY(!w.Doc()->DoDocumentSave());
            QVERIFY(w.Doc()->IsDirty() && !w.Doc()->IsDocumentNamed());
            QVERIFY(XGRecentAlerts().size() == 1 && XGRecentAlerts()[0].title == "Write File Error");
        }
    }
    // Save As, its dialog and the name a saved text takes: tst_textwindow.
    void untitledNamesAndCancelledSave() {
        TextFixture a;
        TextFixture b;
        const int16 n = a.Doc()->fIndex;
        QCOMPARE(QString::fromStdString(b.window->GetName()), QString("Untitled Text %1").arg(n + 1));
        // A cancelled dialog leaves the document unsaved.
        a.View()->SetFocus();
        a.Type("x");
        QVERIFY(!a.Doc()->DoDocumentSave());
        QVERIFY(a.Doc()->IsDirty());
    }
    // Each edit gets one pass of do, check, undo back to the text and selection before, redo.
    // Keys: "\b" is Backspace, "\x85" forward Delete; a word goes in as a generator's does.
    void edits_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("from");
        QTest::addColumn<int>("to");
        QTest::addColumn<QByteArray>("keys");
        QTest::addColumn<QByteArray>("word");
        QTest::addColumn<bool>("autoIndent");
        QTest::addColumn<QString>("result");
        QTest::addColumn<int>("units");
        const QByteArray none;
        auto row = [&](const char* name, const char* text, int at, const QByteArray& keys,
                       const QByteArray& word, const char* result, int units, bool indent = false,
                       int to = -1) {
            QTest::newRow(name) << text << at << (to < 0 ? at : to) << keys << word << indent << result
                                << units;
        };
        row("typing over a selection", "abc", 0, "x", none, "xabc", 1, false, 3);
        row("typing merges", "", 0, "abc", none, "abc", 1);
        row("return starts a unit", "", 0, "abc\rde", none, "abc\nde", 2);
        row("backspace shortens typing", "", 0, "abcd\b\b", none, "ab", 1);
        row("backspaces in older text merge", "hello world", 11, "\b\b\b\b\b", none, "hello ", 1);
        row("forward deletes do not merge", "hello ", 0, "\x85\x85", none, "llo ", 2);
        row("backspace at 0", "abc", 0, "\b", none, "abc", 0);
        row("0x8D at 0", "abc", 0, "\x8d", none, "abc", 0);
        row("delete at the end", "abc", 3, "\x85", none, "abc", 0);
        row("return with auto-indent", "  ab", 4, "\rc", none, "  ab\n  c", 1, true);
        row("word: trailing comma", "ab", 1, none, "word,", "awordb", 1);
        row("word: only one comma", "ab", 1, none, "word,,", "aword,b", 1);
        row("word: leading blanks", "ab", 1, none, "  x", "axb", 1);
        row("word: single blank", "ab", 1, none, " ", "a b", 1);
        row("word: leading return", "ab", 1, none, "\rCat: animal\n", "a\nCat: animal\nb", 1);
    }
    void edits() {
        QFETCH(QString, text);
        QFETCH(QByteArray, keys);
        QFETCH(QByteArray, word);
        QFETCH(int, units);
        QFETCH(int, from);
        QFETCH(int, to);
        QFETCH(bool, autoIndent);
        TextPrefsRec prefs;
        prefs.autoIndentB = autoIndent;
        WriteTextPrefs(prefs);
        TextFixture w;
        w.SetText(text.toStdString());
        w.Core()->Select(from, to);
        // Undoing a forward delete leaves the caret after the text it puts back: there only the
        // text is compared.
        const bool forward = keys.contains('\x85');
        const auto snapshot = [&] {
            return QString::fromStdString(w.Text()) +
                   (forward ? QString()
                            : QString("|%1-%2").arg(w.Core()->GetSelStart()).arg(w.Core()->GetSelEnd()));
        };
        const UndoRedo repeated{[&] {
                                    for (int i = 0; i < units; ++i)
                                        gDo->Do(CDo_Type_UNDO);
                                },
                                [&] {
                                    for (int i = 0; i < units; ++i)
                                        gDo->Do(CDo_Type_REDO);
                                }};
        VORN_CHECK_UNDOABLE(
            snapshot,
            [&] {
                if (word.isNull())
                    w.Type(keys.toStdString());
                else
                    w.View()->AddWordCmd(word.constData());
            },
            [&](const QString& now) {
                QTEST(now.section('|', 0, 0), "result");
                QCOMPARE(w.UndoUnits(), units);
                QCOMPARE(w.Doc()->IsDirty(), units > 0);
            },
            repeated);
    }

    void findNext_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("find");
        QTest::addColumn<int>("from");
        QTest::addColumn<int>("start");
        QTest::addColumn<int>("end");
        QTest::newRow("last word from 0") << "one two three" << QString("three") << 0 << 8 << 13;
        QTest::newRow("whole document") << "abc" << QString("abc") << 0 << 0 << 3;
        QTest::newRow("empty find does nothing") << "abc" << QString("") << 1 << 1 << 1;
        QTest::newRow("no match keeps the selection") << "abc" << QString("x") << 1 << 1 << 1;
        QTest::newRow("case matters") << "Abc abc" << QString("abc") << 0 << 4 << 7;
        QTest::newRow("after the selection, no wrap") << "ab ab" << QString("ab") << 4 << 4 << 4;
    }
    void findNext() {
        QFETCH(QString, text);
        QFETCH(QString, find);
        QFETCH(int, from);
        QFETCH(int, start);
        QFETCH(int, end);
        TextFixture w;
        w.SetText(text.toStdString());
        w.Core()->Select(from, from);
        int responses = 0;
        XGScopedFormResponder answer([&](XGFormDialog& d) {
            ++responses;
            d.SetText(kFindItem_Find, find.toStdString());
            return XGFormDialog::kItemOK;
        });
        QCOMPARE(w.View()->DoMenuCommand(kTextCmd_Find), kDispatchHandled);
        QCOMPARE(responses, 1);
        QCOMPARE(w.Core()->GetSelStart(), start);
        QCOMPARE(w.Core()->GetSelEnd(), end);
    }
    void replaceReplacesTheSelection() {
        TextFixture w;
        w.SetText("cat dog cat");
        w.View()->SetFindText("cat", " lion,");
        w.Core()->Select(0, 0);
        w.View()->DoMenuCommand(kTextCmd_FindAgain);
        w.View()->DoMenuCommand(kTextCmd_ReplaceFind);
        QCOMPARE(QString::fromStdString(w.Text()), QString(" lion, dog cat"));
        QCOMPARE(w.Core()->GetSelStart(), 11); // the next one is found
        w.View()->DoMenuCommand(kTextCmd_Replace);
        QCOMPARE(QString::fromStdString(w.Text()), QString(" lion, dog  lion,"));
        QCOMPARE(w.UndoUnits(), 2);
        QCOMPARE(QString::fromStdString(UndoText()), QString("Undo Replace Text"));
        gDo->Do(CDo_Type_UNDO);
        gDo->Do(CDo_Type_UNDO);
        QCOMPARE(QString::fromStdString(w.Text()), QString("cat dog cat"));
    }
    void gotoLine() {
        TextFixture w;
        w.SetText("one\ntwo\nthree\n");
        for (const auto& [line, start, end] :
             {std::tuple{3, 8, 13}, std::tuple{1, 0, 3}, std::tuple{99, 14, 14}}) {
            int32 initial = 0;
            XGScopedFormResponder answer([&, line = line](XGFormDialog& d) {
                initial = d.GetNumber(kGotoItem_Line);
                d.SetNumber(kGotoItem_Line, line);
                return int(XGFormDialog::kItemOK);
            });
            w.View()->DoMenuCommand(kTextCmd_GotoLine);
            QCOMPARE(initial, 1);
            QCOMPARE(w.Core()->GetSelStart(), start);
            QCOMPARE(w.Core()->GetSelEnd(), end);
        }
    }
    void textPreferencesTabSize_data() {
        QTest::addColumn<int>("entered");
        QTest::addColumn<int>("applied");
        QTest::newRow("1 is kept but not used") << 1 << 8;
        QTest::newRow("61 is kept but not used") << 61 << 8;
        QTest::newRow("2") << 2 << 2;
        QTest::newRow("60") << 60 << 60;
    }
    void textPreferencesTabSize() {
        QFETCH(int, entered);
        QFETCH(int, applied);
        TextFixture w;
        XGScopedFormResponder answer([&](XGFormDialog& d) {
            d.SetNumber(kTextPrefsItem_TabSize, entered);
            d.Click(kTextPrefsItem_WordWrap);
            d.Click(kTextPrefsItem_AutoSave);
            return XGFormDialog::kItemOK;
        });
        w.View()->DoMenuCommand(kTextCmd_Preferences);
        QCOMPARE(w.Core()->GetTabStop(), applied);
        QVERIFY(w.Core()->GetWordWrap() && GetAutoSaveText());
        const TextPrefsRec stored = ReadTextPrefs();
        QVERIFY(stored.tabStopL == entered && stored.wordWrapB && stored.autoSaveB);
        SetAutoSaveText(false);
        QCOMPARE(TextFixture().Core()->GetTabStop(), applied); // a new window takes the stored options
    }
    // Font changes reach every text window and the stored font, each as one unit of undo.
    void fontCommands() {
        TextFixture w;
        TextFixture other;
        const int32 size = w.View()->GetFont().GetSize();
        w.View()->SetFocus();
        w.View()->DoMenuCommand(kTextCmd_Bigger);
        w.View()->DoMenuCommand(kTextCmd_Bigger);
        QCOMPARE(w.View()->GetFont().GetSize(), size + 2);
        QCOMPARE(other.View()->GetFont().GetSize(), size + 2); // every text window
        QCOMPARE(w.UndoUnits(), 1);
        QCOMPARE(QString::fromStdString(UndoText()), QString("Undo Set Font Size"));
        gDo->Do(CDo_Type_UNDO);
        QCOMPARE(w.View()->GetFont().GetSize(), size);
        QCOMPARE(other.View()->GetFont().GetSize(), size);

        w.View()->DoMenuCommand(kTextCmd_Size9 + 1); // 12 point
        w.View()->DoMenuCommand(kTextCmd_Plain + 1); // bold
        QVERIFY(w.View()->GetFont().GetStyle() & kXGStyle_Bold);
        QVERIFY(ReadTextFontPrefs().styleS & kXGStyle_Bold);
        QCOMPARE(TextFixture().View()->GetFont().GetSize(), 12); // a new window shows the stored font
        w.View()->SetFocus();
        gDo->Do(CDo_Type_UNDO);
        gDo->Do(CDo_Type_UNDO);
        QCOMPARE(w.View()->GetFont().GetSize(), 8);
        QVERIFY(!(w.View()->GetFont().GetStyle() & kXGStyle_Bold));
        QCOMPARE(ReadTextFontPrefs().sizeS, int16(0)); // the default font again
        // A font menu item travels as 'menu' 74 with its 1-based position in the data.
        const std::string second = XGGetFontMenuItemText(2);
        if (second.empty()) QSKIP("fewer than two font families installed");
        w.View()->SetFocus();
        QCOMPARE(XGSendMenuCommand(kTextCmd_FontItem, 2), kDispatchHandled);
        QCOMPARE(w.View()->GetFont().GetName(), second);
    }
    void clipboardCommands() {
        TextFixture w;
        w.SetText("one two");
        w.Core()->Select(0, 4);
        XGSMenuStatus status;
        QCOMPARE(w.View()->DoGetMenuStatus(kTextCmd_Cut, &status), kDispatchHandled);
        QVERIFY(status.enable);
        w.View()->DoMenuCommand(kTextCmd_Cut);
        QCOMPARE(QString::fromStdString(w.Text()), QString("two"));
        QCOMPARE(QString::fromStdString(XGScrapGetText()), QString("one "));
        QCOMPARE(QString::fromStdString(UndoText()), QString("Undo Cut Text"));
        status = XGSMenuStatus();
        w.View()->DoGetMenuStatus(kTextCmd_Copy, &status);
        QVERIFY(!status.enable);
        // Pasted line ends become line feeds; a paste never merges with typing.
        XGScrapSetText("a\r\nb");
        w.Core()->Select(3, 3);
        w.Type("x");
        w.View()->DoMenuCommand(kTextCmd_Paste);
        w.Type("y");
        QCOMPARE(QString::fromStdString(w.Text()), QString("twoxa\nby"));
        gDo->Do(CDo_Type_UNDO);
        QCOMPARE(QString::fromStdString(w.Text()), QString("twoxa\nb"));
        gDo->Do(CDo_Type_UNDO);
        QCOMPARE(QString::fromStdString(w.Text()), QString("twox"));
    }
    void autoSaveAfterEachChange() {
        const QString path = fDir.filePath("auto.txt");
        QVERIFY(WriteFile(path, "a\r\n"));
        const XGFileSpecifier spec(path.toStdString());
        TextFixture w(&spec);
        SetAutoSaveText(true);
        w.Core()->Select(2, 2);
        w.Type("b");
        SetAutoSaveText(false);
        QCOMPARE(ReadFile(path), QByteArray("a\r\nb"));
        QVERIFY(!w.Doc()->IsDirty());
    }
    void printsEveryPage() {
        TextFixture w;
        std::string text;
        for (int i = 0; i < 400; ++i)
            text += "Line " + std::to_string(i) + " of a text that is longer than one page\n";
        w.SetText(text);
        const QString pdf = fDir.filePath("print.pdf");
        XGSetPrintToFile(pdf.toStdString());
        XGSMenuStatus status;
        w.Doc()->DoGetMenuStatus(kTextCmd_Print, &status);
        QVERIFY(status.enable);
        const int32 pages = w.Doc()->PrintText();
        XGSetPrintToFile(std::string());
        QVERIFY2(pages > 3, qPrintable(QString::number(pages)));
        const QRegularExpression page("/Type\\s*/Page[^s]");
        QCOMPARE(int(QString::fromLatin1(ReadFile(pdf)).count(page)), pages);

        // The shell's print of the same text from its file: no window, no untitled number taken.
        const QString file = fDir.filePath("print.txt");
        QVERIFY(WriteFile(file, QByteArray::fromStdString(text)));
        RegisterTextDocuments();
        const int16 untitled = TEditDoc::G_text_Count;
        QFile::remove(pdf);
        XGSetPrintToFile(pdf.toStdString());
        QVERIFY(GetDocumentKinds().text.printFile(XGFileSpecifier(file.toStdString())));
        XGSetPrintToFile(std::string());
        QCOMPARE(TEditDoc::G_text_Count, untitled);
        QVERIFY(QString::fromLatin1(ReadFile(pdf)).count(page) > 3);
    }
};

QTEST_MAIN(TestTextDoc)
#include "tst_textdoc.moc"
