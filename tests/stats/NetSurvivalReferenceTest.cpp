#include <gtest/gtest.h>

#include <fstream>
#include <map>
#include <sstream>

#include "import/DataSet.h"
#include "import/PopulationTableLoader.h"
#include "import/TextFileReader.h"
#include "stats/NetSurvivalCases.h"

namespace kalderon {
namespace {

// example -> age group ("all", "15", "45", ...) -> net survival at 1..10 years.
using Reference = std::map<std::string, std::map<std::string, std::map<int, double>>>;

Reference ReadReference()
{
    Reference reference;
    std::ifstream in(std::string(KALDERON_SOURCE_DIR) + "/tests/data/netsurv/reference.txt");
    std::string example, group;
    int years = 0;
    double value = 0.0;
    while (in >> example >> group >> years >> value) reference[example][group][years] = value;
    return reference;
}

NetSurvivalCurve Curve(const std::vector<NetSurvivalCase>& cases, const AnnualSurvivalGrid& grid)
{
    return ComputeNetSurvivalCurve(cases, grid);
}

// relsurv weighs the expected hazard of a day with the mean of the weights at
// its begin and at its end, the program with the weights at its end; over ten
// years that parts them by less than 4e-5.
constexpr double kTolerance = 1e-4;

std::int32_t YearsInDays(int years) { return static_cast<std::int32_t>(years * 365.25); }

// Runs the comparison on both examples; `ageGroups` adds the ICSS age groups.
void CompareWithReference(bool ageGroups)
{
    const Reference reference = ReadReference();
    ASSERT_EQ(reference.size(), 2u);
    for (const std::string example : {"rdata", "colrec"}) {
        SCOPED_TRACE(example);
        DataSet dataSet;
        TextImportSettings settings;
        settings.useGroup = settings.useSex = settings.useBirth = true;
        ReadResult<DataSet> read =
            ReadTextFile(std::string(KALDERON_SOURCE_DIR) + "/data/examples/" + example + ".txt", settings);
        ASSERT_TRUE(read.ok()) << ReaderFaultMessage(read.fault());
        dataSet = std::move(*read);
        CAnalysisData& data = dataSet.analysis;
        data.eventCode = "1";
        data.sexCodeFirst = "1";
        ReadResult<std::vector<CPopulationYearTable>> tables =
            LoadPopulationTable(std::string(KALDERON_SOURCE_DIR) + "/data/LifeTables.mdb", "Slovenia 1930-2020");
        ASSERT_TRUE(tables.ok()) << ReaderFaultMessage(tables.fault());
        data.populationTables = std::move(*tables);
        const AnnualSurvivalGrid grid(data.populationTables);
        const std::vector<NetSurvivalCase> cases = CohortNetSurvivalCases(data, dataSet.cases, false)[0];
        const auto& expected = reference.at(example);

        const NetSurvivalCurve all = Curve(cases, grid);
        for (int years = 1; years <= 10; ++years)
            EXPECT_NEAR(all.SurvivalAt(YearsInDays(years)), expected.at("all").at(years), kTolerance) << years;

        if (!ageGroups) continue;
        const CasesByAgeGroup split = SplitByIcssAgeGroup(cases);
        const char* labels[] = {"15", "45", "55", "65", "75"};
        std::array<NetSurvivalCurve, kIcssAgeGroups> curves;
        for (int g = 0; g < kIcssAgeGroups; ++g) {
            curves[g] = Curve(split.groups[g], grid);
            const auto found = expected.find(labels[g]);
            ASSERT_EQ(found != expected.end(), !split.groups[g].empty()) << labels[g];
            if (found == expected.end()) continue;
            for (int years = 1; years <= 10; ++years)
                EXPECT_NEAR(curves[g].SurvivalAt(YearsInDays(years)), found->second.at(years), kTolerance)
                    << labels[g] << " " << years;
        }

        // The standardised values are the weighted sums of the age groups'.
        for (int standard = kIcss1; standard <= kIcss3; ++standard)
            for (int years = 1; years <= 10; ++years) {
                std::array<AgeGroupEstimate, kIcssAgeGroups> estimates;
                double weighted = 0.0;
                for (int g = 0; g < kIcssAgeGroups; ++g) {
                    const std::int32_t day = YearsInDays(years);
                    estimates[g] = {!split.groups[g].empty(), curves[g].SurvivalAt(day),
                                    curves[g].StandardErrorAt(day)};
                    if (estimates[g].available) weighted += WeightsOfIcss(standard)[g] * expected.at(labels[g]).at(years);
                }
                const AgeGroupEstimate standardised = StandardiseOverAgeGroups(estimates, WeightsOfIcss(standard));
                EXPECT_EQ(standardised.available, expected.size() == 6u);
                if (standardised.available) {
                    EXPECT_NEAR(standardised.value, weighted, kTolerance) << standard << " " << years;
                }
            }
    }
}

TEST(NetSurvivalReferenceTest, AsRelsurvOnTheShippedExamplesWithTheSlovenianTable) { CompareWithReference(false); }

TEST(NetSurvivalReferenceTest, AgeGroupsAsRelsurv) { CompareWithReference(true); }

}  // namespace
}  // namespace kalderon
