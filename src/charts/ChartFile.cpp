#include "charts/ChartFile.h"

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>

#include "charts/LifeTableChart.h"
#include "resources/StringTable.h"

namespace kalderon {

std::string FullPath(const std::string& path)
{
    std::error_code error;
    std::filesystem::path full = std::filesystem::absolute(path, error);
    return error ? path : full.lexically_normal().string();
}

bool WriteChartFile(LifeTableChart& chart, const std::string& path)
{
    const std::string backup = path + ".BAK";
    std::error_code ignored;
    std::filesystem::remove(backup, ignored);
    std::filesystem::rename(path, backup, ignored);

    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    if (!out) return false;
    const std::string bytes = SerializeChart(chart);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    out.close();
    if (!out) return false;
    chart.modifiedFlag = 0;
    return true;
}

ChartFileStatus OpenChartFile(const std::string& path, LifeTableChart& chart)
{
    std::ifstream in(path, std::ios::binary);
    if (!in || std::filesystem::is_directory(path)) return ChartFileStatus::kCannotOpen;
    const std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    if (in.bad()) return ChartFileStatus::kCannotOpen;
    const ChartFileStatus status = ParseChartFile(bytes, chart);
    if (status == ChartFileStatus::kOk) chart.chartPath = FullPath(path);
    return status;
}

std::string ChartFileMessage(ChartFileStatus status, const std::string& path)
{
    if (status == ChartFileStatus::kOk) return {};
    const std::string full = FullPath(path);
    const std::string& format = LoadString(static_cast<int>(status));
    std::string message(format.size() + full.size() + 1, '\0');
    const int length = std::snprintf(message.data(), message.size(), format.c_str(), full.c_str());
    message.resize(length > 0 ? static_cast<std::size_t>(length) : 0);
    return message;
}

}  // namespace kalderon
