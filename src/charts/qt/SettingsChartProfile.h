#pragma once

#include <QSettings>

#include "charts/ChartProfile.h"

namespace kalderon {

// Chart defaults in the user's settings: an INI file of the organisation
// "QOV" and the application "KALDERON".  Section paths become settings
// groups ("Charts\Kaplan-Meier\XAxis" → "Charts/Kaplan-Meier/XAxis"); texts
// keep their bytes.
class SettingsChartProfile : public ChartProfile {
public:
    SettingsChartProfile();

    std::string GetString(const std::string& section, const std::string& name,
                          const std::string& defaultValue) const override;
    int GetInt(const std::string& section, const std::string& name, int defaultValue) const override;
    void WriteString(const std::string& section, const std::string& name, const std::string& value) override;
    void WriteInt(const std::string& section, const std::string& name, int value) override;
    bool DeleteSection(const std::string& section) override;

    // Writes pending changes to the file.
    void Sync() { settings_.sync(); }

private:
    mutable QSettings settings_;
};

}  // namespace kalderon
