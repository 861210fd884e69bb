#include "common/ui/FileDialogs.h"

#include <QStringList>

#include "resources/Texts.h"

namespace kalderon {

QString SaveSuffix(const QString& chosenEntry, const QString& defaultSuffix)
{
    const qsizetype star = chosenEntry.indexOf(QLatin1String("(*."));
    const QString pattern = star < 0 ? QString() : chosenEntry.mid(star + 3).chopped(1);
    const bool single = !pattern.isEmpty() && !pattern.contains(QLatin1Char(' ')) && !pattern.contains(QLatin1Char('*'));
    return (single ? pattern : defaultSuffix).toLower();
}

QString SavedFileTitle(const QString& path, const QString& analysisTitle)
{
    if (analysisTitle.isEmpty()) return path;
    const QString format = QString::fromLatin1(text::kSavedFileTitle);
    const qsizetype first = format.indexOf(QLatin1String("%s"));
    return format.left(first) + path + format.mid(first + 2).replace(QLatin1String("%s"), analysisTitle);
}

QString QtNameFilters(const QString& filter)
{
    const QStringList parts = filter.split(QLatin1Char('|'));
    QStringList filters;
    for (qsizetype i = 0; i + 1 < parts.size() && !parts[i].isEmpty(); i += 2) {
        QStringList patterns = parts[i + 1].split(QLatin1Char(';'), Qt::SkipEmptyParts);
        for (QString& pattern : patterns)
            if (pattern == QLatin1String("*.*")) pattern = QStringLiteral("*");  // every name, with or without a dot
        QString description = parts[i];
        const qsizetype open = description.lastIndexOf(QLatin1String(" ("));
        if (open > 0 && description.endsWith(QLatin1Char(')'))) description.truncate(open);
        filters << description + QStringLiteral(" (") + patterns.join(QLatin1Char(' ')) + QLatin1Char(')');
    }
    return filters.join(QStringLiteral(";;"));
}

}  // namespace kalderon
