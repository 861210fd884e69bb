#include "analysis/AnalysisCommand.h"

#include "analysis/ChosenTimesText.h"
#include "analysis/OptionValueNames.h"
#include "stats/TimeUnit.h"

namespace kalderon {
namespace {

std::string Joined(const std::vector<std::string>& values)
{
    std::string text;
    for (const std::string& value : values) text += (text.empty() ? "" : ",") + value;
    return text;
}

class OptionList {
public:
    explicit OptionList(std::vector<StoredOption>& options) : options_(options) {}

    void Switch(const char* name) { options_.push_back({name, {}}); }
    void Value(const char* name, std::string value) { options_.push_back({name, {std::move(value)}}); }
    // A switch, or with a value when there is one.
    void SwitchOrValue(const char* name, const std::optional<std::string>& value)
    {
        options_.push_back({name, value ? std::vector<std::string>{*value} : std::vector<std::string>{}});
    }
    // A value repeated under one name, in the order given.
    void Add(const char* name, std::string value)
    {
        if (options_.empty() || options_.back().name != name) options_.push_back({name, {}});
        options_.back().values.push_back(std::move(value));
    }

private:
    std::vector<StoredOption>& options_;
};

std::string WithPattern(std::string field, const std::string& pattern)
{
    return pattern == "DD.MM.YYYY" ? field : field + ":" + pattern;
}

void TextFileOptions(const TextImportSettings& s, OptionList& out)
{
    const bool fixed = s.format == TextImportSettings::kFixedColumns;
    if (fixed) {
        out.Switch("fixed");
    } else {
        const char* named = s.separator.size() == 1 ? FindName(kSeparatorNames, s.separator.front()) : nullptr;
        out.Value("separator", s.guessSeparator ? std::string("auto") : named ? std::string(named) : s.separator);
        if (s.firstLineNames)
            out.Switch("header");
        else if (s.quotedFields)
            out.Switch("quotes");
    }
    // A role's character positions, or its field by name or number.
    const auto at = [&](std::int32_t from, std::int32_t to, const std::string& name, std::int32_t number) {
        if (fixed) return std::to_string(from) + "-" + std::to_string(to);
        return s.firstLineNames && !name.empty() ? name : std::to_string(number);
    };
    out.Value("begin", WithPattern(at(s.beginFrom, s.beginTo, s.beginName, s.beginColumn), s.beginFormat));
    out.Value("end", WithPattern(at(s.endFrom, s.endTo, s.endName, s.endColumn), s.endFormat));
    out.Value("status", at(s.statusFrom, s.statusTo, s.statusName, s.statusColumn));
    if (s.useGroup) out.Value("group", at(s.groupFrom, s.groupTo, s.groupName, s.groupColumn));
    if (s.useSex) out.Value("sex", at(s.sexFrom, s.sexTo, s.sexName, s.sexColumn));
    if (s.useBirth)
        out.Value("birth", WithPattern(at(s.birthFrom, s.birthTo, s.birthName, s.birthColumn), s.birthFormat));
}

void DatabaseOptions(const DatabaseRoles& d, OptionList& out)
{
    if (!d.table.empty()) out.Value("table", d.table);
    if (d.separateDates) out.Switch("separate-dates");
    const std::pair<const char*, const std::string*> roles[] = {{"begin", &d.begin}, {"end", &d.end},
                                                                {"status", &d.status}, {"group", &d.group},
                                                                {"sex", &d.sex},     {"birth", &d.birth}};
    for (const auto& [name, field] : roles)
        if (!field->empty()) out.Value(name, *field);
}

std::string GroupKeyText(const GroupKey& key)
{
    switch (key.kind) {
    case GroupKey::Kind::kField: return key.field.name;
    case GroupKey::Kind::kAgeBands: return std::string(kAgeGroupsKeyword) + "=" + CutsText(key.cuts);
    case GroupKey::Kind::kBeginYearBands: return std::string(kBeginYearGroupsKeyword) + "=" + CutsText(key.cuts);
    case GroupKey::Kind::kFileGroups: break;
    }
    return kFileGroupsKeyword;
}

void CaseChoiceOptions(const CaseChoice& choice, OptionList& out)
{
    for (const CaseCondition& condition : choice.conditions) out.Add("where", condition.Text());
    for (const GroupKey& key : choice.grouping.keys) out.Add("group-by", GroupKeyText(key));
}

void CoxOptions(const CoxModelChoice& model, OptionList& out)
{
    out.Value("covariates", Joined(model.covariates));
    if (!model.factors.empty()) out.Value("factor", Joined(model.factors));
    for (const std::string& reference : model.references) out.Add("reference", reference);
    if (!model.strata.empty()) out.Value("strata", Joined(model.strata));
    out.Value("ties", NameOf(kTiesNames, model.ties));
    if (!model.curvesBy.empty()) out.Value("curves-by", model.curvesBy);
    if (!model.curveValues.empty()) out.Value("curve-values", Joined(model.curveValues));
}

void AnalysisOptions(const AnalysisRecipe& recipe, OptionList& out)
{
    const CAnalysisData& data = recipe.data.analysis;
    const AnalysisRequest& request = recipe.request;
    const AnalysisKind kind = request.analysis;
    out.Value("analysis", NameOf(kAnalysisNames, kind));
    if (kind == kPeriodAnalysis || kind == kTrend || kind == kCumulativeIncidence)
        out.Value("technique", NameOf(kTechniqueNames, static_cast<PeriodTechnique>(data.periodTechnique)));
    if (kind == kPeriodAnalysis) {
        out.Value("period-begin", data.periodBegin.displayText());
        out.Value("period-end", data.periodEnd.displayText());
    }
    if (kind == kTrend) {
        out.Value("years", std::to_string(data.survivalYears));
        out.Value("width", std::to_string(data.periodWidth));
    }
    if (recipe.coxModel)
        out.Value("event", Joined(recipe.coxModel->eventCodes));
    else if (kind == kCumulativeIncidence)
        out.Value("event", Joined(data.incidenceCodes));
    else
        out.Value("event", data.eventCode);
    if (kind == kCumulativeIncidence && !data.competingCodes.empty())
        out.Value("competing", Joined(data.competingCodes));
    if (kind != kSmrSir) out.Value("unit", NameOf(kUnitNames, static_cast<TimeUnitCode>(data.timeUnit)));
    out.Value("ci", data.ciLevelText);
    if (kind != kCoxRegression) out.Switch(request.stratified ? "stratified" : "no-stratified");
    if (request.compareGroups) out.Switch("compare");
    if (request.survivalAt) {
        std::string times;
        for (const double time : *request.survivalAt) times += (times.empty() ? "" : ",") + ExactTimeText(time);
        out.Value("at", times);
    }
    if (request.conditionalFrom) out.Value("conditional", ExactTimeText(*request.conditionalFrom));
    if (request.restrictedMean)
        out.SwitchOrValue("rmst", request.restrictionTime ? std::optional(ExactTimeText(*request.restrictionTime))
                                                          : std::nullopt);
    if (recipe.coxModel) CoxOptions(*recipe.coxModel, out);
}

void PopulationOptions(const AnalysisRecipe& recipe, OptionList& out)
{
    const CAnalysisData& data = recipe.data.analysis;
    const AnalysisRequest& request = recipe.request;
    const bool relative = data.relativeSurvival != 0 && request.analysis != kSmrSir &&
                          request.analysis != kCumulativeIncidence && request.analysis != kCoxRegression;
    if (!relative && request.analysis != kSmrSir) return;
    if (relative) {
        out.Switch("relative");
        out.Value("method", NameOf(kMethodNames, data.netSurvival    ? ExpectedSurvivalMethod::kPoharPerme
                                                 : data.useHakulinen ? ExpectedSurvivalMethod::kHakulinen
                                                                     : ExpectedSurvivalMethod::kEdererII));
        if (data.netSurvivalRaw) out.Switch("net-survival-raw");
        if (request.standardise != kNoStandardisation) {
            out.Value("standardise", NameOf(kStandardNames, static_cast<IcssStandard>(request.standardise)));
            if (request.crudeProbabilities) out.Switch("crude");
            out.Value("standardise-method", NameOf(kStandardiseMethodNames, request.standardiseMethod));
        } else if (request.crudeProbabilities) {
            out.Switch("crude");
        }
        const bool closingDateUsed = request.analysis == kLifeTable || request.analysis == kProductLimit;
        if (data.useHakulinen && !data.netSurvival && closingDateUsed)
            out.Value("closing-date", data.closingDate.displayText());
    }
    if (!recipe.populationDatabase.empty()) out.Value("population-db", recipe.populationDatabase);
    out.Value("population-table", data.populationTableName);
    const size_t sexIndex = static_cast<size_t>(data.sexCodeIndex);
    if (sexIndex < data.sexCodes.size())
        out.Value(data.sexCodeIsFemale ? "female" : "male", data.sexCodes[sexIndex]);
}

}  // namespace

AnalysisFile AnalysisFileOf(const AnalysisRecipe& recipe)
{
    const DataSource& source = recipe.data.source;
    AnalysisFile file{source.path, {}};
    OptionList out(file.options);
    if (source.isDatabase)
        DatabaseOptions(source.database, out);
    else
        TextFileOptions(source.text, out);
    CaseChoiceOptions(recipe.choice, out);
    AnalysisOptions(recipe, out);
    PopulationOptions(recipe, out);
    return file;
}

std::string ShellQuoted(const std::string& argument)
{
    const bool plain = !argument.empty() && argument.find_first_not_of("abcdefghijklmnopqrstuvwxyz"
                                                                        "ABCDEFGHIJKLMNOPQRSTUVWXYZ"
                                                                        "0123456789_-+.,/:=@%") == std::string::npos;
    if (plain) return argument;
    std::string quoted = "'";
    for (const char c : argument) quoted += c == '\'' ? std::string("'\\''") : std::string(1, c);
    return quoted + "'";
}

std::vector<std::string> CommandLineArguments(const AnalysisFile& analysis)
{
    std::vector<std::string> arguments = {analysis.dataPath};
    for (const StoredOption& option : analysis.options) {
        if (option.values.empty()) arguments.push_back("--" + option.name);
        for (const std::string& value : option.values) arguments.insert(arguments.end(), {"--" + option.name, value});
    }
    return arguments;
}

std::string CommandLineText(const AnalysisFile& analysis, const std::string& program)
{
    std::string line = program;
    for (const std::string& argument : CommandLineArguments(analysis)) line += " " + ShellQuoted(argument);
    return line;
}

}  // namespace kalderon
