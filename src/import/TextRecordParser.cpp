#include "import/TextRecordParser.h"

#include <algorithm>
#include <array>
#include <limits>

namespace kalderon {
namespace {

struct FixedPiece {
    std::int32_t from, to;
    bool used;
};

// The character positions of the roles in their order; the optional ones
// are used only when assigned.
std::array<FixedPiece, 6> FixedPieces(const TextImportSettings& s)
{
    return {{{s.beginFrom, s.beginTo, true},
             {s.endFrom, s.endTo, true},
             {s.statusFrom, s.statusTo, true},
             {s.groupFrom, s.groupTo, s.useGroup},
             {s.sexFrom, s.sexTo, s.useSex},
             {s.birthFrom, s.birthTo, s.useBirth}}};
}

}  // namespace

std::vector<std::string> FixedColumnNames(const TextImportSettings& settings)
{
    std::vector<std::string> names;
    for (const FixedPiece& piece : FixedPieces(settings))
        if (piece.used) names.push_back(std::to_string(piece.from) + "-" + std::to_string(piece.to));
    return names;
}

TextRecordParser::TextRecordParser(const TextImportSettings& settings, bool everyField)
    : settings_(settings),
      beginPattern_(settings.beginFormat),
      endPattern_(settings.endFormat),
      birthPattern_(settings.birthFormat),
      splitter_(settings.separator.empty() ? '\0' : settings.separator.front(), settings.quotedFields)
{
    std::int32_t needed = std::max({settings.beginColumn, settings.endColumn, settings.statusColumn});
    if (settings.useGroup) needed = std::max(needed, settings.groupColumn);
    if (settings.useSex) needed = std::max(needed, settings.sexColumn);
    if (settings.useBirth) needed = std::max(needed, settings.birthColumn);
    fieldsNeeded_ = everyField ? std::numeric_limits<size_t>::max() : static_cast<size_t>(std::max(needed, 0));
    everyField_ = everyField;
}

void TextRecordParser::Reset(ImportedRecordValues& values) const
{
    values.beginDate = DateValue::Invalid();
    values.endDate = DateValue::Invalid();
    values.birthDate = settings_.useBirth ? DateValue::Invalid() : DateValue::Null();
    values.statusText.clear();
    values.groupText.clear();
    values.sexText.clear();
}

bool TextRecordParser::Cut(std::string_view line)
{
    fields_.clear();
    if (settings_.format == TextImportSettings::kFixedColumns) {
        if (everyField_)
            for (const FixedPiece& piece : FixedPieces(settings_))
                if (piece.used) fields_.push_back(Piece(line, piece.from, piece.to));
        return true;
    }
    // An empty separator leaves every field empty.
    return settings_.separator.empty() || splitter_.Split(line, fields_, fieldsNeeded_);
}

bool TextRecordParser::Parse(std::string_view line, ImportedRecordValues& values)
{
    Reset(values);
    if (!Cut(line)) return false;
    const TextImportSettings& s = settings_;
    if (s.format == TextImportSettings::kFixedColumns) {
        values.beginDate = beginPattern_.Read(Piece(line, s.beginFrom, s.beginTo));
        values.endDate = endPattern_.Read(Piece(line, s.endFrom, s.endTo));
        values.statusText.assign(Piece(line, s.statusFrom, s.statusTo));
        if (s.useGroup) values.groupText.assign(Piece(line, s.groupFrom, s.groupTo));
        if (s.useSex) values.sexText.assign(Piece(line, s.sexFrom, s.sexTo));
        if (s.useBirth) values.birthDate = birthPattern_.Read(Piece(line, s.birthFrom, s.birthTo));
        return true;
    }
    values.beginDate = beginPattern_.Read(Field(s.beginColumn));
    values.endDate = endPattern_.Read(Field(s.endColumn));
    values.statusText.assign(Field(s.statusColumn));
    if (s.useGroup) values.groupText.assign(Field(s.groupColumn));
    if (s.useSex) values.sexText.assign(Field(s.sexColumn));
    if (s.useBirth) values.birthDate = birthPattern_.Read(Field(s.birthColumn));
    return true;
}

std::string_view TextRecordParser::Field(std::int32_t number) const
{
    if (number < 1 || number > static_cast<std::int32_t>(fields_.size())) return {};
    return fields_[number - 1];
}

// Characters from..to (1-based, inclusive) cut to the line, untrimmed.
std::string_view TextRecordParser::Piece(std::string_view line, std::int32_t from, std::int32_t to)
{
    const size_t first = static_cast<size_t>(std::max(from, 1) - 1);
    const size_t last = static_cast<size_t>(std::clamp<std::int64_t>(to, 0, static_cast<std::int64_t>(line.size())));
    if (first >= last) return {};
    return line.substr(first, last - first);
}

}  // namespace kalderon
