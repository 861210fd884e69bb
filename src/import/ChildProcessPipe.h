#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <sys/types.h>

#include "import/ReaderFault.h"

namespace kalderon {

// The writing end in the child: bytes are buffered and sent in large pieces.
class PipeWriter {
public:
    explicit PipeWriter(int fd) : fd_(fd) {}
    ~PipeWriter() { Flush(); }

    void Bytes(const void* data, size_t size);
    void Byte(std::uint8_t value) { Bytes(&value, 1); }
    void Integer(std::int64_t value) { Bytes(&value, sizeof value); }
    void Real(double value) { Bytes(&value, sizeof value); }
    void Text(std::string_view text);
    void Flush();

private:
    int fd_;
    std::string buffer_;
};

// A child process that runs `work` with a writer on a pipe and ends; the
// parent reads what it wrote.  The child's standard output and error go
// nowhere.  Destroying the object before the end of the data stops the child.
class ChildProcessPipe {
public:
    // The running child, or the system's reason why no pipe or process could
    // be made.
    static ReadResult<std::unique_ptr<ChildProcessPipe>> Start(const std::function<void(PipeWriter&)>& work);
    ~ChildProcessPipe();
    ChildProcessPipe(const ChildProcessPipe&) = delete;
    ChildProcessPipe& operator=(const ChildProcessPipe&) = delete;

    // False when the child ended (or broke off) before `size` more bytes came.
    bool Bytes(void* data, size_t size);
    bool Byte(std::uint8_t& value) { return Bytes(&value, 1); }
    bool Integer(std::int64_t& value) { return Bytes(&value, sizeof value); }
    bool Real(double& value) { return Bytes(&value, sizeof value); }
    bool Text(std::string& text);

private:
    ChildProcessPipe(pid_t child, int fd) : child_(child), fd_(fd) {}

    pid_t child_ = -1;
    int fd_ = -1;
    std::string buffer_;
    size_t at_ = 0;
};

}  // namespace kalderon
