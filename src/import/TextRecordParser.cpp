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

std::string_view Field(std::span<const std::string_view> fields, std::int32_t number)
{
    if (number < 1 || number > static_cast<std::int32_t>(fields.size())) return {};
    return fields[number - 1];
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
    const bool closed = Cut(line);
    Read(line, fields_, closed, values);
    return closed;
}

void TextRecordParser::Read(std::string_view line, std::span<const std::string_view> fields, bool closed,
                            ImportedRecordValues& values) const
{
    Reset(values);
    if (!closed) return;
    const TextImportSettings& s = settings_;
    if (s.format == TextImportSettings::kFixedColumns) {
        values.beginDate = beginPattern_.Read(Piece(line, s.beginFrom, s.beginTo));
        values.endDate = endPattern_.Read(Piece(line, s.endFrom, s.endTo));
        values.statusText.assign(Piece(line, s.statusFrom, s.statusTo));
        if (s.useGroup) values.groupText.assign(Piece(line, s.groupFrom, s.groupTo));
        if (s.useSex) values.sexText.assign(Piece(line, s.sexFrom, s.sexTo));
        if (s.useBirth) values.birthDate = birthPattern_.Read(Piece(line, s.birthFrom, s.birthTo));
        return;
    }
    values.beginDate = beginPattern_.Read(Field(fields, s.beginColumn));
    values.endDate = endPattern_.Read(Field(fields, s.endColumn));
    values.statusText.assign(Field(fields, s.statusColumn));
    if (s.useGroup) values.groupText.assign(Field(fields, s.groupColumn));
    if (s.useSex) values.sexText.assign(Field(fields, s.sexColumn));
    if (s.useBirth) values.birthDate = birthPattern_.Read(Field(fields, s.birthColumn));
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
