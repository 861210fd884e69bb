#include "charts/ChartFile.h"

#include <cerrno>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <sys/stat.h>
#include <unistd.h>

#include "charts/LifeTableChart.h"
#include "common/SafeFileWrite.h"
#include "resources/StringTable.h"

namespace kalderon {

std::string FullPath(const std::string& path)
{
    std::error_code error;
    std::filesystem::path full = std::filesystem::absolute(path, error);
    return error ? path : full.lexically_normal().string();
}

namespace {

std::string ReadWholeFile(const std::string& path, bool& ok)
{
    std::ifstream in(path, std::ios::binary);
    std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    ok = in.good() || in.eof();
    return bytes;
}

// Makes `backup` a complete copy of the file at `path` without ever leaving
// either name incomplete: a second name of the file is renamed over the old
// backup, or, where the file system has no such names, a copy is written
// safely.  True when there is nothing to keep.
bool KeepBackup(const std::string& path, const std::string& backup)
{
    struct stat status {};
    if (::stat(path.c_str(), &status) != 0) return errno == ENOENT;
    const std::string link = backup + "." + std::to_string(::getpid()) + ".tmp";
    ::unlink(link.c_str());
    if (::link(path.c_str(), link.c_str()) == 0) {
        if (::rename(link.c_str(), backup.c_str()) == 0) return true;
        ::unlink(link.c_str());
        return false;
    }
    bool read = false;
    const std::string old = ReadWholeFile(path, read);
    std::string reason;
    return read && WriteFileSafely(backup, old, reason);
}

}  // namespace

bool WriteChartFile(LifeTableChart& chart, const std::string& path)
{
    const auto produce = [&chart](const auto& write) {
        SerializeChart(chart, write);
        return true;
    };
    std::string reason;
    if (!KeepBackup(path, path + ".BAK") || !WriteFileSafely(path, produce, reason)) return false;
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
