#include "stats/AgeStandardisation.h"

#include <cmath>

namespace kalderon {

const IcssWeights& WeightsOfIcss(std::int32_t standard)
{
    static const IcssWeights kWeights[] = {
        {0.0, 0.0, 0.0, 0.0, 0.0},
        {0.07, 0.12, 0.23, 0.29, 0.29},
        {0.28, 0.17, 0.21, 0.20, 0.14},
        {0.60, 0.10, 0.10, 0.10, 0.10},
    };
    return kWeights[standard >= kIcss1 && standard <= kIcss3 ? standard : 0];
}

int IcssAgeGroup(int completedAge)
{
    if (completedAge < 15) return -1;
    if (completedAge < 45) return 0;
    if (completedAge < 55) return 1;
    if (completedAge < 65) return 2;
    if (completedAge < 75) return 3;
    return 4;
}

AgeGroupEstimate StandardiseOverAgeGroups(const std::array<AgeGroupEstimate, kIcssAgeGroups>& groups,
                                          const IcssWeights& weights)
{
    AgeGroupEstimate result;
    double squares = 0.0;
    for (int k = 0; k < kIcssAgeGroups; ++k) {
        if (!groups[k].available) return {};
        result.value += weights[k] * groups[k].value;
        squares += weights[k] * weights[k] * groups[k].standardError * groups[k].standardError;
    }
    result.available = true;
    result.standardError = std::sqrt(squares);
    return result;
}

}  // namespace kalderon
