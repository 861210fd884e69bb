#pragma once

#include <array>
#include <cstdint>
#include <optional>

#include "import/FieldNameLineGuess.h"

#include "import/ui/RoleAssignmentPage.h"

class QComboBox;
class QLineEdit;

namespace kalderon {

class CSpinButton;
class CTextImportPage2A;

// Wizard page kId: the field number of each role in a free-format file and,
// when the first line names the fields, the field's name beside it, by which
// the field can be chosen as well; a date field then gets the pattern that
// reads its dates when the one chosen reads fewer.
class CTextImportPage3A : public RoleAssignmentPage {
    Q_OBJECT
public:
    static constexpr int kId = 137;
    // Ids of the field number of each role and its arrows.
    static constexpr int kBeginColumn = 1011, kBeginColumnSpin = 1019;
    static constexpr int kEndColumn = 1012, kEndColumnSpin = 1020;
    static constexpr int kStatusColumn = 1013, kStatusColumnSpin = 1021;
    static constexpr int kGroupColumn = 1025, kGroupColumnSpin = 1026;
    static constexpr int kSexColumn = 1077, kSexColumnSpin = 1078;
    static constexpr int kBirthColumn = 1079, kBirthColumnSpin = 1080;
    // Ids of the field name of each role.
    static constexpr int kBeginName = 1101, kEndName = 1102, kStatusName = 1103;
    static constexpr int kGroupName = 1104, kSexName = 1105, kBirthName = 1106;

    CTextImportPage3A(std::shared_ptr<const PreviewLines> file, const CTextImportPage2A& separatorPage,
                      Messages& messages, QWidget* parent = nullptr);

    // Takes the separator, the quoting and the names of the page before each
    // time the page is entered.
    void initializePage() override;
    void Apply(const TextImportSettings& settings) override;

    std::int32_t beginColumn = 1;
    std::int32_t endColumn = 2;
    std::int32_t statusColumn = 3;
    std::int32_t groupColumn = 4;
    std::int32_t sexColumn = 5;
    std::int32_t birthColumn = 6;

protected:
    void ShowMark(int role) override;

private:
    std::int32_t& Column(int role);
    void ShowFieldNames();
    // A date role's field read better by another pattern gets that one.
    void ProposePattern(int role);

    const CTextImportPage2A& separatorPage_;
    std::array<QLineEdit*, kRoleCount> edits_{};
    std::array<QComboBox*, kRoleCount> names_{};
    // The first lines' fields while the first line names them.
    std::optional<DateFieldSample> sample_;
};

}  // namespace kalderon
