// The text engine: layout with and without word wrap (incremental layout checked against a
// fresh one after every edit), hit testing, keyboard movement, word selection, auto-indent,
// tabs, field editors and the in-place editor.

#include "XGEditCore.h"
#include "XGEditText.h"
#include "XGInlineEdit.h"
#include "XGKeyboard.h"
#include "XGTextBuffer.h"
#include "XGView.h"

#include <QApplication>
#include <QImage>
#include <QRandomGenerator>
#include <QTest>

#include <string>
#include <vector>

using namespace yaaf;

namespace {

XGFont TestFont() {
    return XGFont("Courier New", 10, kXGStyle_Fixed);
}

struct Engine {
    explicit Engine(const std::string& text, int32 width = 400, bool wrap = false)
        : buffer(text), core(nullptr, tagRECT{0, 0, width, 300}, TestFont()) {
        core.SetWordWrap(wrap);
        core.SetText(&buffer);
    }
    std::vector<int32> Starts() const {
        std::vector<int32> out;
        for (int32 line = 0; line < core.GetNumLines(); ++line)
            out.push_back(core.GetLineOffset(line));
        return out;
    }
    std::string Text() const { return buffer.ToString(); }
    void Reset(const std::string& text) {
        buffer.SetText(text.data(), int32(text.size()));
        core.SetText(&buffer);
    }
    // A click a little into the character at offset on the first line.
    void Click(int32 offset, uint16 flags) {
        const int16 x = int16(core.FindPixel(offset) + 3);
        core.DoMouseDown(Point{4, x}, flags);
        core.DoMouseUp(Point{4, x}, 0);
    }
    // The selection as "start-end@head".
    QString Sel() const {
        return QString("%1-%2@%3").arg(core.GetSelStart()).arg(core.GetSelEnd()).arg(core.GetSelHead());
    }

    XGTextBuffer buffer;
    XGEditCore core;
};

uint32 SpecialKey(uint16 code, bool shift = false) {
    return kXGKeySpecialFlag | (shift ? uint32(kXGMod_Shift) << 16 : 0) | code;
}

// The owner of an in-place editor: records what the editor reports.
class OwnerView : public XGView {
    YAAF_DECLARE_DISPATCH()
public:
    int32 InlineClose(int32 id, void* data) {
        closes.push_back({id, *static_cast<int32*>(data)});
        text = static_cast<XGInlineEdit*>(editor)->GetText();
        return kDispatchHandled;
    }
    std::vector<std::pair<int32, int32>> closes;
    std::string text;
    XGView* editor = nullptr;
};

YAAF_DISPATCH_BEGIN(OwnerView)
YAAF_DISPATCH_ENTRY('icls', OwnerView, InlineClose)
YAAF_DISPATCH_END(OwnerView, XGView)

} // namespace

