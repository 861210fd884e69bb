#pragma once

#include <functional>
#include <string>
#include <string_view>

namespace kalderon {

// Writes the bytes to `path` so that a file already there is never lost: the
// bytes go to a new file in the same folder, which replaces the old one only
// once every byte is on disk.  False, with the system's reason in `reason`
// and any old file unchanged, when that fails.  A replaced file keeps its
// permissions; a new one gets the usual ones of the process.
bool WriteFileSafely(const std::string& path, const std::string& bytes, std::string& reason);

// The same for bytes that `produce` hands, piece by piece, to the writer it
// is called with, so that they need not be in memory all at once.  When
// `produce` returns false the old file stays and `reason` is left empty.
using ByteWriter = std::function<void(std::string_view)>;
bool WriteFileSafely(const std::string& path, const std::function<bool(const ByteWriter&)>& produce,
                     std::string& reason);

// The steps of WriteFileSafely one by one, for files written side by side
// and replaced together: the bytes go to a new file beside `path`, which
// Commit puts in its place; a file not committed is removed on destruction.
class SafeFile {
public:
    SafeFile() = default;
    SafeFile(const SafeFile&) = delete;
    SafeFile& operator=(const SafeFile&) = delete;
    ~SafeFile() { Discard(); }

    // False, with the system's reason, when the new file cannot be made.
    bool Open(const std::string& path, std::string& reason);
    // A failed write is reported by Commit.
    void Write(std::string_view bytes);
    // Puts the bytes written so far on disk ahead of Commit, for a file
    // finished before the one it is committed with; a failure is reported
    // by Commit.
    void Sync();
    // Puts every byte on disk and the file in place of any old one; false,
    // with the system's reason and the old file unchanged, when that fails.
    bool Commit(std::string& reason);
    // Removes the new file, leaving any old one as it was.
    void Discard();

private:
    std::string path_;
    std::string temporary_;
    int fd_ = -1;
    bool replacing_ = false;
    unsigned mode_ = 0;
    bool synced_ = false;
    int error_ = 0;  // the first failed write's errno
};

}  // namespace kalderon
