#include <algorithm>

#include "analysis/CoxDesign.h"
#include "common/TextFormat.h"
#include "resources/Texts.h"
#include "stats/DataColumns.h"

namespace kalderon {

Refusal SetCurveValues(const CoxModelChoice& choice, CoxDesign& design)
{
    design.curveRow = design.columnMeans;
    design.curveValues.clear();
    const std::vector<CoxTerm>& terms = design.sample.terms;
    for (const std::string& given : choice.curveValues) {
        const size_t equals = given.find('=');
        const std::string name = given.substr(0, equals);
        const auto it = std::find(choice.covariates.begin(), choice.covariates.end(), name);
        if (equals == std::string::npos || it == choice.covariates.end())
            return FormatText(text::kCoxBadCurveValue, given);
        const auto index = static_cast<size_t>(it - choice.covariates.begin());
        if (static_cast<int>(index) == design.curvesTerm) return FormatText(text::kCoxCurveValueOfCurvesBy, name);
        const CoxTerm& term = terms[index];
        const std::string value = given.substr(equals + 1);
        if (!term.factor) {
            const std::optional<double> number = ReadNumber(value);
            if (!number) return FormatText(text::kCoxCurveValueNotNumber, given);
            design.curveRow[term.firstColumn] = *number;
        } else {
            const CoxFactorLevels& levels = design.factorLevels[index];
            const auto at = std::find(levels.levels.begin(), levels.levels.end(), value);
            if (at == levels.levels.end()) return FormatText(text::kCoxNoSuchLevel, name, value);
            const auto level = static_cast<size_t>(at - levels.levels.begin());
            size_t column = term.firstColumn;
            for (size_t other = 0; other < levels.levels.size(); ++other)
                if (other != levels.reference) design.curveRow[column++] = other == level ? 1.0 : 0.0;
        }
        design.curveValues.emplace_back(term.name, value);
    }
    return std::nullopt;
}

}  // namespace kalderon
