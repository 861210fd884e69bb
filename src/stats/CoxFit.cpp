#include "stats/CoxFit.h"

#include <algorithm>

#include "stats/CoxCholesky.h"
#include "stats/CoxRiskSet.h"

namespace kalderon {
namespace {

// The design as the iteration sees it: (x - mean) * scale.
struct Scaling {
    std::vector<double> mean, scale;
};

Scaling ScaleColumns(const CoxSample& s)
{
    const size_t p = s.columns(), n = s.size();
    Scaling sc{std::vector<double>(p, 0.0), std::vector<double>(p, 1.0)};
    for (size_t j = 0; j < p; ++j) {
        bool zeroOne = true;
        double sum = 0.0;
        for (size_t i = 0; i < n; ++i) {
            const double v = s.row(i)[j];
            sum += v;
            zeroOne = zeroOne && (v == 0.0 || v == 1.0 || v == -1.0);
        }
        if (zeroOne || n == 0) continue;
        const double mean = sum / static_cast<double>(n);
        double deviation = 0.0;
        for (size_t i = 0; i < n; ++i) deviation += std::fabs(s.row(i)[j] - mean);
        sc.mean[j] = mean;
        sc.scale[j] = deviation > 0.0 ? static_cast<double>(n) / deviation : 1.0;
    }
    return sc;
}

struct Sums {
    double loglik = 0.0;
    Eigen::VectorXd u;
    Eigen::MatrixXd imat;  // lower triangle filled, then mirrored
};

// The log partial likelihood, its gradient and its negative second
// derivative at beta, in one walk from the latest time of each stratum
// back, the sums over the risk set growing as it goes.
Sums Accumulate(const CoxSample& s, const Scaling& sc, const Eigen::VectorXd& beta, CoxTies ties)
{
    const size_t p = s.columns();
    Sums out{0.0, Eigen::VectorXd::Zero(p), Eigen::MatrixXd::Zero(p, p)};
    std::vector<double> z(p);
    CoxRiskSet riskSet(p);
    for (size_t stratum = 0; stratum < s.strataEnds.size(); ++stratum) {
        const size_t begin = s.StratumBegin(stratum);
        riskSet.Clear();
        for (size_t i = s.strataEnds[stratum]; i > begin;) {
            const std::int32_t time = s.time[i - 1];
            for (; i > begin && s.time[i - 1] == time; --i) {
                const double* x = s.row(i - 1);
                double eta = 0.0;
                for (size_t j = 0; j < p; ++j) z[j] = (x[j] - sc.mean[j]) * sc.scale[j], eta += beta[j] * z[j];
                // Kept inside [-200, 22], so that a coefficient running away
                // cannot overflow the sums.
                eta = std::clamp(eta, -200.0, 22.0);
                const bool died = s.event[i - 1] != 0;
                riskSet.Add(z.data(), std::exp(eta), died);
                if (died) {
                    out.loglik += eta;
                    for (size_t j = 0; j < p; ++j) out.u[j] += z[j];
                }
            }
            riskSet.CloseTime(ties, out.loglik, out.u.data(), out.imat);
        }
    }
    for (size_t j = 0; j < p; ++j)
        for (size_t m = 0; m < j; ++m) out.imat(m, j) = out.imat(j, m);
    return out;
}

void Unscale(const Scaling& sc, const Eigen::VectorXd& scaledBeta, Eigen::MatrixXd& inverse, CoxFitResult& fit,
             Eigen::VectorXd& u)
{
    const Eigen::Index p = scaledBeta.size();
    fit.coef.resize(p);
    for (Eigen::Index j = 0; j < p; ++j) {
        fit.coef[j] = scaledBeta[j] * sc.scale[j];
        u[j] /= sc.scale[j];
        for (Eigen::Index k = 0; k < p; ++k) inverse(j, k) *= sc.scale[j] * sc.scale[k];
    }
    fit.var = inverse;
}

}  // namespace

CoxFitResult FitCox(const CoxSample& s, CoxTies ties, const CoxControl& control)
{
    const size_t p = s.columns();
    const Scaling sc = ScaleColumns(s);
    CoxFitResult fit;
    fit.means = Eigen::Map<const Eigen::VectorXd>(sc.mean.data(), static_cast<Eigen::Index>(p));

    Eigen::VectorXd beta = Eigen::VectorXd::Zero(p);
    Sums sums = Accumulate(s, sc, beta, ties);
    fit.loglikNull = sums.loglik;
    double loglik = sums.loglik;
    Eigen::MatrixXd imat = sums.imat;
    fit.rank = GeneralisedCholesky(imat, control.tolerChol);
    Eigen::VectorXd step = sums.u;
    GeneralisedCholeskySolve(imat, step);
    fit.scoreTest = sums.u.dot(step);
    Eigen::VectorXd newBeta = beta + step;
    Eigen::VectorXd u = sums.u;

    if (control.iterMax == 0) {
        GeneralisedCholeskyInverse(imat);
        Unscale(sc, beta, imat, fit, u);
        fit.loglik = loglik;
    } else {
        bool halving = false;
        fit.converged = false;
        double newLoglik = loglik;
        for (fit.iterations = 1; fit.iterations <= control.iterMax; ++fit.iterations) {
            sums = Accumulate(s, sc, newBeta, ties);
            newLoglik = sums.loglik;
            u = sums.u;
            imat = sums.imat;
            fit.rank = GeneralisedCholesky(imat, control.tolerChol);
            if (std::fabs(1.0 - loglik / newLoglik) <= control.eps && !halving) {
                fit.converged = true;
                break;
            }
            if (fit.iterations == control.iterMax) break;
            if (newLoglik < loglik) {
                halving = true;
                newBeta = (newBeta + beta) / 2.0;
            } else {
                halving = false;
                loglik = newLoglik;
                step = u;
                GeneralisedCholeskySolve(imat, step);
                beta = newBeta;
                newBeta = newBeta + step;
            }
        }
        fit.iterations = std::min(fit.iterations, control.iterMax);
        fit.loglik = newLoglik;
        GeneralisedCholeskyInverse(imat);
        Unscale(sc, newBeta, imat, fit, u);
    }

    fit.collinear.assign(p, false);
    fit.infinite.assign(p, false);
    const Eigen::VectorXd moving = (u.transpose() * fit.var).cwiseAbs().transpose();
    for (size_t j = 0; j < p; ++j) {
        if (fit.rank < static_cast<int>(p) && fit.var(j, j) == 0.0) fit.collinear[j] = true;
        if (fit.converged && control.iterMax > 1)
            fit.infinite[j] = !std::isfinite(u[j]) ||
                              (moving[j] > control.eps && moving[j] > control.tolerInf * std::fabs(fit.coef[j]));
    }
    fit.linearPredictor.resize(s.size());
    for (size_t i = 0; i < s.size(); ++i) {
        double eta = 0.0;
        for (size_t j = 0; j < p; ++j)
            if (!fit.collinear[j]) eta += fit.coef[j] * (s.row(i)[j] - sc.mean[j]);
        fit.linearPredictor[i] = eta;
    }
    for (size_t j = 0; j < p; ++j)
        if (fit.collinear[j]) fit.coef[j] = std::nan("");
    return fit;
}

}  // namespace kalderon
