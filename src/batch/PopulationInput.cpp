#include "batch/PopulationInput.h"

#include <algorithm>
#include <filesystem>
#include <strings.h>

#include "analysis/ParameterChoices.h"
#include "batch/BatchMessages.h"
#include "common/TextFormat.h"
#include "import/PopulationTableLoader.h"
#include "resources/ShippedFiles.h"
#include "resources/Texts.h"

namespace kalderon::batch {
namespace {

namespace fs = std::filesystem;

// The database given, or the first default file found; the reason in
// `error` when there is none.
std::string PopulationDatabase(const BatchOptions& options, std::string& error)
{
    if (!options.population.databasePath.empty()) return options.population.databasePath;
    const std::string fileName = options.analysis == kSmrSir ? "ReferenceRateTables.mdb" : "LifeTables.mdb";
    const std::vector<std::string> candidates = ShippedFileCandidates(fileName);
    const std::string found = FindShippedFile(candidates);
    std::error_code ec;
    if (fs::is_regular_file(found, ec)) return found;
    error = FormatText(text::kBatchPopulationDbNotFound, fileName, JoinedList(candidates));
    return {};
}

// The list position of the sex code chosen on the command line, or the
// dialog's preselection: the usual coding, marked male.
std::optional<SexCodingChoice> ChooseSexCoding(const PopulationOptions& p, const std::vector<std::string>& codes,
                                               std::string& error)
{
    if (!p.sexCode) return DefaultSexCoding(codes);
    const auto found = std::find(codes.begin(), codes.end(), *p.sexCode);
    if (found == codes.end()) {
        error = FormatText(text::kBatchNoSuchSexCode, p.sexCodeIsFemale ? "--female" : "--male", *p.sexCode,
                           QuotedList(codes));
        return std::nullopt;
    }
    return SexCodingChoice{static_cast<std::int32_t>(found - codes.begin()), p.sexCodeIsFemale};
}

// The table given, spelled as the database lists it, or the first table.
std::string ChooseTable(const std::string& given, const std::vector<std::string>& names, const std::string& database,
                        std::string& error)
{
    if (given.empty()) {
        if (names.empty()) error = FormatText(text::kBatchDatabaseWithoutTables, database);
        return names.empty() ? std::string() : names.front();
    }
    if (std::find(names.begin(), names.end(), given) != names.end()) return given;
    const auto folded = std::find_if(names.begin(), names.end(),
                                     [&](const std::string& name) { return strcasecmp(name.c_str(), given.c_str()) == 0; });
    return folded != names.end() ? *folded : given;
}

}  // namespace

std::optional<int> PreparePopulation(const BatchOptions& options, CAnalysisData& data, std::ostream& err)
{
    const PopulationOptions& p = options.population;
    std::string error;
    const std::optional<SexCodingChoice> sexCoding = ChooseSexCoding(p, data.sexCodes, error);
    const std::string database = sexCoding ? PopulationDatabase(options, error) : std::string();
    std::string table;
    if (error.empty()) {
        const ReadResult<std::vector<std::string>> names = ListPopulationTables(database);
        if (names)
            table = ChooseTable(p.tableName, *names, database, error);
        else
            error = FaultMessage(names.fault());
    }
    const PopulationValues values =
        options.analysis == kSmrSir ? PopulationValues::kRates : PopulationValues::kProbabilities;
    if (error.empty()) {
        ReadResult<std::vector<CPopulationYearTable>> loaded = LoadPopulationTable(database, table, values);
        if (loaded)
            data.populationTables = std::move(*loaded);
        else
            error = FaultMessage(loaded.fault());
    }
    if (!error.empty()) {
        WriteMessage(err, error);
        return kExitUsage;
    }
    if (!p.sexCode && data.sexCodes.size() > 1)
        WriteMessage(err, FormatText(text::kBatchMaleTaken, QuotedList(data.sexCodes),
                                     data.sexCodes[sexCoding->index]));

    ApplyPopulationChoices(data, PopulationChoices{*sexCoding, table});
    if (p.relativeSurvival) {
        data.relativeSurvival = 1;
        data.SetSurvivalMethod(p.method);
        data.netSurvivalRaw = p.netSurvivalRaw ? 1 : 0;
        data.closingDate = p.closingDate.isValid() ? p.closingDate : data.lastEndDate;
    }
    return std::nullopt;
}

}  // namespace kalderon::batch
