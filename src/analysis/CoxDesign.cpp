#include "analysis/CoxDesign.h"

#include <algorithm>
#include <cmath>
#include <numeric>
#include <optional>

#include "analysis/CaseField.h"
#include "analysis/CaseGrouping.h"
#include "common/TextFormat.h"
#include "common/TextNumbering.h"
#include "resources/Texts.h"

namespace kalderon {
namespace {

constexpr std::int32_t kMissing = -1;

// A case the model takes: its row of the columns and its record.
struct AnalysedCase {
    std::int32_t row;
    std::int32_t record;
};

// A field's values over the analysed cases: as numbers (NaN where empty or
// unreadable) while it is numeric, else as level numbers (kMissing where
// empty).
struct FieldColumn {
    CaseField field;
    bool factor = false;
    std::vector<double> numbers;
    std::vector<std::int32_t> levelOf;
    TextNumbering levelTexts;
    std::int32_t levelCount = 0;
    CoxFactorLevels levels;
};

// Reads one field for the cases: numbers first; a field with a value that
// is not one, or declared a factor, again as level texts.  A coded column
// is read once per distinct value.
void ReadField(const DataSet& data, const std::vector<AnalysedCase>& rows, bool factor, FieldColumn& out)
{
    const CaseList& cases = data.cases;
    const CaseField& field = out.field;
    const DataColumn* column = field.derived == DerivedField::kNone ? &data.columns[static_cast<size_t>(field.column)] : nullptr;
    std::string buffer;
    auto text = [&](const AnalysedCase& c) -> std::string_view {
        const auto row = static_cast<size_t>(c.row);
        if (column) return row < column->size() ? column->Value(row) : std::string_view();
        return FieldText(data.columns, field, row, cases.records[static_cast<size_t>(c.record)], buffer);
    };
    const bool coded = column && column->IsCoded();

    out.factor = factor;
    if (!factor) {
        out.numbers.resize(rows.size());
        std::vector<double> codeNumber;
        std::vector<std::uint8_t> codeState;  // 0 unread, 1 number, 2 empty, 3 not a number
        if (coded) codeNumber.resize(column->CodeCount()), codeState.resize(column->CodeCount(), 0);
        for (size_t k = 0; k < rows.size(); ++k) {
            std::uint8_t state;
            double number = std::nan("");
            const bool inColumn = coded && static_cast<size_t>(rows[k].row) < column->size();
            const std::uint32_t code = inColumn ? column->Code(static_cast<size_t>(rows[k].row)) : 0;
            if (inColumn && codeState[code] != 0) {
                state = codeState[code], number = codeNumber[code];
            } else {
                const std::string_view value = text(rows[k]);
                const std::optional<double> read = ReadNumber(value);
                state = read ? 1 : value.empty() ? 2 : 3;
                if (read) number = *read;
                if (inColumn) codeState[code] = state, codeNumber[code] = number;
            }
            if (state == 3) {
                out.factor = true;
                break;
            }
            out.numbers[k] = number;
        }
        if (!out.factor) return;
        std::vector<double>().swap(out.numbers);
    }
    out.levelOf.resize(rows.size());
    std::vector<std::int32_t> codeLevel;
    if (coded) codeLevel.assign(column->CodeCount(), -2);
    for (size_t k = 0; k < rows.size(); ++k) {
        const bool inColumn = coded && static_cast<size_t>(rows[k].row) < column->size();
        const std::uint32_t code = inColumn ? column->Code(static_cast<size_t>(rows[k].row)) : 0;
        if (inColumn && codeLevel[code] != -2) {
            out.levelOf[k] = codeLevel[code];
            continue;
        }
        const std::string_view value = text(rows[k]);
        const std::int32_t level = value.empty() ? kMissing : out.levelTexts.Number(value).first;
        out.levelCount = std::max(out.levelCount, level + 1);
        out.levelOf[k] = level;
        if (inColumn) codeLevel[code] = level;
    }
}

bool Complete(const FieldColumn& f, size_t k) { return f.factor ? f.levelOf[k] != kMissing : !std::isnan(f.numbers[k]); }

// Keeps the levels the complete cases have, in the group list's order, and
// renumbers them.
void OrderLevels(FieldColumn& f, const std::vector<std::uint8_t>& complete)
{
    std::vector<std::uint8_t> used(static_cast<size_t>(f.levelCount), 0);
    for (size_t k = 0; k < f.levelOf.size(); ++k)
        if (complete[k]) used[static_cast<size_t>(f.levelOf[k])] = 1;
    std::vector<std::string> texts;
    std::vector<std::int32_t> old;
    for (std::int32_t level = 0; level < f.levelCount; ++level)
        if (used[static_cast<size_t>(level)]) texts.push_back(f.levelTexts.Text(level)), old.push_back(level);
    const std::vector<std::int32_t> rank = RankOfValues(texts);
    std::vector<std::int32_t> renumber(static_cast<size_t>(f.levelCount), kMissing);
    f.levels.levels.assign(texts.size(), {});
    for (size_t i = 0; i < texts.size(); ++i) {
        renumber[static_cast<size_t>(old[i])] = rank[i];
        f.levels.levels[static_cast<size_t>(rank[i])] = texts[i];
    }
    for (std::int32_t& level : f.levelOf)
        if (level != kMissing) level = renumber[static_cast<size_t>(level)];
}

bool Named(const std::vector<std::string>& names, const std::string& name)
{
    return std::find(names.begin(), names.end(), name) != names.end();
}

}  // namespace

Refusal BuildCoxDesign(const DataSet& data, const CoxModelChoice& choice, CoxDesign& design)
{
    design = CoxDesign{};
    if (choice.covariates.empty()) return std::string(text::kCoxNoCovariate);
    std::vector<std::string> all(choice.covariates);
    all.insert(all.end(), choice.strata.begin(), choice.strata.end());
    for (size_t i = 0; i < all.size(); ++i)
        if (std::find(all.begin(), all.begin() + static_cast<std::ptrdiff_t>(i), all[i]) != all.begin() + static_cast<std::ptrdiff_t>(i))
            return FormatText(text::kCoxFieldTwice, all[i]);
    for (const std::string& factor : choice.factors)
        if (!Named(choice.covariates, factor)) return FormatText(text::kCoxNotACovariate, factor);

    std::vector<FieldColumn> fields(all.size());
    for (size_t i = 0; i < all.size(); ++i)
        if (Refusal refusal = FindCaseField(data.columns, data.hasBirthColumn, all[i], fields[i].field)) return refusal;

    // In the order of the records, which are read whole, the columns only
    // at their rows.
    const CaseList& cases = data.cases;
    std::vector<std::int32_t> rowOfRecord(cases.records.size(), -1);
    for (size_t row = 0; row < cases.rowToList.size(); ++row)
        rowOfRecord[static_cast<size_t>(cases.rowToList[row])] = static_cast<std::int32_t>(row);
    std::vector<AnalysedCase> rows;
    rows.reserve(cases.records.size());
    for (size_t listIndex = 0; listIndex < cases.records.size(); ++listIndex) {
        if (rowOfRecord[listIndex] < 0 || !cases.IsSelected(listIndex)) continue;
        if (!cases.records[listIndex].isValid) {
            ++design.invalidCases;
            continue;
        }
        rows.push_back({rowOfRecord[listIndex], static_cast<std::int32_t>(listIndex)});
    }
    design.analysedCases = rows.size();

    const size_t covariates = choice.covariates.size();
    for (size_t i = 0; i < all.size(); ++i)
        ReadField(data, rows, i >= covariates || Named(choice.factors, all[i]), fields[i]);
    std::vector<std::uint8_t> complete(rows.size(), 1);
    for (size_t k = 0; k < rows.size(); ++k)
        for (const FieldColumn& f : fields) complete[k] &= Complete(f, k) ? 1 : 0;
    const size_t completeCount = static_cast<size_t>(std::count(complete.begin(), complete.end(), 1));
    design.incompleteCases = rows.size() - completeCount;
    if (completeCount == 0) return std::string(text::kCoxNoCompleteCase);
    for (FieldColumn& f : fields)
        if (f.factor) OrderLevels(f, complete);

    for (const std::string& reference : choice.references) {
        const size_t equals = reference.find('=');
        const std::string name = reference.substr(0, equals);
        const auto it = std::find(choice.covariates.begin(), choice.covariates.end(), name);
        if (equals == std::string::npos || it == choice.covariates.end() || !fields[static_cast<size_t>(it - choice.covariates.begin())].factor)
            return FormatText(text::kCoxBadReference, reference);
        CoxFactorLevels& levels = fields[static_cast<size_t>(it - choice.covariates.begin())].levels;
        const std::string level = reference.substr(equals + 1);
        const auto at = std::find(levels.levels.begin(), levels.levels.end(), level);
        if (at == levels.levels.end()) return FormatText(text::kCoxNoSuchLevel, name, level);
        levels.reference = static_cast<size_t>(at - levels.levels.begin());
    }

    // The terms and their columns.
    std::vector<CoxTerm> terms;
    std::vector<std::string> columnNames;
    for (size_t i = 0; i < covariates; ++i) {
        const FieldColumn& f = fields[i];
        const std::string name = f.field.derived == DerivedField::kNone ? data.columns[static_cast<size_t>(f.field.column)].name() : all[i];
        CoxTerm term{name, columnNames.size(), 1, f.factor};
        if (!f.factor) {
            columnNames.push_back(name);
        } else {
            term.columns = f.levels.levels.size() - 1;
            for (size_t level = 0; level < f.levels.levels.size(); ++level)
                if (level != f.levels.reference) columnNames.push_back(name + "=" + f.levels.levels[level]);
        }
        terms.push_back(term);
        design.factorLevels.push_back(f.factor ? f.levels : CoxFactorLevels{});
    }

    // Strata: the levels of the strata fields crossed, in their order.
    std::vector<std::string> strataNames;
    std::vector<std::int32_t> strataOf(rows.size(), 0);
    if (!choice.strata.empty()) {
        TextNumbering combinations;
        std::vector<std::vector<std::int32_t>> keys;
        std::vector<std::int32_t> combination(rows.size(), kMissing);
        for (size_t k = 0; k < rows.size(); ++k) {
            if (!complete[k]) continue;
            std::string key;
            std::vector<std::int32_t> levels;
            for (size_t i = covariates; i < all.size(); ++i) {
                levels.push_back(fields[i].levelOf[k]);
                key.append(reinterpret_cast<const char*>(&levels.back()), sizeof(std::int32_t));
            }
            const auto [number, first] = combinations.Number(key);
            if (first) keys.push_back(levels);
            combination[k] = number;
        }
        std::vector<std::int32_t> order(keys.size());
        std::iota(order.begin(), order.end(), 0);
        std::sort(order.begin(), order.end(), [&](std::int32_t a, std::int32_t b) { return keys[static_cast<size_t>(a)] < keys[static_cast<size_t>(b)]; });
        std::vector<std::int32_t> position(keys.size());
        for (size_t s = 0; s < order.size(); ++s) {
            position[static_cast<size_t>(order[s])] = static_cast<std::int32_t>(s);
            std::string name;
            for (size_t i = covariates; i < all.size(); ++i)
                name += (name.empty() ? "" : kCrossedGroupSeparator) +
                        fields[i].levels.levels[static_cast<size_t>(keys[static_cast<size_t>(order[s])][i - covariates])];
            strataNames.push_back(name);
        }
        for (size_t k = 0; k < rows.size(); ++k)
            if (complete[k]) strataOf[k] = position[static_cast<size_t>(combination[k])];
    }

    if (!choice.curvesBy.empty()) {
        const auto it = std::find(choice.covariates.begin(), choice.covariates.end(), choice.curvesBy);
        if (it != choice.covariates.end() && fields[static_cast<size_t>(it - choice.covariates.begin())].factor)
            design.curvesTerm = static_cast<int>(it - choice.covariates.begin());
        else if (!Named(choice.strata, choice.curvesBy))
            return FormatText(text::kCoxCurvesByNotFactor, choice.curvesBy);
    }

    CoxSampleBuilder builder(std::move(terms), std::move(columnNames), std::move(strataNames));
    builder.Reserve(completeCount);
    std::vector<double> row;
    size_t events = 0;
    for (size_t k = 0; k < rows.size(); ++k) {
        if (!complete[k]) continue;
        row.clear();
        for (size_t i = 0; i < covariates; ++i) {
            const FieldColumn& f = fields[i];
            if (!f.factor) {
                row.push_back(f.numbers[k]);
                continue;
            }
            for (size_t level = 0; level < f.levels.levels.size(); ++level)
                if (level != f.levels.reference) row.push_back(static_cast<std::int32_t>(level) == f.levelOf[k] ? 1.0 : 0.0);
        }
        const CCaseRecord& c = cases.records[static_cast<size_t>(rows[k].record)];
        const bool event = std::any_of(choice.eventCodes.begin(), choice.eventCodes.end(),
                                       [&](const std::string& code) { return c.statusText == code; });
        events += event ? 1 : 0;
        builder.Add(strataOf[k], c.observationDays, event, row);
    }
    design.sample = builder.Finish();
    if (events == 0) return std::string(text::kCoxNoEvent);
    design.columnMeans.assign(design.sample.columns(), 0.0);
    for (size_t i = 0; i < design.sample.size(); ++i)
        for (size_t j = 0; j < design.sample.columns(); ++j) design.columnMeans[j] += design.sample.row(i)[j];
    for (double& mean : design.columnMeans) mean /= static_cast<double>(design.sample.size());
    return std::nullopt;
}

}  // namespace kalderon
