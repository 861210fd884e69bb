#include "import/ChildProcessPipe.h"

#include <algorithm>
#include <cerrno>
#include <csignal>
#include <cstring>
#include <fcntl.h>
#include <sys/wait.h>
#include <unistd.h>

namespace kalderon {
namespace {

constexpr size_t kPieceSize = 1 << 16;

void SendAll(int fd, const char* data, size_t size)
{
    while (size > 0) {
        const ssize_t sent = ::write(fd, data, size);
        if (sent < 0 && errno == EINTR) continue;
        if (sent <= 0) ::_exit(3);  // the parent has gone
        data += sent;
        size -= static_cast<size_t>(sent);
    }
}

}  // namespace

void PipeWriter::Bytes(const void* data, size_t size)
{
    buffer_.append(static_cast<const char*>(data), size);
    if (buffer_.size() >= kPieceSize) Flush();
}

void PipeWriter::Text(std::string_view text)
{
    Integer(static_cast<std::int64_t>(text.size()));
    Bytes(text.data(), text.size());
}

void PipeWriter::Flush()
{
    SendAll(fd_, buffer_.data(), buffer_.size());
    buffer_.clear();
}

ReadResult<std::unique_ptr<ChildProcessPipe>> ChildProcessPipe::Start(const std::function<void(PipeWriter&)>& work)
{
    int ends[2];
    if (::pipe2(ends, O_CLOEXEC) != 0) return ReaderFault::Described(std::strerror(errno));
    const pid_t child = ::fork();
    if (child < 0) {
        const int error = errno;
        ::close(ends[0]);
        ::close(ends[1]);
        return ReaderFault::Described(std::strerror(error));
    }
    if (child == 0) {
        ::close(ends[0]);
        const int nowhere = ::open("/dev/null", O_WRONLY);
        if (nowhere >= 0) {
            ::dup2(nowhere, STDOUT_FILENO);
            ::dup2(nowhere, STDERR_FILENO);
        }
        try {
            PipeWriter writer(ends[1]);
            work(writer);
        } catch (...) {
            ::_exit(4);
        }
        ::_exit(0);
    }
    ::close(ends[1]);
    return std::unique_ptr<ChildProcessPipe>(new ChildProcessPipe(child, ends[0]));
}

ChildProcessPipe::~ChildProcessPipe()
{
    ::close(fd_);
    ::kill(child_, SIGKILL);
    while (::waitpid(child_, nullptr, 0) < 0 && errno == EINTR) {
    }
}

bool ChildProcessPipe::Bytes(void* data, size_t size)
{
    char* out = static_cast<char*>(data);
    while (size > 0) {
        if (at_ == buffer_.size()) {
            buffer_.resize(kPieceSize);
            at_ = 0;
            ssize_t got;
            do {
                got = ::read(fd_, buffer_.data(), buffer_.size());
            } while (got < 0 && errno == EINTR);
            buffer_.resize(got > 0 ? static_cast<size_t>(got) : 0);
            if (got <= 0) return false;
        }
        const size_t take = std::min(size, buffer_.size() - at_);
        std::memcpy(out, buffer_.data() + at_, take);
        at_ += take;
        out += take;
        size -= take;
    }
    return true;
}

bool ChildProcessPipe::Text(std::string& text)
{
    std::int64_t size = 0;
    if (!Integer(size) || size < 0 || size > (std::int64_t{1} << 31)) return false;
    text.resize(static_cast<size_t>(size));
    return Bytes(text.data(), text.size());
}

}  // namespace kalderon
