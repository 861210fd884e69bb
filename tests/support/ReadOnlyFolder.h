#pragma once

#include <cstdio>
#include <cstdlib>
#include <string>

#include <sys/stat.h>
#include <unistd.h>

namespace kalderon::testing {

// Makes a folder take no new files for the lifetime of the object: its
// permissions, and for the superuser, whom permissions do not stop, the
// immutable attribute.  works() says whether the folder really refuses.
class ReadOnlyFolder {
public:
    explicit ReadOnlyFolder(std::string folder) : folder_(std::move(folder))
    {
        chmod(folder_.c_str(), 0555);
        if (geteuid() == 0) immutable_ = Attribute("+i");
        const std::string probe = folder_ + "/.probe";
        if (std::FILE* file = std::fopen(probe.c_str(), "w")) {
            std::fclose(file);
            std::remove(probe.c_str());
        } else {
            works_ = true;
        }
    }
    ~ReadOnlyFolder()
    {
        if (immutable_) Attribute("-i");
        chmod(folder_.c_str(), 0755);
    }
    ReadOnlyFolder(const ReadOnlyFolder&) = delete;
    ReadOnlyFolder& operator=(const ReadOnlyFolder&) = delete;

    bool works() const { return works_; }

private:
    bool Attribute(const char* change) const
    {
        const std::string command = std::string("chattr ") + change + " '" + folder_ + "' 2>/dev/null";
        return std::system(command.c_str()) == 0;
    }

    std::string folder_;
    bool immutable_ = false;
    bool works_ = false;
};

}  // namespace kalderon::testing
