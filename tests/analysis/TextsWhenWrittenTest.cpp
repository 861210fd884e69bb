#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <string>
#include <string_view>

#include "analysis/RunAnalysis.h"
#include "stats/GroupComparison.h"
#include "support/RdataWithSlovenianTable.h"

namespace kalderon {
namespace {

struct Written {
    std::string text;
    size_t pieces = 0;
    size_t largestPiece = 0;
};

ExportText::Sink Into(Written& written)
{
    return [&written](std::string_view piece) {
        written.text.append(piece);
        written.pieces += 1;
        written.largestPiece = std::max(written.largestPiece, piece.size());
    };
}

// Texts built while they are written, in pieces as small as one row, are
// byte for byte those built at once: every analysis, with and without
// groups, with the comparison of groups and the age-standardised table
// appended where the analysis has them.
TEST(TextsWhenWrittenTest, AreTheTextsBuiltAtOnceInEveryAnalysis)
{
    setenv("SOURCE_DATE_EPOCH", "1700000000", 1);
    DataSet dataSet;
    ASSERT_NO_FATAL_FAILURE(testing::ReadRdataWithSlovenianTable(dataSet));
    dataSet.analysis.survivalYears = 3;
    dataSet.analysis.periodWidth = 2;
    for (const AnalysisKind analysis : {kLifeTable, kProductLimit, kPeriodAnalysis, kTrend, kSmrSir}) {
        for (const std::int32_t technique : {0, 1}) {
            if (technique == 1 && analysis != kPeriodAnalysis) continue;
            for (const bool stratified : {false, true}) {
                SCOPED_TRACE(::testing::Message() << "analysis " << static_cast<int>(analysis) << " technique "
                                                << technique << " stratified " << stratified);
                CAnalysisData data = dataSet.analysis;
                data.periodTechnique = technique;
                AnalysisRequest request{analysis, stratified, HasGroupComparison(analysis)};
                if (CanStandardise(analysis, technique)) request.standardise = kIcss1;
                const AnalysisOutcome atOnce = RunAnalysis(data, dataSet.cases, request);
                request.textBuilding = TextBuilding::kWhenWritten;
                const AnalysisOutcome whenWritten = RunAnalysis(data, dataSet.cases, request);
                ASSERT_TRUE(atOnce.succeeded() && whenWritten.succeeded()) << atOnce.refusal.value_or("");
                ASSERT_GT(atOnce.report.reportText().size(), 500u);

                for (const size_t pieceBytes : {size_t{1}, size_t{4096}, size_t{1} << 20}) {
                    Written report, exportCrLf, exportLf;
                    whenWritten.report.WriteReport(Into(report), pieceBytes);
                    whenWritten.report.WriteExport(Into(exportCrLf), true, pieceBytes);
                    whenWritten.report.WriteExport(Into(exportLf), false, pieceBytes);
                    EXPECT_EQ(report.text, atOnce.report.reportText());
                    EXPECT_EQ(exportLf.text, atOnce.report.exportText());
                    Written expectedCrLf;
                    atOnce.report.exportParts().Write(Into(expectedCrLf), true);
                    EXPECT_EQ(exportCrLf.text, expectedCrLf.text);
                    if (pieceBytes == 1 && analysis != kSmrSir) {  // SMR rows are not table rows
                        EXPECT_GT(report.pieces, 10u);
                    }
                }
                EXPECT_EQ(whenWritten.report.comparisonExportText(), atOnce.report.comparisonExportText());

                Written whole;
                atOnce.report.WriteReport(Into(whole));
                EXPECT_EQ(whole.text, atOnce.report.reportText());
            }
        }
    }
    unsetenv("SOURCE_DATE_EPOCH");
}

// Pieces stay near the size asked for, so that a report far larger than
// memory could be written.
TEST(TextsWhenWrittenTest, HandsOnPiecesOfAboutTheSizeAskedFor)
{
    setenv("SOURCE_DATE_EPOCH", "1700000000", 1);
    DataSet dataSet;
    ASSERT_NO_FATAL_FAILURE(testing::ReadRdataWithSlovenianTable(dataSet));
    AnalysisRequest request{kProductLimit, true};
    request.textBuilding = TextBuilding::kWhenWritten;
    const AnalysisOutcome outcome = RunAnalysis(dataSet.analysis, dataSet.cases, request);
    ASSERT_TRUE(outcome.succeeded()) << outcome.refusal.value_or("");
    EXPECT_TRUE(outcome.report.reportText().empty());
    EXPECT_TRUE(outcome.report.exportParts().empty());
    Written report, exportText;
    outcome.report.WriteReport(Into(report), 4096);
    outcome.report.WriteExport(Into(exportText), true, 4096);
    ASSERT_GT(report.text.size(), 40000u);
    EXPECT_LT(report.largestPiece, 4096u + 4096u);
    EXPECT_GT(report.pieces, report.text.size() / 8192);
    EXPECT_LT(exportText.largestPiece, 4096u + 4096u);
    EXPECT_GT(exportText.pieces, exportText.text.size() / 8192);
    unsetenv("SOURCE_DATE_EPOCH");
}

}  // namespace
}  // namespace kalderon
