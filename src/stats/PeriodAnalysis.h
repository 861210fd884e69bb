#pragma once

#include "stats/AnalysisData.h"
#include "stats/CaseList.h"
#include "stats/Refusal.h"

namespace kalderon {

// Period analysis: survival estimated only from the follow-up that falls
// inside the period of interest (periodBegin .. periodEnd), for every group
// (stratified) or all cases together.  Both techniques refuse, like the life
// table, relative survival without a usable population table;
// ComputePeriodAnalysis also refuses net survival where it is not defined.

// Life table technique: counts with follow-up cut the day before the period
// begins and at its end (countsAtPeriodBegin, countsAtPeriodEnd); their
// difference gives the intervalTable rows, which end at the first interval
// nobody enters within the period.
[[nodiscard]] Refusal ComputePeriodLifeTable(CAnalysisData& data, const CaseList& cases, bool stratified);

// Product-limit technique: one time point per valid case whose follow-up
// overlaps the period, with delayed entry (entryDays) for cases that began
// before it.
[[nodiscard]] Refusal ComputePeriodProductLimit(CAnalysisData& data, const CaseList& cases, bool stratified);

// The technique chosen by data.periodTechnique (a PeriodTechnique).
[[nodiscard]] Refusal ComputePeriodAnalysis(CAnalysisData& data, const CaseList& cases, bool stratified);

}  // namespace kalderon
