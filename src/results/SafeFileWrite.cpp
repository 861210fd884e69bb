#include "results/SafeFileWrite.h"

#include <atomic>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace kalderon {
namespace {

std::string FolderOf(const std::string& path)
{
    const size_t slash = path.rfind('/');
    return slash == std::string::npos ? std::string() : path.substr(0, slash + 1);
}

std::string FileNameOf(const std::string& path)
{
    const size_t slash = path.rfind('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

// Creates a file no one else has in the target's folder; -1 with errno set
// when the folder does not take new files.
int CreateTemporaryBeside(const std::string& path, std::string& temporary)
{
    static std::atomic<unsigned> counter{0};
    for (int attempt = 0; attempt < 100; ++attempt) {
        temporary = FolderOf(path) + "." + FileNameOf(path) + "." + std::to_string(::getpid()) + "." +
                    std::to_string(counter++) + ".tmp";
        const int fd = ::open(temporary.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd >= 0 || errno != EEXIST) return fd;
    }
    return -1;
}

bool WriteAll(int fd, std::string_view bytes)
{
    size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t written = ::write(fd, bytes.data() + done, bytes.size() - done);
        if (written < 0) {
            if (errno == EINTR) continue;
            return false;
        }
        done += static_cast<size_t>(written);
    }
    return true;
}

}  // namespace

bool WriteFileSafely(const std::string& path, const std::string& bytes, std::string& reason)
{
    return WriteFileSafely(path, [&bytes](const ByteWriter& write) { write(bytes); }, reason);
}

bool WriteFileSafely(const std::string& path, const std::function<void(const ByteWriter&)>& produce,
                     std::string& reason)
{
    struct stat target {};
    const bool replacing = ::stat(path.c_str(), &target) == 0;
    if (replacing && S_ISDIR(target.st_mode)) {
        reason = std::strerror(EISDIR);
        return false;
    }
    std::string temporary;
    const int fd = CreateTemporaryBeside(path, temporary);
    if (fd < 0) {
        reason = std::strerror(errno);
        return false;
    }
    bool written = true;
    int error = 0;
    try {
        produce([&](std::string_view piece) {
            if (written && !WriteAll(fd, piece)) {
                written = false;
                error = errno;
            }
        });
    } catch (...) {
        ::close(fd);
        ::unlink(temporary.c_str());
        throw;
    }
    bool ok = written && (!replacing || ::fchmod(fd, target.st_mode & 07777) == 0) && ::fsync(fd) == 0;
    if (written && !ok) error = errno;
    if (::close(fd) != 0 && ok) {
        ok = false;
        error = errno;
    }
    if (ok && ::rename(temporary.c_str(), path.c_str()) != 0) {
        ok = false;
        error = errno;
    }
    if (!ok) {
        ::unlink(temporary.c_str());
        reason = std::strerror(error);
    }
    return ok;
}

}  // namespace kalderon
