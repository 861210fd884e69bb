#include "common/ui/FileDialogs.h"

#include <QMdiSubWindow>
#include <QRegularExpression>
#include <QStringList>
#include <algorithm>

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

QString FileDialogs::OpenFileName(QWidget* parent, const QString& title, FileKind kind, const QString& filter,
                                  QString* chosenFilter)
{
    const QString path = OpenFileName(parent, title, LastFolder(kind), filter, chosenFilter);
    if (!path.isEmpty()) StoreLastFolder(kind, path);
    return path;
}

QString FileDialogs::SaveFileName(QWidget* parent, const QString& title, FileKind kind, const QString& filter,
                                  const QString& defaultSuffix, QString* selectedFilter)
{
    const QString start = LastFolder(kind) + SuggestedFileName(WindowTitleOf(parent));
    const QString path = SaveFileName(parent, title, start, filter, defaultSuffix, selectedFilter);
    if (!path.isEmpty()) StoreLastFolder(kind, path);
    return path;
}

QString SuggestedFileName(const QString& windowTitle)
{
    constexpr qsizetype kLongest = 120;
    const auto isSeparator = [](QChar c) { return c == QLatin1Char('/') || c == QLatin1Char('\\'); };
    QString name = windowTitle;
    // A separator between blanks ("Life table / Cutler-Ederer") is no path.
    for (qsizetype i = 0; i < name.size(); ++i) {
        const bool blankBefore = i == 0 || name[i - 1] == QLatin1Char(' ');
        const bool blankAfter = i + 1 == name.size() || name[i + 1] == QLatin1Char(' ');
        if (isSeparator(name[i]) && blankBefore && blankAfter) name[i] = QLatin1Char('-');
    }
    const auto firstSeparator = std::find_if(name.cbegin(), name.cend(), isSeparator) - name.cbegin();
    if (firstSeparator < name.size()) {
        // The folders: from the word the first separator stands in up to the
        // last separator.
        const qsizetype lastSeparator =
            name.size() - 1 - (std::find_if(name.crbegin(), name.crend(), isSeparator) - name.crbegin());
        const qsizetype start = firstSeparator == 0 ? 0 : name.lastIndexOf(QLatin1Char(' '), firstSeparator - 1) + 1;
        name = name.left(start) + name.mid(lastSeparator + 1);
    }
    // The extension of a file name, so that the file's own type decides it.
    static const QRegularExpression extension(QStringLiteral("(?<=\\S)\\.[A-Za-z0-9]{1,4}(?=\\s|$)"));
    name.remove(extension);
    const QString invalid = QStringLiteral("/\\:*?\"<>|");
    for (QChar& c : name)
        if (c.unicode() < 0x20 || c.unicode() == 0x7F || invalid.contains(c)) c = QLatin1Char('_');
    name = name.simplified();
    while (name.startsWith(QLatin1Char('.'))) name.remove(0, 1);
    return name.left(kLongest).trimmed();
}

QString WindowTitleOf(const QWidget* widget)
{
    for (const QWidget* w = widget; w != nullptr; w = w->parentWidget())
        if (qobject_cast<const QMdiSubWindow*>(w)) return w->windowTitle();
    return widget ? widget->window()->windowTitle() : QString();
}

}  // namespace kalderon
