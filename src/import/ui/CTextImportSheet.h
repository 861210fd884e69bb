#pragma once

#include <QWizard>

#include "import/TextImportSettings.h"

namespace kalderon {

class CTextImportPage1;
class CTextImportPage2A;
class CTextImportPage2B;
class CTextImportPage3A;
class Messages;

// The text import wizard: free format or fixed columns, the separator, and
// where each role stands, each page with a live preview of the file.  Its
// pages' members are the import settings.
class CTextImportSheet : public QWizard {
    Q_OBJECT
public:
    // Ids of the wizard's buttons besides Cancel (button::kCancel).
    static constexpr int kBackButton = 0x3023;
    static constexpr int kNextButton = 0x3024;
    static constexpr int kFinishButton = 0x3025;

    CTextImportSheet(const QString& path, Messages& messages, QWidget* parent = nullptr);

    TextImportSettings settings() const;
    // Sets every page from settings kept from an earlier import.
    void ApplySettings(const TextImportSettings& settings);

    // The page's own test, then, on Finish, two roles on one column: they
    // are allowed, but only when the person confirms them.
    bool validateCurrentPage() override;

    CTextImportPage1* page1() const { return page1_; }
    CTextImportPage2A* page2A() const { return page2A_; }
    CTextImportPage3A* page3A() const { return page3A_; }
    CTextImportPage2B* page2B() const { return page2B_; }

private:
    CTextImportPage1* page1_;
    CTextImportPage2A* page2A_;
    CTextImportPage3A* page3A_;
    CTextImportPage2B* page2B_;
    Messages& messages_;
};

}  // namespace kalderon
