// The tag tokenizer and character reference decoding.

#include "XGSGMLEscapes.h"
#include "XGXMLParser.h"

#include <QtTest>

#include <string>
#include <vector>

using namespace yaaf;

namespace {

const XGToken kTable[] = {{"xml", 1}, {"keypair", 2}, {"item", 3}, {"items", 4}, {nullptr, -1}};

// A parser over a document of its own.
struct Parsed {
    explicit Parsed(std::string text) : doc(std::move(text)), source(doc) {
        parser.InitXMLParser(kTable, &source);
    }
    std::string doc;
    XGXMLMemorySource source;
    XGXMLParser parser;
};

// Every token of a document, written as text: ids as numbers, "T:text", "E" (end), "EOF", "ERR"
// (an error that stays for the next call too, as it must).
QStringList Tokens(const std::string& doc, bool skip) {
    Parsed p(doc);
    XGXMLParser& parser = p.parser;
    parser.fSkip = skip;
    QStringList out;
    for (int guard = 0; guard < 1000; ++guard) {
        const int16 t = parser.GetNextToken();
        if (t > 0)
            out << QString::number(t);
        else if (t == kXMLToken_Text)
            out << "T:" + QString::fromLatin1(parser.GetTokenValue());
        else if (t == kXMLToken_End)
            out << "E";
        else if (t == kXMLToken_EOF) {
            out << "EOF";
            break;
        } else {
            out << (parser.GetNextToken() == kXMLToken_Error ? "ERR" : "ERR, then more");
            break;
        }
    }
    return out;
}

} // namespace

class TestXMLParser : public QObject {
    Q_OBJECT

private slots:
    void escapes_data() {
        QTest::addColumn<QByteArray>("in");
        QTest::addColumn<QByteArray>("out");
        QTest::newRow("amp") << QByteArray("a&amp;b") << QByteArray("a&b");
        QTest::newRow("decimal") << QByteArray("&#65;") << QByteArray("A");
        QTest::newRow("hex lower") << QByteArray("&#x41;") << QByteArray("A");
        QTest::newRow("unknown name disappears") << QByteArray("x&bogus;y") << QByteArray("xy");
        QTest::newRow("markup four") << QByteArray("&lt;&gt;&quot;&amp;") << QByteArray("<>\"&");
        QTest::newRow("latin1 first") << QByteArray("&nbsp;") << QByteArray("\xA0");
        QTest::newRow("case matters") << QByteArray("&Eacute;&eacute;&EACUTE;") << QByteArray("\xC9\xE9");
        QTest::newRow("low 8 bits") << QByteArray("&#321;") << QByteArray("A"); // 0x141
        QTest::newRow("code zero dropped") << QByteArray("a&#0;b&#256;c") << QByteArray("abc");
        QTest::newRow("no semicolon at end") << QByteArray("x&amp") << QByteArray("x&");
        QTest::newRow("stray ampersand kept") << QByteArray("AT&T rocks") << QByteArray("AT&T rocks");
        QTest::newRow("lone ampersand") << QByteArray("a & b") << QByteArray("a & b");
        QTest::newRow("empty reference dropped") << QByteArray("a&;b") << QByteArray("ab");
        QTest::newRow("bad numeric") << QByteArray("&#x;&#12a;") << QByteArray("");
        QTest::newRow("too long stays text") << QByteArray("&abcdefghijklmnopqrstuvwxyzabcdefgh;")
                                             << QByteArray("&abcdefghijklmnopqrstuvwxyzabcdefgh;");
    }
    void escapes() {
        QFETCH(QByteArray, in);
        QFETCH(QByteArray, out);
        const std::string result = ConvertSGMLEscapes(in.toStdString());
        QCOMPARE(QByteArray::fromStdString(result), out);
    }
    void escapeOutputIsBounded() {
        char out[4];
        QCOMPARE(ConvertSGMLEscapes(out, "abcdef", sizeof out), size_t(3));
        QCOMPARE(QByteArray(out), QByteArray("abc"));
        QCOMPARE(ConvertSGMLEscapes(out, nullptr, sizeof out), size_t(0));
        QCOMPARE(out[0], '\0');
    }

