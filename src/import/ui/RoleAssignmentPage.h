#pragma once

#include <QList>
#include <QWizardPage>
#include <array>
#include <memory>
#include <string>

#include "import/TextImportSettings.h"
#include "import/ui/CFilePreview.h"

class QCheckBox;
class QComboBox;
class QGridLayout;
class QLabel;
class QLineEdit;

namespace kalderon {

class Messages;

// What the two last wizard pages share: a row per role with its colour
// swatch, a check box for each optional role, the role's number edits and,
// for dates, the pattern combo; a preview with the roles' marks; and the
// pattern test on Finish.
class RoleAssignmentPage : public QWizardPage {
    Q_OBJECT
public:
    // Ids of the controls both pages have: the checks of the optional roles
    // and the date-pattern combos.
    static constexpr int kUseGroup = 1062;
    static constexpr int kUseSex = 1063;
    static constexpr int kUseBirth = 1064;
    static constexpr int kBeginPattern = 1017;
    static constexpr int kEndPattern = 1018;
    static constexpr int kBirthPattern = 1038;

    int nextId() const override { return -1; }
    // Begin, end and birth-date patterns, in this order, must hold "MM" and
    // "YYYY"; the first that does not gets the focus and a message.
    bool validatePage() override;

    CFilePreview* preview() const { return preview_; }

    // Takes remembered settings: the numbers of this page's layout, the
    // check boxes and the date patterns.
    virtual void Apply(const TextImportSettings& settings) = 0;
    // Puts the focus into the first number of a role.
    void FocusRole(int role);

    bool useGroup = false;
    bool useSex = false;
    bool useBirth = false;
    std::string beginFormat = "DD.MM.YYYY";
    std::string endFormat = "DD.MM.YYYY";
    std::string birthFormat = "DD.MM.YYYY";

protected:
    RoleAssignmentPage(std::shared_ptr<const PreviewLines> file, CFilePreview::Mode mode, const QString& groupTitle,
                       const QStringList& fieldHeaders, Messages& messages, QWidget* parent);

    // Adds the row of a role; `fields` are its number edits with their arrows
    // and what else stands beside them, `focusable` the controls among them
    // that take the focus, in order.  The focus goes through the rows in
    // order, each row's check box before the numbers it enables.
    void AddRoleRow(int role, const QList<QWidget*>& fields, const QList<QWidget*>& focusable);
    // The heading above the i-th column of `fields`.
    QLabel* fieldHeader(int i) const { return fieldHeaders_[i]; }
    // The check boxes and date patterns of remembered settings.
    void ApplyRoles(const TextImportSettings& settings);
    bool IsUsed(int role) const;
    // The date-pattern combo of a date role; none for the others.
    QComboBox* PatternCombo(int role) const;
    // Puts the role's mark in the preview where its numbers say.
    virtual void ShowMark(int role) = 0;

private:
    void UseToggled(int role, bool on);

    Messages& messages_;
    CFilePreview* preview_;
    QGridLayout* grid_;
    int fieldColumns_;
    std::array<QComboBox*, 3> patterns_{};  // begin, end, birth
    std::array<QList<QWidget*>, kRoleCount> roleControls_;
    QList<QLabel*> fieldHeaders_;
    std::array<QWidget*, kRoleCount> firstEdits_{};
    std::array<QCheckBox*, kRoleCount> checks_{};
    QWidget* lastInFocusChain_ = nullptr;
};

}  // namespace kalderon
