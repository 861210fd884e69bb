#include "common/SafeFileWrite.h"

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
    return WriteFileSafely(
        path,
        [&bytes](const ByteWriter& write) {
            write(bytes);
            return true;
        },
        reason);
}

bool WriteFileSafely(const std::string& path, const std::function<bool(const ByteWriter&)>& produce,
                     std::string& reason)
{
    SafeFile file;
    if (!file.Open(path, reason)) return false;
    if (!produce([&file](std::string_view piece) { file.Write(piece); })) {
        reason.clear();
        return false;
    }
    return file.Commit(reason);
}

bool SafeFile::Open(const std::string& path, std::string& reason)
{
    Discard();
    struct stat target {};
    replacing_ = ::stat(path.c_str(), &target) == 0;
    if (replacing_ && S_ISDIR(target.st_mode)) {
        reason = std::strerror(EISDIR);
        return false;
    }
    mode_ = target.st_mode & 07777;
    fd_ = CreateTemporaryBeside(path, temporary_);
    if (fd_ < 0) {
        reason = std::strerror(errno);
        return false;
    }
    path_ = path;
    synced_ = false;
    error_ = 0;
    return true;
}

void SafeFile::Write(std::string_view bytes)
{
    if (fd_ >= 0 && error_ == 0 && !WriteAll(fd_, bytes)) error_ = errno;
    synced_ = false;
}

void SafeFile::Sync()
{
    if (fd_ < 0 || error_ != 0) return;
    if ((replacing_ && ::fchmod(fd_, mode_) != 0) || ::fsync(fd_) != 0)
        error_ = errno;
    else
        synced_ = true;
}

bool SafeFile::Commit(std::string& reason)
{
    if (fd_ < 0) {
        reason = std::strerror(EBADF);
        return false;
    }
    if (!synced_) Sync();
    int error = error_;
    if (::close(fd_) != 0 && error == 0) error = errno;
    fd_ = -1;
    if (error == 0 && ::rename(temporary_.c_str(), path_.c_str()) != 0) error = errno;
    if (error != 0) {
        ::unlink(temporary_.c_str());
        reason = std::strerror(error);
        return false;
    }
    return true;
}

void SafeFile::Discard()
{
    if (fd_ < 0) return;
    ::close(fd_);
    fd_ = -1;
    ::unlink(temporary_.c_str());
}

}  // namespace kalderon
