#include "analysis/CoxAnalysis.h"

namespace kalderon {

Refusal RunCoxAnalysis(const DataSet& data, const CoxSpecification& spec, const std::string& ciLevelText,
                       CoxAnalysis& analysis)
{
    if (Refusal refusal = BuildCoxDesign(data, spec, analysis.design)) return refusal;
    const CoxDesign& design = analysis.design;
    const CoxSample& sample = design.sample;
    analysis.model = FitCoxModel(sample, spec.ties, CoxLimitsZ(ciLevelText));

    analysis.curves.clear();
    const size_t strata = sample.strataEnds.size();
    for (size_t stratum = 0; stratum < strata; ++stratum) {
        const std::string prefix = sample.strataNames.empty() ? std::string() : sample.strataNames[stratum];
        if (design.curvesTerm < 0) {
            analysis.curves.push_back(SurvivalCurve(sample, analysis.model.fit, spec.ties, stratum, design.columnMeans, prefix));
            continue;
        }
        const CoxTerm& term = sample.terms[static_cast<size_t>(design.curvesTerm)];
        const CoxFactorLevels& levels = design.factorLevels[static_cast<size_t>(design.curvesTerm)];
        for (size_t level = 0; level < levels.levels.size(); ++level) {
            std::vector<double> values = design.columnMeans;
            size_t column = term.firstColumn;
            for (size_t other = 0; other < levels.levels.size(); ++other)
                if (other != levels.reference) values[column++] = other == level ? 1.0 : 0.0;
            const std::string name = term.name + "=" + levels.levels[level];
            analysis.curves.push_back(SurvivalCurve(sample, analysis.model.fit, spec.ties, stratum, values,
                                                    prefix.empty() ? name : prefix + " / " + name));
        }
    }
    return std::nullopt;
}

}  // namespace kalderon
