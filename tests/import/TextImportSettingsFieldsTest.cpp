#include <gtest/gtest.h>

#include "import/TextImportSettingsFields.h"

namespace kalderon {
namespace {

TEST(TextImportSettingsFieldsTest, EverySettingSurvivesTheRoundTrip)
{
    TextImportSettings s;
    s.format = TextImportSettings::kFixedColumns;
    s.separator = "\t";
    s.beginColumn = 7, s.endColumn = 8, s.statusColumn = 9;
    s.groupColumn = 10, s.sexColumn = 11, s.birthColumn = 12;
    s.beginFrom = 1, s.beginTo = 10, s.endFrom = 11, s.endTo = 20, s.statusFrom = 21, s.statusTo = 21;
    s.groupFrom = 22, s.groupTo = 24, s.sexFrom = 25, s.sexTo = 25, s.birthFrom = 26, s.birthTo = 33;
    s.useGroup = true, s.useBirth = true;
    s.beginFormat = "YYYYMMDD", s.endFormat = "MM.YYYY", s.birthFormat = "DD/MM/YYYY";

    const auto fields = SettingsFields(s);
    EXPECT_EQ(fields.size(), 26u);
    EXPECT_EQ(fields.front(), (std::pair<std::string, std::string>("format", "1")));
    TextImportSettings back;
    for (const auto& [name, value] : fields) ApplySettingsField(back, name, value);
    EXPECT_EQ(SettingsFields(back), fields);
    EXPECT_EQ(back.separator, "\t");
    EXPECT_EQ(back.groupTo, 24);
    EXPECT_TRUE(back.useBirth);
    EXPECT_FALSE(back.useSex);
    EXPECT_EQ(back.endFormat, "MM.YYYY");

    // An empty separator ("other:" with nothing typed) is a setting too.
    ApplySettingsField(back, "separator", "");
    EXPECT_EQ(back.separator, "");
}

TEST(TextImportSettingsFieldsTest, NamesLineAndQuotesAreKeptOnlyWhenOn)
{
    TextImportSettings s;
    const auto plain = SettingsFields(s);
    s.firstLineNames = true;
    auto fields = SettingsFields(s);
    ASSERT_EQ(fields.size(), plain.size() + 1);
    EXPECT_EQ(fields.back(), (std::pair<std::string, std::string>("firstLineNames", "1")));
    s.quotedFields = true;
    fields = SettingsFields(s);
    TextImportSettings back;
    for (const auto& [name, value] : fields) ApplySettingsField(back, name, value);
    EXPECT_TRUE(back.firstLineNames && back.quotedFields);
    EXPECT_EQ(SettingsFields(back), fields);
    ApplySettingsField(back, "quotedFields", "2");
    EXPECT_TRUE(back.quotedFields);
    ApplySettingsField(back, "quotedFields", "0");
    EXPECT_FALSE(back.quotedFields);
}

TEST(TextImportSettingsFieldsTest, ValuesTheWizardCannotHoldAreIgnored)
{
    TextImportSettings s;
    const auto defaults = SettingsFields(s);
    for (const auto& [name, value] : std::vector<std::pair<std::string, std::string>>{
             {"format", "2"},           {"format", "-1"},          {"separator", ";;"},
             {"beginColumn", "x"},      {"beginColumn", "3x"},     {"beginColumn", ""},
             {"endColumn", "100000"},   {"statusColumn", "-4"},    {"useGroup", "yes"},
             {"beginFormat", std::string(65, 'Y')}, {"noSuchSetting", "1"}})
        ApplySettingsField(s, name, value);
    EXPECT_EQ(SettingsFields(s), defaults);

    ApplySettingsField(s, "endColumn", "99999");
    EXPECT_EQ(s.endColumn, 99999);
    ApplySettingsField(s, "groupFrom", "0");
    EXPECT_EQ(s.groupFrom, 0);
}

}  // namespace
}  // namespace kalderon
