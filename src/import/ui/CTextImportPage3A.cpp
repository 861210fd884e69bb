#include "import/ui/CTextImportPage3A.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>

#include "common/qt/DisplayText.h"
#include "import/TextFieldNames.h"
#include "import/ui/CSpinButton.h"
#include "import/ui/CTextImportPage2A.h"
#include "import/ui/WizardControls.h"
#include "resources/Texts.h"

namespace kalderon {
namespace {

struct ColumnControls {
    int editId;
    int spinId;
    int nameId;
};
using Page = CTextImportPage3A;
constexpr ColumnControls kControls[kRoleCount] = {
    {Page::kBeginColumn, Page::kBeginColumnSpin, Page::kBeginName},
    {Page::kEndColumn, Page::kEndColumnSpin, Page::kEndName},
    {Page::kStatusColumn, Page::kStatusColumnSpin, Page::kStatusName},
    {Page::kGroupColumn, Page::kGroupColumnSpin, Page::kGroupName},
    {Page::kSexColumn, Page::kSexColumnSpin, Page::kSexName},
    {Page::kBirthColumn, Page::kBirthColumnSpin, Page::kBirthName},
};
constexpr int kNamesHeader = 1;  // the column of the names beside the numbers

}  // namespace

CTextImportPage3A::CTextImportPage3A(std::shared_ptr<const PreviewLines> file, const CTextImportPage2A& separatorPage,
                                     Messages& messages, QWidget* parent)
    : RoleAssignmentPage(file, CFilePreview::kDelimitedFields, QStringLiteral("Column assignment"),
                         {QStringLiteral("Column No."), QString::fromLatin1(text::kFieldNameHeader)}, messages,
                         parent),
      separatorPage_(separatorPage)
{
    setObjectName(ControlName(kId));
    fieldHeader(kNamesHeader)->hide();
    for (int role = 0; role < kRoleCount; ++role) {
        const SpinEdit number = MakeSpinEdit(kControls[role].editId, kControls[role].spinId, Column(role), this);
        number.spin->SetRange(1, file->maxLineLength);
        auto* name = names_[role] = new QComboBox(this);
        name->setObjectName(ControlName(kControls[role].nameId));
        name->setSizeAdjustPolicy(QComboBox::AdjustToContents);
        name->hide();
        connect(number.edit, &QLineEdit::textChanged, this, [this, role, edit = number.edit, name] {
            Column(role) = EditNumber(edit);
            if (name->currentIndex() != Column(role) - 1)
                name->setCurrentIndex(Column(role) <= name->count() ? Column(role) - 1 : -1);
            ProposePattern(role);
            if (IsUsed(role)) ShowMark(role);
        });
        connect(name, &QComboBox::currentIndexChanged, this, [edit = number.edit](int index) {
            if (index >= 0 && EditNumber(edit) != index + 1) edit->setText(QString::number(index + 1));
        });
        edits_[role] = number.edit;
        AddRoleRow(role, {number.box, name}, {number.edit, name});
        if (IsUsed(role)) ShowMark(role);
    }
}

void CTextImportPage3A::Apply(const TextImportSettings& settings)
{
    const std::int32_t columns[kRoleCount] = {settings.beginColumn, settings.endColumn, settings.statusColumn,
                                              settings.groupColumn, settings.sexColumn,  settings.birthColumn};
    for (int role = 0; role < kRoleCount; ++role) edits_[role]->setText(QString::number(columns[role]));
    ApplyRoles(settings);
}

void CTextImportPage3A::initializePage()
{
    preview()->SetSeparator(separatorPage_.separatorCharacter());
    preview()->SetQuoting(separatorPage_.quotedFields);
    preview()->SetFieldNamesLine(separatorPage_.firstLineNames);
    ShowFieldNames();
}

// The names of the first line in each role's list, the field of its number
// chosen; none shown when the first line holds no names.
void CTextImportPage3A::ShowFieldNames()
{
    const bool named = separatorPage_.firstLineNames && !separatorPage_.firstLines().empty();
    QStringList names;
    sample_.reset();
    if (named) {
        TextImportSettings cutting;
        cutting.separator = separatorPage_.separator;
        cutting.quotedFields = separatorPage_.quotedFields;
        for (const std::string& name : FieldNamesOfLine(separatorPage_.firstLines().front(), cutting).names)
            names << DisplayText(name);
        const std::vector<std::string>& lines = separatorPage_.firstLines();
        sample_.emplace(std::vector<std::string_view>(lines.begin(), lines.end()),
                        separatorPage_.separatorCharacter(), separatorPage_.quotedFields);
    }
    fieldHeader(kNamesHeader)->setVisible(named);
    for (int role = 0; role < kRoleCount; ++role) {
        QComboBox* name = names_[role];
        const QSignalBlocker quiet(name);
        name->clear();
        name->addItems(names);
        name->setCurrentIndex(Column(role) <= name->count() ? Column(role) - 1 : -1);
        name->setVisible(named);
        ProposePattern(role);
    }
}

void CTextImportPage3A::ProposePattern(int role)
{
    QComboBox* pattern = PatternCombo(role);
    if (!pattern || !sample_) return;
    const std::string best = sample_->BestPattern(Column(role));
    const std::string chosen = pattern->currentText().toLatin1().toStdString();
    if (!best.empty() && sample_->DatesRead(Column(role), chosen) < sample_->DatesRead(Column(role), best))
        pattern->setCurrentText(QString::fromLatin1(best.c_str()));
}

std::int32_t& CTextImportPage3A::Column(int role)
{
    std::int32_t* columns[kRoleCount] = {&beginColumn, &endColumn, &statusColumn,
                                         &groupColumn, &sexColumn, &birthColumn};
    return *columns[role];
}

void CTextImportPage3A::ShowMark(int role) { preview()->SetFieldMark(role, Column(role)); }

}  // namespace kalderon
