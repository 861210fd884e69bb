#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <string>
#include <unistd.h>

namespace kalderon::fuzz {

// The input as a file of its own, for readers that take a path; removed when
// the object goes.
class InputFile {
public:
    InputFile(const std::uint8_t* data, std::size_t size, const std::string& name)
    {
        char folder[] = "/tmp/kalderon-fuzz-XXXXXX";
        folder_ = mkdtemp(folder) ? folder : "/tmp";
        path_ = folder_ + "/" + name;
        if (std::FILE* file = std::fopen(path_.c_str(), "wb")) {
            std::fwrite(data, 1, size, file);
            std::fclose(file);
        }
    }
    ~InputFile()
    {
        ::unlink(path_.c_str());
        ::rmdir(folder_.c_str());
    }
    InputFile(const InputFile&) = delete;
    InputFile& operator=(const InputFile&) = delete;

    const std::string& path() const { return path_; }
    const std::string& folder() const { return folder_; }

private:
    std::string folder_;
    std::string path_;
};

}  // namespace kalderon::fuzz
