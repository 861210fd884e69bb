#pragma once

#include <array>
#include <cstdint>

#include "import/ui/RoleAssignmentPage.h"

class QLineEdit;

namespace kalderon {

// Wizard page kId: the first and last character of each role in a file of
// fixed columns.
class CTextImportPage2B : public RoleAssignmentPage {
    Q_OBJECT
public:
    static constexpr int kId = 134;
    // Ids of the first and last character of each role with their arrows.
    static constexpr int kBeginFrom = 1011, kBeginTo = 1014, kBeginFromSpin = 1019, kBeginToSpin = 1022;
    static constexpr int kEndFrom = 1012, kEndTo = 1015, kEndFromSpin = 1020, kEndToSpin = 1023;
    static constexpr int kStatusFrom = 1013, kStatusTo = 1016, kStatusFromSpin = 1021, kStatusToSpin = 1024;
    static constexpr int kGroupFrom = 1025, kGroupTo = 1027, kGroupFromSpin = 1026, kGroupToSpin = 1028;
    static constexpr int kSexFrom = 1030, kSexTo = 1032, kSexFromSpin = 1031, kSexToSpin = 1033;
    static constexpr int kBirthFrom = 1034, kBirthTo = 1036, kBirthFromSpin = 1035, kBirthToSpin = 1037;

    CTextImportPage2B(std::shared_ptr<const PreviewLines> file, Messages& messages, QWidget* parent = nullptr);

    void Apply(const TextImportSettings& settings) override;

    std::int32_t beginFrom = 1, beginTo = 1;
    std::int32_t endFrom = 1, endTo = 1;
    std::int32_t statusFrom = 1, statusTo = 1;
    std::int32_t groupFrom = 0, groupTo = 0;
    std::int32_t sexFrom = 0, sexTo = 0;
    std::int32_t birthFrom = 0, birthTo = 0;

protected:
    void ShowMark(int role) override;

private:
    std::int32_t& From(int role);
    std::int32_t& To(int role);
    void NumbersEdited(int role);
    void FirstChanged(int role);
    void LastChanged(int role);

    std::array<QLineEdit*, kRoleCount> fromEdits_{};
    std::array<QLineEdit*, kRoleCount> toEdits_{};
};

}  // namespace kalderon
