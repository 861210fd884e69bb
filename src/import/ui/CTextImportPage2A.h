#pragma once

#include <QWizardPage>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

class QButtonGroup;
class QCheckBox;
class QLineEdit;

#include "import/TextImportSettings.h"

namespace kalderon {

class CFilePreview;
struct PreviewLines;

// Wizard page kId: the field separator of a free-format file, whether the
// first line names the fields and whether fields may be quoted.  The
// separator starts as the one guessed from the file's first lines; the first
// line is proposed as names while its date fields do not read as dates, and
// that proposal follows the separator until the check is clicked.
class CTextImportPage2A : public QWizardPage {
    Q_OBJECT
public:
    static constexpr int kId = 133;
    // Ids of the page's controls: the separator's radio buttons and the edit
    // of another separator.
    static constexpr int kSemicolonRadio = 1005;
    static constexpr int kCommaRadio = 1006;
    static constexpr int kSpaceRadio = 1008;
    static constexpr int kTabRadio = 1011;
    static constexpr int kOtherRadio = 1009;
    static constexpr int kOtherSeparator = 1010;
    static constexpr int kFirstLineNames = 1090;
    static constexpr int kQuotedFields = 1091;

    // `firstLines`: the first lines of the file that are not empty.
    CTextImportPage2A(std::shared_ptr<const PreviewLines> file, std::vector<std::string> firstLines,
                      QWidget* parent = nullptr);

    int nextId() const override;
    // Chooses the separator of remembered settings: one of the radio buttons
    // when it is theirs, else "other:" with it; and their checks, the first
    // line's names proposed when they do not have it or when this file's
    // first line is a case.
    void Apply(const TextImportSettings& settings);

    const std::vector<std::string>& firstLines() const { return firstLines_; }

    // The separator's character, '\0' when it is empty.
    char separatorCharacter() const { return separator.empty() ? '\0' : separator.front(); }

    std::int32_t separatorChoice = 0;  // semicolon, comma, space, tab, other
    std::string separator = ";";       // at most one character
    bool firstLineNames = false;
    bool quotedFields = false;

private:
    void Choose(int choice);
    void OtherEdited(const QString& text);
    void SeparatorChanged();
    void ChooseSeparator(const std::string& separatorText);

    std::vector<std::string> firstLines_;
    QButtonGroup* choices_;
    QLineEdit* other_;
    QCheckBox* names_;
    QCheckBox* quotes_;
    // Clicked by the person: no longer proposed.
    bool namesChosen_ = false;
    bool quotesChosen_ = false;
    CFilePreview* preview_;
};

}  // namespace kalderon
