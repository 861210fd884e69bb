#include "stats/CoxModel.h"

#include <cmath>

#include "stats/ChiSquare.h"
#include "stats/CoxCholesky.h"

namespace kalderon {
namespace {

CoxModelTest ChiSquareTest(double chiSquare, int df)
{
    return {chiSquare, df, df > 0 ? ChiSquareUpperTail(std::fmax(chiSquare, 0.0), df) : std::nan("")};
}

// b' V^-1 b over the estimated columns, V solved with the decomposition the
// fit uses.
double WaldStatistic(const CoxFitResult& fit, double toler)
{
    std::vector<Eigen::Index> kept;
    for (size_t j = 0; j < fit.collinear.size(); ++j)
        if (!fit.collinear[j]) kept.push_back(static_cast<Eigen::Index>(j));
    if (kept.empty()) return 0.0;
    Eigen::MatrixXd var = fit.var(kept, kept);
    const Eigen::VectorXd b = fit.coef(kept);
    GeneralisedCholesky(var, toler);
    Eigen::VectorXd solved = b;
    GeneralisedCholeskySolve(var, solved);
    return b.dot(solved);
}

}  // namespace

double CoxLimitsZ(const std::string& ciLevelText) { return ciLevelText == ".99" ? 2.5758293035489004 : 1.959963984540054; }

CoxModel FitCoxModel(const CoxSample& sample, CoxTies ties, double limitsZ, const CoxControl& control)
{
    CoxModel model;
    model.ties = ties;
    model.fit = FitCox(sample, ties, control);
    const CoxFitResult& fit = model.fit;
    model.cases = sample.size();
    for (const std::uint8_t e : sample.event) model.events += e;

    int estimated = 0;
    for (size_t j = 0; j < sample.columns(); ++j) {
        CoxCoefficientRow row;
        row.name = sample.columnNames[j];
        row.collinear = fit.collinear[j];
        row.infinite = fit.infinite[j];
        if (!row.collinear) {
            ++estimated;
            row.coef = fit.coef[j];
            row.hazardRatio = std::exp(row.coef);
            row.standardError = std::sqrt(fit.var(j, j));
            row.z = row.coef / row.standardError;
            row.p = std::erfc(std::fabs(row.z) / std::sqrt(2.0));
            row.lower = std::exp(row.coef - limitsZ * row.standardError);
            row.upper = std::exp(row.coef + limitsZ * row.standardError);
        }
        model.rows.push_back(row);
    }
    model.likelihoodRatio = ChiSquareTest(2.0 * (fit.loglik - fit.loglikNull), estimated);
    model.wald = ChiSquareTest(WaldStatistic(fit, control.tolerChol), estimated);
    model.score = ChiSquareTest(fit.scoreTest, estimated);
    model.concordance = ConcordanceOf(sample, fit.linearPredictor);
    if (estimated > 0) model.proportionalHazards = ProportionalHazardsTests(sample, fit, ties);
    return model;
}

}  // namespace kalderon
