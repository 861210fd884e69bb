#pragma once

#include <string>

#include "analysis/ParameterChoices.h"
#include "import/DataSet.h"
#include "import/TextFileReader.h"
#include "stats/LifeTable.h"
#include "stats/PeriodAnalysis.h"
#include "stats/ProductLimit.h"
#include "stats/Trend.h"
#include "support/GuiTestSupport.h"

namespace kalderon::testing {

// The shipped example data set by its age groups (field 4), event "1",
// yearly intervals, with the analysis of the kind computed (period
// analyses over 1986-1990 with the technique given, trends for n = 5 over
// periods of 5 years).
inline DataSet ExampleAnalysis(AnalysisKind kind, std::int32_t periodTechnique = 0)
{
    TextImportSettings settings;
    settings.useGroup = true;
    settings.groupColumn = 4;
    ReadResult<DataSet> read = ReadTextFile(SourcePath(QStringLiteral("data/examples/rdata.txt")).toStdString(), settings);
    if (!read) qFatal("cannot read the example data: %s", ReaderFaultMessage(read.fault()).c_str());
    DataSet data = std::move(*read);
    ApplyParameterChoices(data.analysis, ParameterChoices{"1", 0, ".95"});
    Refusal refusal = "no example of this kind";
    switch (kind) {
    case kLifeTable: refusal = ComputeLifeTable(data.analysis, data.cases, true); break;
    case kProductLimit: refusal = ComputeProductLimit(data.analysis, data.cases, true); break;
    case kPeriodAnalysis:
        data.analysis.periodBegin = DateValue::FromYmd(1986, 1, 1);
        data.analysis.periodEnd = DateValue::FromYmd(1990, 12, 31);
        data.analysis.PrepareTimeWindow();
        data.analysis.periodTechnique = periodTechnique;
        refusal = ComputePeriodAnalysis(data.analysis, data.cases, true);
        break;
    case kTrend:
        data.analysis.survivalYears = 5;
        data.analysis.periodWidth = 5;
        refusal = ComputeTrend(data.analysis, data.cases, true);
        break;
    default: break;
    }
    if (refusal) qFatal("the example analysis %d did not compute: %s", kind, refusal->c_str());
    data.analysis.title = "rdata.txt";  // as a data window names its record
    return data;
}

}  // namespace kalderon::testing
