#pragma once

#include <array>
#include <cstdint>

#include "import/ui/RoleAssignmentPage.h"

class QLineEdit;

namespace kalderon {

class CSpinButton;
class CTextImportPage2A;

// Wizard page 137: the field number of each role in a free-format file.
class CTextImportPage3A : public RoleAssignmentPage {
    Q_OBJECT
public:
    static constexpr int kId = 137;

    CTextImportPage3A(std::shared_ptr<const PreviewLines> file, const CTextImportPage2A& separatorPage,
                      Messages& messages, QWidget* parent = nullptr);

    // Takes the separator of the page before each time the page is entered.
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

    const CTextImportPage2A& separatorPage_;
    std::array<QLineEdit*, kRoleCount> edits_{};
};

}  // namespace kalderon
