#pragma once

#include <map>
#include <string>
#include <utility>

namespace kalderon {

// The per-user settings store that chart defaults are read from and written
// to.  Sections are key paths below the application's key, with "\" between
// the parts ("Charts\Kaplan-Meier\XAxis").
class ChartProfile {
public:
    virtual ~ChartProfile() = default;

    virtual std::string GetString(const std::string& section, const std::string& name,
                                  const std::string& defaultValue) const = 0;
    virtual int GetInt(const std::string& section, const std::string& name, int defaultValue) const = 0;
    virtual void WriteString(const std::string& section, const std::string& name, const std::string& value) = 0;
    virtual void WriteInt(const std::string& section, const std::string& name, int value) = 0;
    // Deletes the section with every section below it; false when there was
    // nothing to delete.
    virtual bool DeleteSection(const std::string& section) = 0;
};

// A profile held in memory: for tests and for runs that must not depend on
// the user's settings.
class MemoryChartProfile : public ChartProfile {
public:
    std::string GetString(const std::string& section, const std::string& name,
                          const std::string& defaultValue) const override;
    int GetInt(const std::string& section, const std::string& name, int defaultValue) const override;
    void WriteString(const std::string& section, const std::string& name, const std::string& value) override;
    void WriteInt(const std::string& section, const std::string& name, int value) override;
    bool DeleteSection(const std::string& section) override;

    bool empty() const { return values_.empty(); }

private:
    struct Value {
        bool isText = false;
        std::string text;
        int number = 0;
    };
    const Value* Find(const std::string& section, const std::string& name) const;

    std::map<std::pair<std::string, std::string>, Value> values_;
};

}  // namespace kalderon
