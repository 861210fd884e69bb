#include "import/TextRecordParser.h"

#include <algorithm>

namespace kalderon {

TextRecordParser::TextRecordParser(const TextImportSettings& settings)
    : settings_(settings),
      beginPattern_(settings.beginFormat),
      endPattern_(settings.endFormat),
      birthPattern_(settings.birthFormat),
      splitter_(settings.separator.empty() ? '\0' : settings.separator.front(), settings.quotedFields)
{
    fieldsNeeded_ = std::max({settings.beginColumn, settings.endColumn, settings.statusColumn});
    if (settings.useGroup) fieldsNeeded_ = std::max(fieldsNeeded_, settings.groupColumn);
    if (settings.useSex) fieldsNeeded_ = std::max(fieldsNeeded_, settings.sexColumn);
    if (settings.useBirth) fieldsNeeded_ = std::max(fieldsNeeded_, settings.birthColumn);
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

bool TextRecordParser::Parse(std::string_view line, ImportedRecordValues& values)
{
    Reset(values);
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
    // An empty separator leaves every field empty.
    fields_.clear();
    if (!s.separator.empty() && !splitter_.Split(line, fields_, static_cast<size_t>(std::max(fieldsNeeded_, 0))))
        return false;
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
