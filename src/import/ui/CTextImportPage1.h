#pragma once

#include <QWizardPage>
#include <cstdint>
#include <memory>

#include "import/TextImportSettings.h"

namespace kalderon {

class CFilePreview;
struct PreviewLines;

// Wizard page kId: free format or fixed columns.
class CTextImportPage1 : public QWizardPage {
    Q_OBJECT
public:
    static constexpr int kId = 132;
    // Ids of the page's radio buttons.
    static constexpr int kFreeFormatRadio = 1005;
    static constexpr int kFixedColumnsRadio = 1006;

    explicit CTextImportPage1(std::shared_ptr<const PreviewLines> file, QWidget* parent = nullptr);

    int nextId() const override;
    // Chooses the format of remembered settings.
    void Apply(const TextImportSettings& settings);

    std::int32_t format = 0;  // 0 free (with delimiters), 1 fixed columns

private:
    CFilePreview* preview_;
};

}  // namespace kalderon
