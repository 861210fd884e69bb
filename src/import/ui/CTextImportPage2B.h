#pragma once

#include <array>
#include <cstdint>

#include "import/ui/RoleAssignmentPage.h"

class QLineEdit;

namespace kalderon {

// Wizard page 134: the first and last character of each role in a file of
// fixed columns.
class CTextImportPage2B : public RoleAssignmentPage {
    Q_OBJECT
public:
    static constexpr int kId = 134;

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
