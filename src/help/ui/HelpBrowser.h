#pragma once

#include <QTextBrowser>

namespace kalderon {

class ChmArchive;

// The page of the help viewer: shows the pages and pictures stored in the
// help file, addressed as "chm:/html/quick_tour.htm", and follows their
// links inside the file.
class HelpBrowser : public QTextBrowser {
    Q_OBJECT
public:
    HelpBrowser(const ChmArchive& archive, QWidget* parent = nullptr);

    // The address of a stored file ("/html/quick_tour.htm").
    static QUrl PageUrl(const QString& storedName);

    QVariant loadResource(int type, const QUrl& name) override;

private:
    const ChmArchive& archive_;
};

}  // namespace kalderon
