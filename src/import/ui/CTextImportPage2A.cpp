#include "import/ui/CTextImportPage2A.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLineEdit>
#include <QRadioButton>
#include <QVBoxLayout>

#include "import/DelimitedFields.h"
#include "import/FieldNameLineGuess.h"
#include "import/ui/CFilePreview.h"
#include "import/ui/CTextImportPage3A.h"
#include "import/ui/WizardControls.h"
#include "resources/Texts.h"

namespace kalderon {
namespace {

constexpr int kOtherChoice = 4;
const char* const kChoiceSeparators[kOtherChoice] = {";", ",", " ", "\t"};

// One byte per character, as the importer compares them.
std::string SeparatorBytes(const QString& text)
{
    if (text.isEmpty()) return {};
    const char16_t code = text.front().unicode();
    return std::string(1, code < 256 ? static_cast<char>(code) : '?');
}

}  // namespace

CTextImportPage2A::CTextImportPage2A(std::shared_ptr<const PreviewLines> file, std::vector<std::string> firstLines,
                                     QWidget* parent)
    : QWizardPage(parent),
      firstLines_(std::move(firstLines)),
      other_(new QLineEdit(QStringLiteral(";")))
{
    setObjectName(ControlName(kId));
    setWindowTitle(QStringLiteral("Free format text file import"));

    auto* box = new QGroupBox(QStringLiteral("Field separator"), this);
    const struct {
        int id;
        const char* text;
    } radios[] = {{kSemicolonRadio, "\";\""},
                  {kCommaRadio, "\",\""},
                  {kSpaceRadio, "\" \""},
                  {kTabRadio, "tab"},
                  {kOtherRadio, "other:"}};
    auto* choices = choices_ = new QButtonGroup(this);
    auto* grid = new QGridLayout(box);
    for (int choice = 0; choice <= kOtherChoice; ++choice) {
        auto* radio = new QRadioButton(QString::fromLatin1(radios[choice].text), box);
        radio->setObjectName(ControlName(radios[choice].id));
        choices->addButton(radio, choice);
        grid->addWidget(radio, 0, choice);
    }
    other_->setParent(box);
    other_->setObjectName(ControlName(kOtherSeparator));
    other_->setMaxLength(1);
    other_->setFixedWidth(32);
    other_->setEnabled(false);
    grid->addWidget(other_, 0, kOtherChoice + 1);
    grid->setColumnStretch(kOtherChoice + 2, 1);
    choices->button(0)->setChecked(true);
    connect(choices, &QButtonGroup::idClicked, this, &CTextImportPage2A::Choose);
    connect(other_, &QLineEdit::textEdited, this, &CTextImportPage2A::OtherEdited);

    // Made in the order of the focus: the checks below the separators, then the preview.
    names_ = new QCheckBox(QString::fromLatin1(text::kFirstLineNamesCheck), this);
    names_->setObjectName(ControlName(kFirstLineNames));
    quotes_ = new QCheckBox(QString::fromLatin1(text::kQuotedFieldsCheck), this);
    quotes_->setObjectName(ControlName(kQuotedFields));
    preview_ = new CFilePreview(this);
    connect(names_, &QCheckBox::clicked, this, [this] { namesChosen_ = true; });
    connect(quotes_, &QCheckBox::clicked, this, [this] { quotesChosen_ = true; });
    connect(names_, &QCheckBox::toggled, this, [this](bool on) {
        firstLineNames = on;
        preview_->SetFieldNamesLine(on);
        // Names are mostly written in quotes where the values are.
        if (!quotesChosen_) quotes_->setChecked(on);
    });
    connect(quotes_, &QCheckBox::toggled, this, [this](bool on) {
        quotedFields = on;
        preview_->SetQuoting(on);
    });

    preview_->setObjectName(ControlName(wizard_page::kPreview));
    preview_->SetFile(std::move(file));
    preview_->SetMode(CFilePreview::kDelimitedFields, 0, false);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(box);
    layout->addWidget(names_);
    layout->addWidget(quotes_);
    layout->addWidget(preview_, 1);

    const std::vector<std::string_view> lines(firstLines_.begin(), firstLines_.end());
    ChooseSeparator(std::string(1, GuessSeparator(lines)));
}

void CTextImportPage2A::ChooseSeparator(const std::string& separatorText)
{
    int choice = 0;
    while (choice < kOtherChoice && separatorText != kChoiceSeparators[choice]) ++choice;
    choices_->button(choice)->setChecked(true);
    Choose(choice);
    if (choice == kOtherChoice) {
        other_->setText(QString::fromLatin1(separatorText.c_str()));
        OtherEdited(other_->text());
    }
}

void CTextImportPage2A::Apply(const TextImportSettings& settings)
{
    // Names kept from another file do not take a case of this one: a first
    // line whose date fields read as dates is left to the guess.
    const std::vector<std::string_view> lines(firstLines_.begin(), firstLines_.end());
    const bool names = settings.firstLineNames && !settings.separator.empty() &&
                       !DateFieldSample(lines, settings.separator.front(), true).FirstLineHoldsDates();
    namesChosen_ = names;
    quotesChosen_ = names || settings.quotedFields;
    if (quotesChosen_) quotes_->setChecked(settings.quotedFields);
    if (namesChosen_) names_->setChecked(true);
    ChooseSeparator(settings.separator);
}

int CTextImportPage2A::nextId() const { return CTextImportPage3A::kId; }

void CTextImportPage2A::Choose(int choice)
{
    separatorChoice = choice;
    if (choice == kOtherChoice) {
        separator.clear();
        other_->clear();
        other_->setEnabled(true);
        other_->setFocus();
    } else {
        separator = kChoiceSeparators[choice];
        other_->setText(QString::fromLatin1(separator.c_str()));
        other_->setEnabled(false);
    }
    SeparatorChanged();
}

void CTextImportPage2A::OtherEdited(const QString& text)
{
    separator = SeparatorBytes(text);
    SeparatorChanged();
}

void CTextImportPage2A::SeparatorChanged()
{
    preview_->SetSeparator(separatorCharacter());
    if (namesChosen_) return;
    const std::vector<std::string_view> lines(firstLines_.begin(), firstLines_.end());
    names_->setChecked(!separator.empty() && FirstLineNamesFields(lines, separatorCharacter()));
}

}  // namespace kalderon
