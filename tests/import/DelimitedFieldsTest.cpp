#include <gtest/gtest.h>

#include <random>
#include <string>

#include "import/DelimitedFields.h"
#include "import/TextFieldNames.h"

namespace kalderon {
namespace {

// The fields of a line as texts, with "!" appended when a quote does not close.
std::vector<std::string> Fields(std::string_view line, char separator = ',', bool quoting = true, size_t limit = 99)
{
    FieldSplitter splitter(separator, quoting);
    std::vector<std::string_view> views;
    const bool closed = splitter.Split(line, views, limit);
    std::vector<std::string> texts(views.begin(), views.end());
    if (!closed) texts.push_back("!");
    return texts;
}

using Texts = std::vector<std::string>;

TEST(DelimitedFieldsTest, QuotedFieldsHoldSeparatorsAndDoubledQuotes)
{
    EXPECT_EQ(Fields(R"(1,"Smith, John",x)"), (Texts{"1", "Smith, John", "x"}));
    EXPECT_EQ(Fields(R"("say ""hi""",b)"), (Texts{R"(say "hi")", "b"}));
    EXPECT_EQ(Fields(R"("""",b)"), (Texts{R"(")", "b"}));
    EXPECT_EQ(Fields(R"("",,"")"), (Texts{"", "", ""}));
    // White space around a quoted field goes; inside it stays.
    EXPECT_EQ(Fields(R"( " a, b " ; 2)", ';'), (Texts{" a, b ", "2"}));
    // Text after the closing quote is kept; a quote inside a bare field is text.
    EXPECT_EQ(Fields(R"("a""b" c,d"e)"), (Texts{R"(a"bc)", R"(d"e)"}));
    // The separator inside quotes of a field beyond the limit does not matter...
    EXPECT_EQ(Fields(R"(1,2,"x,y",3)", ',', true, 2), (Texts{"1", "2"}));
    // ...but a quote that never closes makes the whole line unusable.
    EXPECT_EQ(Fields(R"(1,2,"x,y)", ',', true, 2), (Texts{"1", "2", "!"}));
    EXPECT_EQ(Fields(R"(1,"a""",2)"), (Texts{"1", R"(a")", "2"}));
    EXPECT_EQ(Fields(R"(1,"a"")"), (Texts{"1", "!"}));
    // Tab separators and a trailing separator.
    EXPECT_EQ(Fields("\"a\tb\"\t c \t", '\t'), (Texts{"a\tb", "c"}));
    // Without quoting, quotation marks are text like any other.
    EXPECT_EQ(Fields(R"(1,"a,b",2)", ',', false), (Texts{"1", "\"a", "b\"", "2"}));
    EXPECT_EQ(Fields(R"(1,"a)", ',', false), (Texts{"1", "\"a"}));
}

// The splitting rules walked character by character, with no help from
// where the separators stand: the reference for the splitter.
Texts ReferenceFields(std::string_view line, char separator, bool quoting, size_t limit)
{
    const auto space = [](char c) {
        return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
    };
    const auto trim = [&](std::string_view t) {
        while (!t.empty() && space(t.front())) t.remove_prefix(1);
        while (!t.empty() && space(t.back())) t.remove_suffix(1);
        return std::string(t);
    };
    const auto end = [&](size_t at) {
        while (at < line.size() && line[at] != separator) ++at;
        return at;
    };
    Texts fields;
    for (size_t position = 0; position < line.size();) {
        size_t quote = position;
        while (quoting && quote < line.size() && space(line[quote]) && line[quote] != separator) ++quote;
        if (!quoting || quote == line.size() || line[quote] != '"') {
            if (!quoting && fields.size() == limit) break;
            const size_t stop = end(quote);
            if (fields.size() < limit) fields.push_back(trim(line.substr(position, stop - position)));
            position = stop + 1;
            continue;
        }
        std::string text;
        size_t at = quote + 1;
        for (;; ++at) {
            if (at == line.size()) return fields.push_back("!"), fields;
            if (line[at] != '"') {
                text += line[at];
            } else if (at + 1 < line.size() && line[at + 1] == '"') {
                text += '"';
                ++at;
            } else {
                break;
            }
        }
        const size_t stop = end(at + 1);
        if (fields.size() < limit) fields.push_back(text + trim(line.substr(at + 1, stop - at - 1)));
        position = stop + 1;
    }
    return fields;
}

// Random lines of separators, quotes, white space and letters, short and
// long (the splitter looks at sixteen characters at once), split with and
// without quoting and with limits, give the reference's fields.
TEST(DelimitedFieldsTest, SplitsRandomLinesAsTheRulesSay)
{
    std::mt19937 random(11);
    const std::string alphabet = "ab ,;\t\"\"x";
    size_t wrong = 0;
    for (int i = 0; i < 60'000; ++i) {
        const char separator = ",;\t"[random() % 3];
        std::string line;
        if (i % 2 == 0) {
            line.assign(random() % (i % 10 == 0 ? 200 : 40), ' ');
            for (char& c : line) c = alphabet[random() % alphabet.size()];
        } else {  // fields as files hold them: mostly plain, some quoted, now and then not well formed
            for (int field = random() % 12; field > 0; --field) {
                std::string text(random() % 6, 'a');
                for (char& c : text) c = alphabet[random() % alphabet.size()];
                const bool quoted = random() % 3 == 0;
                line += quoted ? "\"" + text + "\"" : text;
                if (field > 1) line += separator;
            }
        }
        const bool quoting = random() % 4 != 0;
        const size_t limit = random() % 3 == 0 ? 1 + random() % 5 : 99;
        const Texts fields = Fields(line, separator, quoting, limit);
        const Texts expected = ReferenceFields(line, separator, quoting, limit);
        if (fields != expected && ++wrong <= 3)
            ADD_FAILURE() << "line [" << line << "] separator [" << separator << "] quoting " << quoting
                          << " limit " << limit;
    }
    EXPECT_EQ(wrong, 0u);
}

TEST(DelimitedFieldsTest, SpansCoverTheFieldsWhereTheyStand)
{
    // Each span, as "begin-end", runs from the field's first character to the separator after it.
    const auto spans = [](std::string_view line, bool quoting) {
        std::string shown;
        for (const FieldSpan& span : FieldSpans(line, ',', quoting))
            shown += std::to_string(span.begin) + "-" + std::to_string(span.end) + " ";
        return shown;
    };
    EXPECT_EQ(spans(R"(1, "a,""b" ,,x,)", true), "0-1 2-11 12-12 13-14 ");
    EXPECT_EQ(spans(R"(1, "a,""b" ,,x,)", false), "0-1 2-5 6-11 12-12 13-14 ");
    // A quote that does not close takes the rest of the line.
    EXPECT_EQ(spans(R"(1,"a,b)", true), "0-1 2-6 ");
    EXPECT_EQ(spans("", true), "");
    // The splitter's fields lie inside their spans.
    const std::string_view line = R"( 7 ,"x, y" z,, "q" )";
    std::vector<std::string_view> fields;
    FieldSplitter splitter(',', true);
    splitter.Split(line, fields, 99);
    const std::vector<FieldSpan> cut = FieldSpans(line, ',', true);
    ASSERT_EQ(cut.size(), fields.size());
    for (size_t i = 0; i < cut.size(); ++i) {
        const std::string_view span = line.substr(cut[i].begin, cut[i].end - cut[i].begin);
        EXPECT_NE(span.find(fields[i].substr(0, 1)), std::string_view::npos) << i;
    }
}

TEST(DelimitedFieldsTest, SeparatorGuess)
{
    using Lines = std::vector<std::string_view>;
    EXPECT_EQ(GuessSeparator(Lines{"id,date,\"a; b\"", "1,2000-01-01,\"c; d; e\"", "2,2001-01-01,x"}), ',');
    EXPECT_EQ(GuessSeparator(Lines{"01.01.2000;31.12.2004;1;a,b", "01.01.2000;31.12.2004;0;c"}), ';');
    EXPECT_EQ(GuessSeparator(Lines{"a\tb\tc", "1\t2\t3"}), '\t');
    EXPECT_EQ(GuessSeparator(Lines{"a|b", "1|2", "", "3|4"}), '|');
    // Uneven everywhere: the one standing most often.
    EXPECT_EQ(GuessSeparator(Lines{"a,b,c|d", "1,2"}), ',');
    EXPECT_EQ(GuessSeparator(Lines{"abc"}), ';');
    EXPECT_EQ(GuessSeparator(Lines{}), ';');
}

TEST(DelimitedFieldsTest, FieldNamesMadeSingleOutliveTheSplitter)
{
    TextImportSettings settings;
    settings.separator = ",";
    settings.quotedFields = true;
    const TextFieldNames names = FieldNamesOfLine(R"("a ""long"" name",x, ,"b" c)", settings);
    EXPECT_EQ(names.names, (Texts{R"(a "long" name)", "x", "F3", "bc"}));
}

}  // namespace
}  // namespace kalderon
