#include "stats/GroupTest.h"

#include <cmath>

#include "stats/ChiSquare.h"
#include "stats/QuadraticForm.h"

namespace kalderon {
namespace {

// Chi-square of observed - expected over the groups that have expected
// events, the first of them left out (its row is the negative sum of the
// others), with a generalised inverse of their variance.
void FormChiSquare(GroupTest& test)
{
    const size_t k = test.groups.size();
    std::vector<size_t> used;
    for (size_t g = 0; g < k; ++g)
        if (test.groups[g].expected > 0.0) used.push_back(g);
    if (used.size() < 2) return;

    const size_t m = used.size() - 1;
    std::vector<double> difference(m);
    std::vector<double> variance(m * m);
    for (size_t i = 0; i < m; ++i) {
        const GroupTestRow& row = test.groups[used[i + 1]];
        difference[i] = row.observed - row.expected;
        for (size_t j = 0; j < m; ++j) variance[i * m + j] = test.variance[used[i + 1] * k + used[j + 1]];
    }
    const QuadraticForm form = GeneralisedQuadraticForm(std::move(variance), difference);
    test.chiSquare = form.value;
    test.degreesOfFreedom = form.rank;
    if (form.rank > 0) test.pValue = ChiSquareUpperTail(form.value, form.rank);
}

}  // namespace

GroupTest ComputeGroupTest(const PooledTimes& times, const std::vector<std::string>& codes, double rho)
{
    const int k = times.groupCount();
    GroupTest test;
    test.rho = rho;
    test.groups.resize(k);
    test.variance.assign(static_cast<size_t>(k) * k, 0.0);

    std::vector<double> risk(k);
    double atRisk = 0.0;
    for (int g = 0; g < k; ++g) {
        test.groups[g].code = codes[g];
        test.groups[g].cases = times.casesInGroup(g);
        risk[g] = times.casesInGroup(g);
        atRisk += risk[g];
    }

    std::vector<double> deaths(k, 0.0);
    std::vector<double> leaving(k, 0.0);
    std::vector<int> touched;
    double pooledSurvival = 1.0;  // just before the current time
    for (size_t i = 0; i < times.size();) {
        const std::int32_t t = times.time(i);
        double died = 0.0;
        for (; i < times.size() && times.time(i) == t; ++i) {
            const int g = times.group(i);
            if (leaving[g] == 0.0) touched.push_back(g);
            leaving[g] += 1.0;
            if (times.died(i)) {
                deaths[g] += 1.0;
                died += 1.0;
            }
        }
        if (died > 0.0) {
            const double weight = rho == 0.0 ? 1.0 : std::pow(pooledSurvival, rho);
            for (const int g : touched) test.groups[g].observed += weight * deaths[g];
            for (int g = 0; g < k; ++g) test.groups[g].expected += weight * died * risk[g] / atRisk;
            if (atRisk > 1.0) {
                const double scale = weight * weight * died * (atRisk - died) / (atRisk * (atRisk - 1.0));
                for (int j = 0; j < k; ++j) {
                    if (risk[j] == 0.0) continue;
                    const double share = scale * risk[j];
                    double* row = &test.variance[static_cast<size_t>(j) * k];
                    row[j] += share;
                    for (int l = 0; l < k; ++l) row[l] -= share * risk[l] / atRisk;
                }
            }
            pooledSurvival *= (atRisk - died) / atRisk;
        }
        for (const int g : touched) {
            risk[g] -= leaving[g];
            atRisk -= leaving[g];
            leaving[g] = deaths[g] = 0.0;
        }
        touched.clear();
    }
    FormChiSquare(test);
    return test;
}

}  // namespace kalderon