    void tokens_data() {
        QTest::addColumn<QByteArray>("doc");
        QTest::addColumn<bool>("skip");
        QTest::addColumn<QStringList>("expected");
        auto row = [](const char* name, const char* doc, const QStringList& expected, bool skip = false) {
            QTest::newRow(name) << QByteArray(doc) << skip << expected;
        };
        row("empty", "", {"EOF"});
        row("element with text", "<xml>hi &amp; bye</xml>", {"1", "T:hi & bye", "E", "EOF"});
        row("self-closing", "<xml><keypair key=\"a\" value=\"1\"/></xml>", {"1", "2", "E", "E", "EOF"});
        row("declaration and comment skipped", "<?xml version=\"1.0\"?><!-- a > b, don't --><xml/>",
            {"1", "E", "EOF"});
        row("white space kept", "<xml>\n <item/>\n</xml>", {"1", "T:\n ", "3", "E", "T:\n", "E", "EOF"});
        row("white space skipped", "<xml>\n <item/>\n</xml>\n", {"1", "3", "E", "E", "EOF"}, true);
        row("prefix name is not the longer one", "<items><item/></items>", {"4", "3", "E", "E", "EOF"});
        row("closing tag mismatch", "<xml><item></xml>", {"1", "3", "ERR"});
        row("closing tag with empty stack", "</xml>", {"ERR"});
        row("unknown element", "<html><xml/>", {"ERR"});
        row("case matters", "<XML>", {"ERR"});
        row("empty tag", "<>", {"ERR"});
        row("end inside tag", "<xml><keypair key=\"a", {"1", "ERR"});
        row("quoted >", "<xml><keypair key=\"a>b\"/></xml>", {"1", "2", "E", "E", "EOF"});
        row("unterminated quote", "<xml><keypair key=\"a' value=1/>", {"1", "ERR"});
        row("missing =", "<xml><keypair key \"a\"/>", {"1", "ERR"});
        row("unclosed element at end", "<xml>", {"1", "EOF"});
    }
    void tokens() {
        QFETCH(QByteArray, doc);
        QFETCH(bool, skip);
        QFETCH(QStringList, expected);
        QCOMPARE(Tokens(doc.toStdString(), skip), expected);
    }
    void attributes() {
        Parsed p(
            "<keypair key = 'k&amp;1' value=plain other=\"&#65;&#x42;&bogus;\" key=\"second\" empty=\"\"/>");
        XGXMLParser& parser = p.parser;
        QCOMPARE(parser.GetNextToken(), int16(2));
        QCOMPARE(QByteArray(parser.GetTokenValue()), QByteArray("keypair"));
        QCOMPARE(QByteArray(parser.GetArgValue("key")), QByteArray("k&1")); // the first of two
        QCOMPARE(QByteArray(parser.GetArgValue("value")), QByteArray("plain"));
        QCOMPARE(QByteArray(parser.GetArgValue("other")), QByteArray("AB"));
        QCOMPARE(QByteArray(parser.GetArgValue("empty")), QByteArray(""));
        QVERIFY(parser.GetArgValue("Key") == nullptr);
        QVERIFY(parser.GetArgValue("ke") == nullptr);
        QCOMPARE(parser.GetNextToken(), kXMLToken_End);
        QVERIFY(parser.GetArgValue("key") == nullptr); // the end token has no attributes
    }
    void lineCounting() {
        // CR, LF, CR LF and LF CR each end one line.
        Parsed p("a\rb\nc\r\nd\n\re\n\nf<xml>");
        XGXMLParser& parser = p.parser;
        QCOMPARE(parser.GetNextToken(), kXMLToken_Text);
        QCOMPARE(parser.GetLine(), 7);
    }
    void skipToClose() {
        Parsed p("<xml><items><item>t<item/></item></items><keypair/></xml>");
        XGXMLParser& parser = p.parser;
        QCOMPARE(parser.GetNextToken(), int16(1));
        QCOMPARE(parser.SkipToClose(false), kXMLToken_End); // the whole "items" element
        QCOMPARE(parser.GetNextToken(), int16(2));
        QCOMPARE(parser.GetNextToken(), kXMLToken_End);
        QCOMPARE(parser.SkipToClose(true), kXMLToken_End); // the rest of "xml"
        QCOMPARE(parser.GetNextToken(), kXMLToken_EOF);

        const std::string cut = "<xml><items><item>";
        XGXMLMemorySource cutSource(cut);
        parser.InitXMLParser(kTable, &cutSource);
        QCOMPARE(parser.GetNextToken(), int16(1));
        QCOMPARE(parser.SkipToClose(true), kXMLToken_EOF);
    }
    void readsAcrossBufferBoundaries() {
        // Tags and text longer than the 256-byte read buffer.
        std::string longValue(1000, 'v');
        std::string longText(700, 't');
        Parsed p("<xml><keypair value=\"" + longValue + "\"/>" + longText + "</xml>");
        XGXMLParser& parser = p.parser;
        QCOMPARE(parser.GetNextToken(), int16(1));
        QCOMPARE(parser.GetNextToken(), int16(2));
        QCOMPARE(std::string(parser.GetArgValue("value")), longValue);
        QCOMPARE(parser.GetNextToken(), kXMLToken_End);
        QCOMPARE(parser.GetNextToken(), kXMLToken_Text);
        QCOMPARE(std::string(parser.GetTokenValue()), longText);
        QCOMPARE(parser.GetNextToken(), kXMLToken_End);
        QCOMPARE(parser.GetNextToken(), kXMLToken_EOF);
    }
    void deepNestingIsRefused() {
        std::string doc;
        for (size_t i = 0; i < XGXMLParser::kMaxDepth + 10; ++i)
            doc += "<item>";
        XGXMLMemorySource source(doc);
        XGXMLParser parser;
        parser.InitXMLParser(kTable, &source);
        int16 t = 0;
        size_t starts = 0;
        while ((t = parser.GetNextToken()) == 3)
            ++starts;
        QCOMPARE(t, kXMLToken_Error);
        QCOMPARE(starts, XGXMLParser::kMaxDepth);

        // An endless tag is refused instead of growing without bound.
        std::string huge = "<xml " + std::string(XGXMLParser::kMaxTagLength + 10, 'a');
        XGXMLMemorySource hugeSource(huge);
        parser.InitXMLParser(kTable, &hugeSource);
        QCOMPARE(parser.GetNextToken(), kXMLToken_Error);
    }
};

QTEST_APPLESS_MAIN(TestXMLParser)
#include "tst_xmlparser.moc"
