#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "stats/AnalysisData.h"

namespace kalderon {

// What the parameter dialog of the interval-based analyses hands over when
// it is confirmed.
struct ParameterChoices {
    std::string eventCode;
    std::int32_t timeUnit = 0;
    std::string ciLevelText = ".95";
};

// Writes the choices into the record as confirming the dialog does: the time
// unit with the window prepared for it, the event code with its position in
// the status codes, and the confidence level into the record and into the
// interval table of every group.
void ApplyParameterChoices(CAnalysisData& data, const ParameterChoices& choices);

// The sex coding of the dialogs: an entry of the sex codes, marked as the
// code of males or of females.
struct SexCodingChoice {
    std::int32_t index = 0;
    bool female = false;
};

// The code the population tables' first (male) values apply to.  An entry
// marked male is that code.  Marked female, it is the other entry of the
// list; with only one code it is that code followed by "M", which no case
// carries, so that every case counts as female.
std::string SexCodeFirstOf(const std::vector<std::string>& sexCodes, const SexCodingChoice& choice);

// The usual codings, taken while nobody has chosen another: of the status
// codes "0" and "1" (in either order) the event is "1"; of the sex codes
// "1" and "2", "1" is male.  Any other list gives its first code.
std::int32_t DefaultEventCodeIndex(const std::vector<std::string>& statusCodes);
SexCodingChoice DefaultSexCoding(const std::vector<std::string>& sexCodes);

// Where the parameter dialogs open: at the codings of the last confirmed
// dialog, kept in the record's index fields; before the first one, at the
// usual codings above.
std::int32_t PreselectedEventCodeIndex(const CAnalysisData& data);
SexCodingChoice PreselectedSexCoding(const CAnalysisData& data);

// The confidence level into the record and into the interval table of
// every group.
void SetConfidenceLevel(CAnalysisData& data, const std::string& ciLevelText);

// What relative survival and SMR/SIR take from their dialogs besides the
// parameters above: the sex coding and the population table's name.
struct PopulationChoices {
    SexCodingChoice sexCoding;
    std::string tableName;
};

// Writes the sex coding (the first-sex code with the list position and the
// mark kept as defaults for the next dialog) and the table name into the
// record.  Loading the table is the caller's.
void ApplyPopulationChoices(CAnalysisData& data, const PopulationChoices& choices);

}  // namespace kalderon
