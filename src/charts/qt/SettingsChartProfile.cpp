#include "charts/qt/SettingsChartProfile.h"

namespace kalderon {
namespace {

QString GroupPath(const std::string& section)
{
    return QString::fromLatin1(section.data(), static_cast<qsizetype>(section.size())).replace('\\', '/');
}

QString Key(const std::string& section, const std::string& name)
{
    return GroupPath(section) + '/' + QString::fromLatin1(name.data(), static_cast<qsizetype>(name.size()));
}

}  // namespace

SettingsChartProfile::SettingsChartProfile() : settings_(QSettings::IniFormat, QSettings::UserScope, "QOV", "KALDERON")
{
}

std::string SettingsChartProfile::GetString(const std::string& section, const std::string& name,
                                            const std::string& defaultValue) const
{
    const QVariant value = settings_.value(Key(section, name));
    if (!value.isValid()) return defaultValue;
    return value.toString().toLatin1().toStdString();
}

int SettingsChartProfile::GetInt(const std::string& section, const std::string& name, int defaultValue) const
{
    const QVariant value = settings_.value(Key(section, name));
    bool ok = false;
    const int number = value.toInt(&ok);
    return ok ? number : defaultValue;
}

void SettingsChartProfile::WriteString(const std::string& section, const std::string& name, const std::string& value)
{
    settings_.setValue(Key(section, name), QString::fromLatin1(value.data(), static_cast<qsizetype>(value.size())));
}

void SettingsChartProfile::WriteInt(const std::string& section, const std::string& name, int value)
{
    settings_.setValue(Key(section, name), value);
}

bool SettingsChartProfile::DeleteSection(const std::string& section)
{
    const QString group = GroupPath(section);
    settings_.beginGroup(group);
    const bool exists = !settings_.allKeys().isEmpty();
    settings_.endGroup();
    settings_.remove(group);
    return exists;
}

}  // namespace kalderon
