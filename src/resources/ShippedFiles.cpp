#include "resources/ShippedFiles.h"

#include <filesystem>

namespace kalderon {

namespace fs = std::filesystem;

std::vector<std::string> ShippedFileCandidates(const std::string& fileName, const std::string& workingDirectory,
                                               const std::string& programPath)
{
    std::vector<std::string> candidates{(fs::path(workingDirectory) / fileName).string()};
    if (!programPath.empty()) {
        const fs::path prefix = fs::path(programPath).parent_path().parent_path();
        candidates.push_back((prefix / "share" / "kalderon" / fileName).string());
        candidates.push_back((prefix / "data" / fileName).string());
    }
    candidates.push_back((fs::path(KALDERON_SOURCE_DATA_DIR) / fileName).string());
    candidates.push_back((fs::path(KALDERON_BUILD_DIR) / fileName).string());
    return candidates;
}

std::vector<std::string> ShippedFileCandidates(const std::string& fileName)
{
    std::error_code ec;
    const fs::path current = fs::current_path(ec);
    const fs::path program = fs::read_symlink("/proc/self/exe", ec);
    return ShippedFileCandidates(fileName, current.string(), ec ? std::string() : program.string());
}

std::string FindShippedFile(const std::vector<std::string>& candidates)
{
    std::error_code ec;
    for (const std::string& path : candidates)
        if (fs::is_regular_file(path, ec)) return path;
    return candidates.front();
}

}  // namespace kalderon
