#include <gtest/gtest.h>

#include "charts/ChartFile.h"
#include "charts/LifeTableChart.h"
#include "import/TextFileCheck.h"
#include "support/TempDir.h"

namespace kalderon {
namespace {

using testing::TempDir;

TextFileKind KindOf(const std::string& bytes)
{
    TextContentScanner scanner;
    scanner.Feed(bytes);
    return scanner.Result().kind;
}

TEST(TextFileCheckTest, TextInEitherEncodingIsText)
{
    EXPECT_EQ(KindOf("01.01.2000;31.12.2004;1\r\n02.02.2001;30.06.2003;0\n"), TextFileKind::kText);
    EXPECT_EQ(KindOf("1\tM\xc3\xbcller\f\n"), TextFileKind::kText);         // UTF-8 ü, tab, form feed
    EXPECT_EQ(KindOf("M\xfcller;\x80;\x9f\x1a"), TextFileKind::kText);      // Windows-1252 and a DOS end mark
    EXPECT_EQ(KindOf("   \n"), TextFileKind::kText);                         // blanks make an (invalid) case
    EXPECT_EQ(KindOf("\xe2\x82\xac 5"), TextFileKind::kText);                // UTF-8 euro sign
}

TEST(TextFileCheckTest, BinaryBytesAreNamed)
{
    EXPECT_EQ(KindOf(std::string("ab\0cd", 5)), TextFileKind::kBinary);
    TextContentScanner scanner;
    scanner.Feed(std::string("x\0", 2));
    EXPECT_EQ(scanner.Result().detail, "zero bytes");
    EXPECT_EQ(KindOf("a\x01" "b"), TextFileKind::kBinary);
    EXPECT_EQ(KindOf("a\x7f"), TextFileKind::kBinary);
    // Not UTF-8, and 0x8D stands for nothing in Windows-1252.
    TextContentScanner undecodable;
    undecodable.Feed("\xe9t\xe9\x8d");
    EXPECT_EQ(undecodable.Result().kind, TextFileKind::kBinary);
    EXPECT_EQ(undecodable.Result().detail, "bytes that are neither UTF-8 nor Windows-1252");
    // The same byte inside valid UTF-8 (U+034D) is text.
    EXPECT_EQ(KindOf("\xcd\x8d"), TextFileKind::kText);
}

TEST(TextFileCheckTest, UtfSequencesSplitAcrossPiecesStayValid)
{
    TextContentScanner scanner;
    scanner.Feed("\xe2\x82");
    scanner.Feed("\xac\x8d");  // U+20AC then a stray continuation byte: not UTF-8 ...
    EXPECT_EQ(scanner.Result().kind, TextFileKind::kBinary);  // ... and 0x8D undefined
    TextContentScanner split;
    split.Feed("\xcd");
    split.Feed("\x8d");
    EXPECT_EQ(split.Result().kind, TextFileKind::kText);
}

TEST(TextFileCheckTest, EmptyFilesAndLineEndsOnly)
{
    EXPECT_EQ(KindOf(""), TextFileKind::kEmpty);
    EXPECT_EQ(KindOf("\n\r\n\n"), TextFileKind::kEmpty);
}

TEST(TextFileCheckTest, FilesOnDisk)
{
    TempDir dir;
    EXPECT_EQ(CheckTextFile(dir.Write("cases.txt", "01.01.2000;31.12.2004;1\n"))->kind, TextFileKind::kText);
    EXPECT_EQ(CheckTextFile(dir.Write("empty.txt", ""))->kind, TextFileKind::kEmpty);

    LifeTableChart chart;
    const std::string chartPath = dir.path("chart.cht");
    ASSERT_TRUE(WriteChartFile(chart, chartPath));
    EXPECT_EQ(CheckTextFile(chartPath)->kind, TextFileKind::kBinary);

    const ReadResult<TextFileCheck> missing = CheckTextFile(dir.path("missing.txt"));
    ASSERT_FALSE(missing.ok());
    EXPECT_EQ(missing.fault().description, "No such file or directory");
    EXPECT_FALSE(CheckTextFile(dir.path("")).ok());  // a folder

    // A zero byte far behind the first block is found too.
    std::string big(3 << 20, 'x');
    big[(3 << 20) - 2] = '\0';
    EXPECT_EQ(CheckTextFile(dir.Write("big.txt", big))->kind, TextFileKind::kBinary);
}

}  // namespace
}  // namespace kalderon
