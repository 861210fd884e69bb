#include "help/ui/HelpBrowser.h"

#include "common/ui/UiText.h"
#include "help/ChmArchive.h"

namespace kalderon {

HelpBrowser::HelpBrowser(const ChmArchive& archive, QWidget* parent) : QTextBrowser(parent), archive_(archive)
{
    setOpenLinks(true);
    setOpenExternalLinks(false);
}

QUrl HelpBrowser::PageUrl(const QString& storedName)
{
    QUrl url;
    url.setScheme(QStringLiteral("chm"));
    url.setPath(storedName.startsWith(QLatin1Char('/')) ? storedName : QLatin1Char('/') + storedName);
    return url;
}

QVariant HelpBrowser::loadResource(int type, const QUrl& name)
{
    if (name.scheme() != QLatin1String("chm")) return {};
    const std::optional<std::string> bytes = archive_.Read(PathBytes(name.path()));
    if (!bytes) return {};
    return QByteArray(bytes->data(), static_cast<qsizetype>(bytes->size()));
}

}  // namespace kalderon
