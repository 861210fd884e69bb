#pragma once

#include "stats/AnalysisData.h"
#include "stats/CaseList.h"

namespace kalderon {

// Period analysis: survival estimated only from the follow-up that falls
// inside the period of interest (periodBegin .. periodEnd), for every group
// (stratified) or all cases together.  Both techniques refuse, like the life
// table, relative survival without a usable population table.

// Life table technique: counts with follow-up cut the day before the period
// begins and at its end (countsAtPeriodBegin, countsAtPeriodEnd); their
// difference gives the intervalTable rows, which end at the first interval
// nobody enters within the period.
bool ComputePeriodLifeTable(CAnalysisData& data, const CaseList& cases, bool stratified);

// Product-limit technique: one time point per valid case whose follow-up
// overlaps the period, with delayed entry (entryDays) for cases that began
// before it.
bool ComputePeriodProductLimit(CAnalysisData& data, const CaseList& cases, bool stratified);

// The technique chosen by data.periodTechnique (a PeriodTechnique).
bool ComputePeriodAnalysis(CAnalysisData& data, const CaseList& cases, bool stratified);

}  // namespace kalderon
