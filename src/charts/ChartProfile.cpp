#include "charts/ChartProfile.h"

#include <cstdlib>

namespace kalderon {

const MemoryChartProfile::Value* MemoryChartProfile::Find(const std::string& section,
                                                          const std::string& name) const
{
    auto it = values_.find({section, name});
    return it == values_.end() ? nullptr : &it->second;
}

std::string MemoryChartProfile::GetString(const std::string& section, const std::string& name,
                                          const std::string& defaultValue) const
{
    const Value* value = Find(section, name);
    return value && value->isText ? value->text : defaultValue;
}

int MemoryChartProfile::GetInt(const std::string& section, const std::string& name, int defaultValue) const
{
    const Value* value = Find(section, name);
    if (!value) return defaultValue;
    return value->isText ? std::atoi(value->text.c_str()) : value->number;
}

void MemoryChartProfile::WriteString(const std::string& section, const std::string& name,
                                     const std::string& value)
{
    values_[{section, name}] = Value{true, value, 0};
}

void MemoryChartProfile::WriteInt(const std::string& section, const std::string& name, int value)
{
    values_[{section, name}] = Value{false, {}, value};
}

bool MemoryChartProfile::DeleteSection(const std::string& section)
{
    const std::string below = section + "\\";
    bool found = false;
    for (auto it = values_.begin(); it != values_.end();) {
        const std::string& key = it->first.first;
        if (key == section || key.compare(0, below.size(), below) == 0) {
            it = values_.erase(it);
            found = true;
        } else {
            ++it;
        }
    }
    return found;
}

}  // namespace kalderon
