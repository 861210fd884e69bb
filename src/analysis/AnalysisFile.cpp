#include "analysis/AnalysisFile.h"

#include <filesystem>
#include <fstream>
#include <iterator>
#include <nlohmann/json.hpp>

#include "common/TextFormat.h"
#include "resources/Texts.h"

namespace kalderon {
namespace {

namespace fs = std::filesystem;
using Json = nlohmann::ordered_json;

constexpr const char* kVersionKey = "kalderon analysis";
constexpr const char* kDataKey = "data";
constexpr const char* kOptionsKey = "options";

// The path relative to `folder` when it lies in it, else absolute.
std::string StoredDataPath(const std::string& dataPath, const fs::path& folder)
{
    const fs::path data = fs::absolute(dataPath).lexically_normal();
    const fs::path relative = data.lexically_relative(folder);
    if (relative.empty() || *relative.begin() == "..") return data.string();
    return relative.string();
}

Json OptionValue(const StoredOption& option)
{
    if (option.values.empty()) return true;
    if (option.values.size() == 1) return option.values.front();
    return option.values;
}

ReaderFault Fault(const std::string& path, const std::string& reason)
{
    return ReaderFault::Described(FormatText(text::kAnalysisFileFault, path, reason));
}

// The values of an option as the file holds them: true for a switch, a
// text, or a list of texts.
std::optional<std::vector<std::string>> ValuesOf(const Json& value)
{
    if (value.is_boolean() && value.get<bool>()) return std::vector<std::string>{};
    if (value.is_string()) return std::vector<std::string>{value.get<std::string>()};
    if (!value.is_array() || value.empty()) return std::nullopt;
    std::vector<std::string> values;
    for (const Json& item : value) {
        if (!item.is_string()) return std::nullopt;
        values.push_back(item.get<std::string>());
    }
    return values;
}

}  // namespace

std::string AnalysisFileText(const AnalysisFile& analysis, const std::string& analysisPath)
{
    Json file;
    file[kVersionKey] = kAnalysisFileVersion;
    file[kDataKey] = StoredDataPath(analysis.dataPath, fs::absolute(analysisPath).lexically_normal().parent_path());
    Json options = Json::object();
    for (const StoredOption& option : analysis.options) options[option.name] = OptionValue(option);
    file[kOptionsKey] = std::move(options);
    return file.dump(2) + "\n";
}

ReadResult<AnalysisFile> ReadAnalysisFile(const std::string& path,
                                          const std::function<bool(std::string_view name)>& isOption)
{
    std::ifstream in(path, std::ios::binary);
    if (!in) return Fault(path, text::kAnalysisFileUnreadable);
    const std::string bytes{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    const Json file = Json::parse(bytes, nullptr, false);
    if (file.is_discarded() || !file.is_object() || !file.contains(kVersionKey) || !file[kVersionKey].is_number_integer())
        return Fault(path, text::kAnalysisFileNotOne);
    const auto version = file[kVersionKey].get<std::int64_t>();
    if (version > kAnalysisFileVersion || version < 1)
        return Fault(path, FormatText(text::kAnalysisFileLaterVersion, static_cast<long>(version)));
    for (const auto& [key, value] : file.items())
        if (key != kVersionKey && key != kDataKey && key != kOptionsKey)
            return Fault(path, FormatText(text::kAnalysisFileUnknownKey, key));
    if (!file.contains(kDataKey) || !file[kDataKey].is_string() || file[kDataKey].get<std::string>().empty())
        return Fault(path, text::kAnalysisFileNoData);

    AnalysisFile analysis;
    const fs::path data = file[kDataKey].get<std::string>();
    const fs::path folder = fs::absolute(path).lexically_normal().parent_path();
    std::error_code error;
    analysis.dataPath = StoredDataPath((data.is_absolute() ? data : folder / data).string(), fs::current_path(error));
    if (!fs::exists(analysis.dataPath, error))
        return Fault(path, FormatText(text::kAnalysisFileDataGone, analysis.dataPath));

    if (file.contains(kOptionsKey)) {
        const Json& options = file[kOptionsKey];
        if (!options.is_object()) return Fault(path, text::kAnalysisFileNotOne);
        for (const auto& [name, value] : options.items()) {
            if (!isOption(name)) return Fault(path, FormatText(text::kAnalysisFileUnknownOption, name));
            std::optional<std::vector<std::string>> values = ValuesOf(value);
            if (!values) return Fault(path, FormatText(text::kAnalysisFileBadValue, name));
            analysis.options.push_back({name, std::move(*values)});
        }
    }
    return analysis;
}

}  // namespace kalderon
