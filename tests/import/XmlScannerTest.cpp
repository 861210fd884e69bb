#include <gtest/gtest.h>

#include <cstring>

#include "import/XmlScanner.h"

using namespace kalderon;

namespace {

// Writes the events as "{name attribute=value ...}", "{/name}" and the text.
struct Recorder : XmlHandler {
    void Start(std::string_view name, const char** attributes) override
    {
        events += "{" + std::string(name);
        for (const char** a = attributes; a[0]; a += 2) events += std::string(" ") + a[0] + "=" + a[1];
        events += "}";
    }
    void End(std::string_view name) override { events += "{/" + std::string(name) + "}"; }
    void Text(std::string_view text) override { events += text; }

    std::string events;
};

// The events of `document` given in pieces that end at `cuts`, or "! what
// is wrong (line n)".
std::string Events(std::string_view document, const std::vector<std::size_t>& cuts)
{
    Recorder recorder;
    XmlScanner scanner(recorder);
    std::size_t from = 0;
    XmlScanStop stop = XmlScanStop::kNeedInput;
    for (std::size_t piece = 0; piece <= cuts.size() && stop == XmlScanStop::kNeedInput; ++piece) {
        const std::size_t to = piece < cuts.size() ? cuts[piece] : document.size();
        const std::span<char> space = scanner.InputSpace(to - from);
        std::memcpy(space.data(), document.data() + from, to - from);
        scanner.Append(to - from);
        from = to;
        if (piece == cuts.size()) scanner.EndInput();
        while ((stop = scanner.Scan()) == XmlScanStop::kPaused) {
        }
    }
    if (stop == XmlScanStop::kDocumentType) return "! document type";
    if (stop == XmlScanStop::kMalformed) return "! " + std::string(scanner.error()) + " (line " + std::to_string(scanner.line()) + ")";
    return recorder.events;
}

// The events of the document whole, and the same for every way of cutting
// it in two and for a byte at a time.
void ExpectEvents(std::string_view document, const std::string& expected)
{
    EXPECT_EQ(Events(document, {}), expected) << document;
    std::vector<std::size_t> everyByte;
    for (std::size_t cut = 1; cut < document.size(); ++cut) {
        EXPECT_EQ(Events(document, {cut}), expected) << document << " cut at " << cut;
        everyByte.push_back(cut);
    }
    EXPECT_EQ(Events(document, everyByte), expected) << document << " byte by byte";
}

}  // namespace

TEST(XmlScanner, GivesTheEventsOfADocumentHoweverItIsCut)
{
    ExpectEvents("<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"yes\"?>\r\n<!-- a - comment -->"
                 "<p:a x=\"1\" y='2\"' q:z=\"&lt;&amp;&gt;&quot;&apos;\"><b/>t&#65;&#x42;&#x20ac;&#x1F600;\xC3\xA9"
                 "<![CDATA[<x>&amp;]]]]>\r\n\r<?target data?>] ]]</p:a >\n<!-- end --><?pi?>",
                 "{a x=1 y=2\" z=<&>\"'}{b}{/b}tAB\xE2\x82\xAC\xF0\x9F\x98\x80\xC3\xA9<x>&amp;]]\n\n] ]]{/a}");
    // Attribute values: white space becomes spaces, references stay what they stand for.
    ExpectEvents("<a v=\"x&#10;y&#9;z\tw\r\nq\rr\ns\" w = 'a&lt;b'\n/>", "{a v=x\ny\tz w q r s w=a<b}{/a}");
    // A byte order mark before the declaration; a name of more than ASCII.
    ExpectEvents("\xEF\xBB\xBF<?xml version='1.0'?><\xC3\xA9t\xC3\xA9>\xE2\x82\xAC</\xC3\xA9t\xC3\xA9>",
                 "{\xC3\xA9t\xC3\xA9}\xE2\x82\xAC{/\xC3\xA9t\xC3\xA9}");
}

TEST(XmlScanner, RefusesMalformedDocumentsHoweverTheyAreCut)
{
    const std::pair<std::string_view, std::string> malformed[] = {
        {"<a><b></a>", "! mismatched tag (line 1)"},
        {"<a>\n<b>\n</a></b>", "! mismatched tag (line 3)"},
        {"<a>", "! no element found (line 1)"},
        {"", "! no element found (line 1)"},
        {"<a><b/>text", "! no element found (line 1)"},
        {"<a", "! unclosed token (line 1)"},
        {"<a x=\"1>", "! unclosed token (line 1)"},
        {"<a><!-- x", "! unclosed token (line 1)"},
        {"<a><![CDATA[x]]</a>", "! unclosed token (line 1)"},
        {"<a>&amp", "! unclosed token (line 1)"},
        {"<a x=\"1\" x=\"2\"/>", "! duplicate attribute (line 1)"},
        {"<a x=\"<\"/>", "! not well-formed (invalid token) (line 1)"},
        {"<a x=1/>", "! not well-formed (invalid token) (line 1)"},
        {"<a x=\"1\"y=\"2\"/>", "! not well-formed (invalid token) (line 1)"},
        {"<a>&foo;</a>", "! undefined entity (line 1)"},
        {"<a>&amp x;</a>", "! not well-formed (invalid token) (line 1)"},
        {"<a>&#;</a>", "! not well-formed (invalid token) (line 1)"},
        {"<a>&#0;</a>", "! reference to invalid character number (line 1)"},
        {"<a>&#xD800;</a>", "! reference to invalid character number (line 1)"},
        {"<a>&#x110000;</a>", "! reference to invalid character number (line 1)"},
        {"<a x='&#99999999999999999999;'/>", "! reference to invalid character number (line 1)"},
        {"<a>]]></a>", "! not well-formed (invalid token) (line 1)"},
        {"<a>\x01</a>", "! not well-formed (invalid token) (line 1)"},
        {"<a>\xC3</a>", "! not well-formed (invalid token) (line 1)"},
        {"<a>\xED\xA0\x80</a>", "! not well-formed (invalid token) (line 1)"},
        {"<a>\xEF\xBF\xBF</a>", "! not well-formed (invalid token) (line 1)"},
        {"<a><!-- x -- y --></a>", "! not well-formed (invalid token) (line 1)"},
        {"<a><!x></a>", "! not well-formed (invalid token) (line 1)"},
        {"<a/><b/>", "! junk after document element (line 1)"},
        {"<a/>x", "! junk after document element (line 1)"},
        {"x<a/>", "! syntax error (line 1)"},
        {"<a/><?xml version=\"1.0\"?>", "! XML or text declaration not at start of entity (line 1)"},
        {" <?xml version=\"1.0\"?><a/>", "! XML or text declaration not at start of entity (line 1)"},
        {"<?xml encoding=\"UTF-8\"?><a/>", "! XML declaration not well-formed (line 1)"},
        {"<?xml version=\"1.0\" encoding=\"ISO-8859-1\"?><a/>", "! unknown encoding (line 1)"},
        {"\xFF\xFE<", "! unknown encoding (line 1)"},
        {"<?xml version=\"1.0\"?>\n<!DOCTYPE a [<!ENTITY b \"c\">]><a>&b;</a>", "! document type"},
    };
    for (const auto& [document, expected] : malformed) ExpectEvents(document, expected);
}
