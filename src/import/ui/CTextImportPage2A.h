#pragma once

#include <QWizardPage>
#include <cstdint>
#include <memory>
#include <string>

class QButtonGroup;
class QLineEdit;

#include "import/TextImportSettings.h"

namespace kalderon {

class CFilePreview;
struct PreviewLines;

// Wizard page kId: the field separator of a free-format file.
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

    explicit CTextImportPage2A(std::shared_ptr<const PreviewLines> file, QWidget* parent = nullptr);

    int nextId() const override;
    // Chooses the separator of remembered settings: one of the radio buttons
    // when it is theirs, else "other:" with it.
    void Apply(const TextImportSettings& settings);

    // The separator's character, '\0' when it is empty.
    char separatorCharacter() const { return separator.empty() ? '\0' : separator.front(); }

    std::int32_t separatorChoice = 0;  // semicolon, comma, space, tab, other
    std::string separator = ";";       // at most one character

private:
    void Choose(int choice);
    void OtherEdited(const QString& text);

    QButtonGroup* choices_;
    QLineEdit* other_;
    CFilePreview* preview_;
};

}  // namespace kalderon
