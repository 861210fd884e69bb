#include "import/ui/CTextImportPage1.h"

#include <QButtonGroup>
#include <QGroupBox>
#include <QRadioButton>
#include <QVBoxLayout>

#include "import/ui/CFilePreview.h"
#include "import/ui/CTextImportPage2A.h"
#include "import/ui/CTextImportPage2B.h"
#include "import/ui/WizardControls.h"

namespace kalderon {

CTextImportPage1::CTextImportPage1(std::shared_ptr<const PreviewLines> file, QWidget* parent)
    : QWizardPage(parent), preview_(new CFilePreview(this))
{
    setObjectName(ControlName(kId));
    setWindowTitle(QStringLiteral("Text file import"));

    auto* formatBox = new QGroupBox(QStringLiteral("Format of the data file"), this);
    auto* free = new QRadioButton(QStringLiteral("Free (with delimiters)"), formatBox);
    free->setObjectName(ControlName(kFreeFormatRadio));
    free->setChecked(true);
    auto* fixed = new QRadioButton(QStringLiteral("Fixed columns"), formatBox);
    fixed->setObjectName(ControlName(kFixedColumnsRadio));
    auto* choice = new QButtonGroup(this);
    choice->addButton(free, 0);
    choice->addButton(fixed, 1);
    connect(choice, &QButtonGroup::idToggled, this, [this](int id, bool on) {
        if (on) format = id;
    });
    auto* formatLayout = new QVBoxLayout(formatBox);
    formatLayout->addWidget(free);
    formatLayout->addWidget(fixed);

    preview_->setObjectName(ControlName(wizard_page::kPreview));
    preview_->SetFile(std::move(file));
    preview_->SetMode(CFilePreview::kPlainText, 0, false);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(formatBox);
    layout->addWidget(preview_, 1);
}

void CTextImportPage1::Apply(const TextImportSettings& settings)
{
    const int id = settings.format == TextImportSettings::kFixedColumns ? kFixedColumnsRadio : kFreeFormatRadio;
    findChild<QRadioButton*>(ControlName(id))->setChecked(true);
}

int CTextImportPage1::nextId() const { return format == 0 ? CTextImportPage2A::kId : CTextImportPage2B::kId; }

}  // namespace kalderon
