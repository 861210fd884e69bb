#pragma once

#include <memory>
#include <optional>
#include <string>
#include <vector>

struct chmFile;

namespace kalderon {

// A compiled help file opened for reading: the names of the files it holds
// ("/html/quick_tour.htm") and their bytes.
class ChmArchive {
public:
    // Null when the file is missing or is no compiled help file.
    static std::unique_ptr<ChmArchive> Open(const std::string& path);
    ~ChmArchive();
    ChmArchive(const ChmArchive&) = delete;
    ChmArchive& operator=(const ChmArchive&) = delete;

    // Every stored file (no folders, no internal files of the format), in
    // the order of the archive's directory.
    const std::vector<std::string>& Files() const { return files_; }
    bool Contains(const std::string& name) const;
    // The bytes of a stored file; nothing when it is not stored.
    std::optional<std::string> Read(const std::string& name) const;
    // The first stored file whose name ends in `extension` (".hhc").
    std::string FirstFileEndingIn(const std::string& extension) const;

private:
    explicit ChmArchive(chmFile* handle);

    chmFile* handle_;
    std::vector<std::string> files_;
};

}  // namespace kalderon
