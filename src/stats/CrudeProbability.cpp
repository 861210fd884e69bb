#include "stats/CrudeProbability.h"

#include <cmath>

#include "resources/Texts.h"

namespace kalderon {
namespace {

// The delta method's running terms of one interval j: the derivatives of
// both cumulative sums by p_j, kept as S_{j-1} times a sum that grows by
// (product of the p after j) times each later interval's contribution.
struct IntervalTerms {
    double survivalBefore = 1.0;  // S_{j-1}
    double variance = 0.0;        // of p_j
    double productSince = 1.0;    // product of p_m for j < m < the current interval
    double diseaseSum = 0.0;
    double otherSum = 0.0;
};

CrudeProbabilityGroup CrudeProbabilitiesOf(const CGroupResult& group)
{
    CrudeProbabilityGroup result{GroupName(group.info), {}};
    const std::vector<CIntervalResult>& rows = group.intervalTable.rows;
    std::vector<IntervalTerms> terms;
    double survival = 1.0;
    double expectedBefore = 1.0;
    double disease = 0.0;
    double other = 0.0;
    for (size_t k = 0; k < group.countsAll.size() && k < rows.size(); ++k) {
        if (group.countsAll[k].entered < 1) break;
        const CIntervalResult& row = rows[k];
        const double p = row.intervalSurvival;
        const double expectedP = row.expectedSurvival / expectedBefore;
        expectedBefore = row.expectedSurvival;
        const double relativeP = p / expectedP;
        const double diseaseShare = (1.0 - relativeP) * (1.0 - 0.5 * (1.0 - expectedP));
        const double otherShare = (1.0 - expectedP) * (1.0 - 0.5 * (1.0 - relativeP));

        for (IntervalTerms& t : terms) {
            t.diseaseSum += t.productSince * diseaseShare;
            t.otherSum += t.productSince * otherShare;
            t.productSince *= p;
        }
        IntervalTerms own;
        own.survivalBefore = survival;
        own.variance = p * (1.0 - p) / row.exposedToRisk;
        own.diseaseSum = -(1.0 - 0.5 * (1.0 - expectedP)) / expectedP;
        own.otherSum = (1.0 - expectedP) / (2.0 * expectedP);
        terms.push_back(own);

        disease += survival * diseaseShare;
        other += survival * otherShare;
        survival *= p;

        double diseaseVariance = 0.0;
        double otherVariance = 0.0;
        for (const IntervalTerms& t : terms) {
            const double dDisease = t.survivalBefore * t.diseaseSum;
            const double dOther = t.survivalBefore * t.otherSum;
            diseaseVariance += dDisease * dDisease * t.variance;
            otherVariance += dOther * dOther * t.variance;
        }
        result.rows.push_back({row.intervalNumber, disease, std::sqrt(diseaseVariance), other,
                               std::sqrt(otherVariance), 1.0 - row.cumulativeSurvival});
    }
    return result;
}

}  // namespace

Refusal CrudeProbabilityRefusal(AnalysisKind kind, const CAnalysisData& data)
{
    if (kind != kLifeTable || !data.relativeSurvival || data.SurvivalMethod() != ExpectedSurvivalMethod::kEdererII)
        return text::kCrudeNeedsEdererII;
    return std::nullopt;
}

std::vector<CrudeProbabilityGroup> ComputeCrudeProbabilities(const CAnalysisData& data)
{
    std::vector<CrudeProbabilityGroup> groups;
    for (const CGroupResult& group : data.groupResults)
        if (group.info.recordsRead > 0) groups.push_back(CrudeProbabilitiesOf(group));
    return groups;
}

}  // namespace kalderon