class TestEditCore : public QObject {
    Q_OBJECT

private slots:
    void textBufferEditsAndFind() {
        XGTextBuffer b("hello world");
        QVERIFY(b.Insert(5, ",", 1));
        QVERIFY(b.Insert(0, ">", 1)); // the gap moves back over the first edit
        QCOMPARE(b.ToString(), std::string(">hello, world"));
        QVERIFY(b.Remove(1, 5));
        QCOMPARE(b.ToString(), std::string(">, world"));
        QVERIFY(!b.Remove(5, 10));
        QVERIFY(!b.Insert(99, "x", 1));
        // A match that spans the gap.
        b.SetText("abcdef", 6);
        b.Insert(3, "XY", 2);
        b.Remove(3, 2);
        b.Insert(2, "", 0);
        QCOMPARE(b.Find("cde", 3, 0), 2);
        QCOMPARE(b.Find("def", 3, 4), -1);
        QCOMPARE(b.Find("abcdef", 6, 0), 0);
        QCOMPARE(b.FindByte('f', 0, 6), 5);
        // Growing far beyond the first capacity keeps every byte.
        std::string big(100000, 'x');
        b.SetText("", 0);
        for (int i = 0; i < 1000; ++i)
            b.Insert(b.GetSize() / 2, big.data(), 100);
        QCOMPARE(b.GetSize(), 100000);
    }
    void lineTable_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QList<int>>("starts");
        QTest::addColumn<QList<int>>("lengths");
        QTest::newRow("empty") << "" << QList<int>{0} << QList<int>{0};
        QTest::newRow("one line") << "abc" << QList<int>{0} << QList<int>{3};
        QTest::newRow("final line feed") << "abc\n" << QList<int>{0, 4} << QList<int>{3, 0};
        QTest::newRow("blank lines") << "a\n\nbc\n" << QList<int>{0, 2, 3, 6} << QList<int>{1, 0, 2, 0};
    }
    void lineTable() {
        QFETCH(QString, text);
        QFETCH(QList<int>, starts);
        QFETCH(QList<int>, lengths);
        Engine e(text.toStdString());
        QCOMPARE(e.core.GetNumLines(), int32(starts.size()));
        for (int line = 0; line < starts.size(); ++line) {
            QCOMPARE(e.core.GetLineOffset(line), starts[line]);
            QCOMPARE(e.core.GetLineLength(line), lengths[line]);
            QCOMPARE(e.core.FindLine(starts[line]), line);
        }
    }
    void incrementalLayoutMatchesFullLayout_data() {
        QTest::addColumn<bool>("wrap");
        QTest::newRow("no wrap") << false;
        QTest::newRow("word wrap") << true;
    }
    void incrementalLayoutMatchesFullLayout() {
        QFETCH(bool, wrap);
        QRandomGenerator rng(1234);
        std::string seed;
        const char* words[] = {
            "alpha ", "be ", "gamma\n", "delta epsilon ", "\n", "z", "longlonglonglongword ", "\t"};
        for (int i = 0; i < 400; ++i)
            seed += words[rng.bounded(8)];
        Engine e(seed, 180, wrap);
        for (int round = 0; round < 400; ++round) {
            const int32 size = e.core.GetTextLength();
            const int32 at = int32(rng.bounded(size + 1));
            if (rng.bounded(3) == 0 && size > 0) {
                const int32 count = std::min<int32>(int32(rng.bounded(30)), size - at);
                e.core.Replace(at, at + count, nullptr, 0);
            } else {
                const std::string piece = words[rng.bounded(8)];
                e.core.Replace(at, at, piece.data(), int32(piece.size()));
            }
            Engine fresh(e.Text(), 180, wrap);
            if (e.Starts() != fresh.Starts())
                QFAIL(qPrintable(QString("layout differs after edit %1").arg(round)));
        }
    }
    void wrapRules() {
        // A word that does not fit goes to the next line whole; a word longer than the line is cut.
        Engine narrow("", 200, true);
        const int32 charWidth = TestFont().TextWidth("x");
        const int32 perLine = (200 - 10) / charWidth;
        std::string word(size_t(perLine - 2), 'a');
        narrow.Reset(word + " bbbb cc");
        QCOMPARE(narrow.core.GetNumLines(), 2);
        QCOMPARE(narrow.core.GetLineOffset(1), int32(word.size()) + 1);
        narrow.Reset(std::string(size_t(perLine * 2 + 3), 'q'));
        QCOMPARE(narrow.core.GetNumLines(), 3);
        QCOMPARE(narrow.core.GetLineLength(0), perLine);
        // Trailing blanks never push a line over: they stay on it.
        const std::string spaces = word + "          x";
        narrow.Reset(spaces);
        QCOMPARE(narrow.core.GetNumLines(), 2);
        QCOMPARE(narrow.core.GetLineOffset(1), int32(spaces.size()) - 1);
        // However narrow the area, every line keeps at least one character.
        Engine tiny("abcdefgh", 1, true);
        QVERIFY(tiny.core.GetNumLines() >= 2);
        for (int32 line = 0; line < tiny.core.GetNumLines(); ++line)
            QVERIFY(tiny.core.GetLineLength(line) >= 1);
    }
    void hitTestRoundTrip() {
        Engine e("a\tbc d\nxyz");
        for (int32 offset = 0; offset <= 6; ++offset) {
            const int32 pixel = e.core.FindPixel(offset);
            QCOMPARE(e.core.FindOffset(0, pixel), offset);
        }
        QCOMPARE(e.core.FindOffset(0, 100000), 6); // past the end: before the line feed
        QCOMPARE(e.core.FindOffset(1, -5), 7);
        Engine nul(std::string("a\0z", 3)); // a NUL takes room, so the caret shows beside it
        QVERIFY(nul.core.FindPixel(2) > nul.core.FindPixel(1));
    }
    // Keys as letters: l r u d move the caret, L R extend the selection, b is Backspace. Up and
    // down keep the caret's column over a shorter line; any other move forgets it. A byte that is
    // not UTF-8 is one character.
    void keys_data() {
        QTest::addColumn<QByteArray>("text");
        QTest::addColumn<int>("caret");
        QTest::addColumn<QByteArray>("keys");
        QTest::addColumn<QString>("sel");
        QTest::addColumn<QByteArray>("after"); // the text, when the keys change it
        const QByteArray lines("abcdef\nab\nabcdef"), words("hello world");
        const QByteArray odd = QByteArray("a\xC3\xA9\xE9") + '\0' + 'z';
        const auto row = [](const char* name, const QByteArray& text, int caret, const char* keys,
                            const char* sel, const QByteArray& after = {}) {
            QTest::newRow(name) << text << caret << QByteArray(keys) << QString(sel) << after;
        };
        row("down to the end of a short line", lines, 5, "d", "9-9@9");
        row("down again at the remembered column", lines, 5, "dd", "15-15@15");
        row("and back up", lines, 5, "dduu", "5-5@5");
        row("a move sideways forgets the column", lines, 5, "ddruu", "6-6@6");
        row("down on the last line stays", lines, 16, "d", "16-16@16");
        row("shift extends", words, 5, "RR", "5-7@7");
        row("shift back past the anchor", words, 5, "RRLLL", "4-5@4");
        row("an arrow collapses to the end", words, 5, "RRLLLr", "5-5@5");
        row("over both bytes of a UTF-8 character", odd, 1, "r", "3-3@3");
        row("over a byte that is not UTF-8", odd, 1, "rr", "4-4@4");
        row("and back", odd, 1, "rrll", "1-1@1");
        row("backspace takes the whole character", odd, 3, "b", "1-1@1", QByteArray("a\xE9") + '\0' + 'z');
    }
    void keys() {
        QFETCH(QByteArray, text);
        QFETCH(int, caret);
        QFETCH(QByteArray, keys);
        QFETCH(QByteArray, after);
        Engine e(text.toStdString());
        e.core.Select(caret, caret);
        const char* const letters = "lrud";
        const uint16 codes[] = {kXGKey_Left, kXGKey_Right, kXGKey_Up, kXGKey_Down};
        for (char k : keys) {
            if (k == 'b')
                e.core.DoKey(kXGChar_Backspace);
            else
                e.core.DoKey(
                    SpecialKey(codes[std::strchr(letters, std::tolower(k)) - letters], std::isupper(k)));
        }
        QTEST(e.Sel(), "sel");
        QCOMPARE(QByteArray::fromStdString(e.Text()), after.isEmpty() ? text : after);
    }
    void mouseSelection() {
        Engine e("one, two_three x9y");
        e.Click(1, kXGEditMouse_DoubleClick);
        QCOMPARE(QString::fromStdString(e.core.GetSelectedText()), QString("one"));
        e.Click(10, kXGEditMouse_DoubleClick);
        QCOMPARE(QString::fromStdString(e.core.GetSelectedText()), QString("three"));
        e.Click(16, kXGEditMouse_DoubleClick);
        QCOMPARE(QString::fromStdString(e.core.GetSelectedText()), QString("x9y"));
        // Dragging after a double click grows by whole words.
        const int16 from = int16(e.core.FindPixel(1) + 3);
        e.core.DoMouseDown(Point{4, from}, kXGEditMouse_DoubleClick);
        e.core.DoMouseMove(Point{4, int16(e.core.FindPixel(6) + 3)}, kXGEditMouse_ButtonDown);
        e.core.DoMouseUp(Point{4, int16(e.core.FindPixel(6) + 3)}, 0);
        QCOMPARE(QString::fromStdString(e.core.GetSelectedText()), QString("one, two"));
        // Shift-click extends from the far end.
        e.core.Select(2, 4);
        e.Click(9, kXGEditMouse_Shift);
        QCOMPARE(e.Sel().left(3), QString("2-9"));
    }
    void autoIndent_data() {
        QTest::addColumn<bool>("autoIndent");
        QTest::addColumn<bool>("wrap");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("expected");
        QTest::newRow("return indents") << true << false << "\n" << QString(" \t ab\n \t ");
        QTest::newRow("other keys do not") << true << false << "x" << QString(" \t abx");
        QTest::newRow("off") << false << false << "\n" << QString(" \t ab\n");
        QTest::newRow("not with word wrap") << true << true << "\n" << QString(" \t ab\n");
    }
    void autoIndent() {
        QFETCH(bool, autoIndent);
        QFETCH(bool, wrap);
        QFETCH(QString, typed);
        QFETCH(QString, expected);
        Engine e(" \t ab", 400, wrap);
        e.core.SetAutoIndent(autoIndent);
        e.core.Select(5, 5);
        const std::string bytes = typed.toStdString();
        e.core.DoInsert(int32(bytes.size()), bytes.data());
        QCOMPARE(QString::fromStdString(e.Text()), expected);
        QCOMPARE(e.core.GetSelStart(), int32(expected.size()));
    }
    void tabStops() {
        Engine e("\tx");
        const int32 space = TestFont().TextWidth(" ");
        QCOMPARE(e.core.FindPixel(1), 8 * space);
        e.core.SetTabStop(4);
        QCOMPARE(e.core.FindPixel(1), 4 * space);
        e.core.SetTabStop(0); // ignored
        QCOMPARE(e.core.GetTabStop(), 4);
        Engine mid("ab\tx");
        mid.core.SetTabStop(4);
        QCOMPARE(mid.core.FindPixel(3), 4 * space); // to the next stop, not a whole tab further
    }
    void fieldEditorAndPassword() {
        Engine e("");
        e.core.SetFieldEditor(true);
        QVERIFY(!e.core.DoKey('\r'));
        QVERIFY(!e.core.DoKey('\t'));
        QVERIFY(e.core.DoKey('a'));
        e.core.DoInsert(5, "b\nc\rd");
        QCOMPARE(e.Text(), std::string("ab c d"));
        QCOMPARE(e.core.GetNumLines(), 1);
        QVERIFY(!e.core.DoKey((uint32(kXGMod_Control) << 16) | 'c'));
        e.core.SetPassword(true);
        e.core.DoSelectAll();
        QVERIFY(!e.core.CanCut());
        QCOMPARE(e.core.FindPixel(2), 2 * TestFont().TextWidth("*"));
    }
    // Scrolling the caret into view: tst_textwindow, through the text view that asks for it.
    void drawingShowsTheText() {
        auto render = [](const std::string& text) {
            Engine e(text, 200);
            QImage image(200, 60, QImage::Format_ARGB32_Premultiplied);
            image.fill(Qt::white);
            {
                XGDraw draw(&image);
                e.core.DoDraw(draw, tagRECT{0, 0, 200, 60});
            }
            return image;
        };
        QVERIFY(render("abc\ndef") != render("xyz\nuvw"));
        QVERIFY(render("abc") != render(""));
    }
    // Escape and a click elsewhere on a board's item: tst_boardview.
    void inlineEditorCloses() {
        OwnerView owner;
        auto* editor = new XGInlineEdit(&owner, tagRECT{2, 2, 120, 22}, TestFont(), "old name", false, 7);
        owner.editor = editor;
        QCOMPARE(QString::fromStdString(editor->GetEditCore()->GetSelectedText()), QString("old name"));
        QVERIFY(editor->IsFocus());
        // Typing replaces the selected text.
        QCOMPARE(XGDispatch::SendDispatch('keye', 'n', nullptr), kDispatchHandled);
        QCOMPARE(XGDispatch::SendDispatch('keye', 'u', nullptr), kDispatchHandled);
        QCOMPARE(XGDispatch::SendDispatch('keye', '\r', nullptr), kDispatchHandled);
        QCOMPARE(owner.closes.size(), size_t(1));
        QCOMPARE(owner.closes[0].first, 7);
        QCOMPARE(owner.closes[0].second, int(kXGInline_Accepted));
        QCOMPARE(QString::fromStdString(owner.text), QString("nu"));
        // Losing the focus afterwards does not close it a second time.
        owner.SetFocus();
        QCOMPARE(owner.closes.size(), size_t(1));
        delete editor;
        // Losing the focus closes an open editor.
        auto* second = new XGInlineEdit(&owner, tagRECT{2, 2, 120, 22}, TestFont(), "x", true, 8);
        owner.editor = second;
        owner.SetFocus();
        QCOMPARE(owner.closes.size(), size_t(2));
        QCOMPARE(owner.closes[1].second, int(kXGInline_Accepted));
        delete second;
    }
};

QTEST_MAIN(TestEditCore)
#include "tst_editcore.moc"
