#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <vector>

namespace kalderon {

// A term of a Cox model: one covariate, taking one column of the design
// (a number) or one column per level but the reference (a factor).
struct CoxTerm {
    std::string name;
    size_t firstColumn = 0;
    size_t columns = 1;
    bool factor = false;
};

// The cases a Cox model is fitted to, sorted by stratum and, within it, by
// observation time: per case its time, whether it ended in the event and
// its row of the design matrix.
struct CoxSample {
    std::vector<CoxTerm> terms;
    std::vector<std::string> columnNames;  // per design column: "age", "sex=2"
    std::vector<std::string> strataNames;  // empty without strata
    std::vector<size_t> strataEnds;        // per stratum: one past its last case
    std::vector<std::int32_t> time;
    std::vector<std::uint8_t> event;
    std::vector<double> x;                 // row-major, one row of columns() values a case

    size_t size() const { return time.size(); }
    size_t columns() const { return columnNames.size(); }
    const double* row(size_t i) const { return x.data() + i * columns(); }
    size_t StratumBegin(size_t s) const { return s == 0 ? 0 : strataEnds[s - 1]; }
};

// Collects the cases in any order and sorts them once.
class CoxSampleBuilder {
public:
    CoxSampleBuilder(std::vector<CoxTerm> terms, std::vector<std::string> columnNames,
                     std::vector<std::string> strataNames);
    void Reserve(size_t cases);
    void Add(std::int32_t stratum, std::int32_t time, bool event, std::span<const double> row);
    CoxSample Finish();

private:
    CoxSample sample_;
    std::vector<std::uint64_t> keys_;  // stratum, time
    std::vector<double> rows_;
    std::vector<std::uint8_t> events_;
};

}  // namespace kalderon
