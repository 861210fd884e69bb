#include <gtest/gtest.h>

#include <csignal>
#include <filesystem>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include "common/SafeFileWrite.h"
#include "support/ReadOnlyFolder.h"
#include "support/TempDir.h"

namespace kalderon {
namespace {

using testing::ReadBytes;
using testing::TempDir;

size_t FilesIn(const std::string& folder)
{
    size_t count = 0;
    for ([[maybe_unused]] const auto& entry : std::filesystem::directory_iterator(folder)) ++count;
    return count;
}

TEST(SafeFileWriteTest, WritesAndReplacesWithoutLeavingTemporaryFiles)
{
    TempDir dir;
    const std::string path = dir.path("report.txt");
    std::string reason;
    ASSERT_TRUE(WriteFileSafely(path, "first\r\n", reason)) << reason;
    EXPECT_EQ(ReadBytes(path), "first\r\n");
    chmod(path.c_str(), 0640);
    ASSERT_TRUE(WriteFileSafely(path, std::string(100000, 'x'), reason)) << reason;
    EXPECT_EQ(ReadBytes(path), std::string(100000, 'x'));
    struct stat st {};
    ASSERT_EQ(stat(path.c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 0777, 0640u);  // the replaced file's permissions stay
    EXPECT_EQ(FilesIn(dir.path("")), 1u);
    ASSERT_TRUE(WriteFileSafely(path, "", reason));
    EXPECT_EQ(ReadBytes(path), "");
}

TEST(SafeFileWriteTest, AFailureKeepsTheOldFileAndTellsWhy)
{
    TempDir dir;
    std::string reason;
    EXPECT_FALSE(WriteFileSafely(dir.path("no/such/folder/r.txt"), "x", reason));
    EXPECT_EQ(reason, "No such file or directory");

    std::filesystem::create_directory(dir.path("folder"));
    EXPECT_FALSE(WriteFileSafely(dir.path("folder"), "x", reason));
    EXPECT_EQ(reason, "Is a directory");

    std::filesystem::create_directory(dir.path("locked"));
    const std::string old = dir.path("locked/old.txt");
    ASSERT_TRUE(WriteFileSafely(old, "old report", reason));
    const testing::ReadOnlyFolder locked(dir.path("locked"));
    if (!locked.works()) GTEST_SKIP() << "no way to make a folder read-only here";
    EXPECT_FALSE(WriteFileSafely(old, "new report", reason));
    EXPECT_TRUE(reason == "Permission denied" || reason == "Operation not permitted") << reason;
    EXPECT_EQ(ReadBytes(old), "old report");
    EXPECT_EQ(FilesIn(dir.path("locked")), 1u);
}

TEST(SafeFileWriteTest, BytesWrittenInPiecesOrAbandonedByTheirProducer)
{
    TempDir dir;
    const std::string path = dir.path("chart.svg");
    std::string reason;
    ASSERT_TRUE(WriteFileSafely(
        path,
        [](const ByteWriter& write) {
            for (int i = 0; i < 1000; ++i) write(std::to_string(i));
            return true;
        },
        reason));
    std::string expected;
    for (int i = 0; i < 1000; ++i) expected += std::to_string(i);
    EXPECT_EQ(ReadBytes(path), expected);

    reason = "unchanged?";
    EXPECT_FALSE(WriteFileSafely(
        path,
        [](const ByteWriter& write) {
            write("half a picture");
            return false;
        },
        reason));
    EXPECT_EQ(reason, "");
    EXPECT_EQ(ReadBytes(path), expected);
    EXPECT_EQ(FilesIn(dir.path("")), 1u);
}

TEST(SafeFileWriteTest, ASafeFileSyncedEarlyStillTakesEveryByteAndThePermissions)
{
    TempDir dir;
    const std::string path = dir.path("export.csv");
    std::string reason;
    ASSERT_TRUE(WriteFileSafely(path, "old export", reason));
    ASSERT_EQ(::chmod(path.c_str(), 0640), 0);

    SafeFile file;
    ASSERT_TRUE(file.Open(path, reason));
    file.Write("synced;");
    file.Sync();
    file.Write("written after;");
    file.Sync();
    file.Write("and after that");
    EXPECT_EQ(ReadBytes(path), "old export");
    ASSERT_TRUE(file.Commit(reason)) << reason;
    EXPECT_EQ(ReadBytes(path), "synced;written after;and after that");
    struct stat status {};
    ASSERT_EQ(::stat(path.c_str(), &status), 0);
    EXPECT_EQ(status.st_mode & 07777, 0640u);
    EXPECT_EQ(FilesIn(dir.path("")), 1u);

    // Synced and never committed, it leaves the old file.
    {
        SafeFile abandoned;
        ASSERT_TRUE(abandoned.Open(path, reason));
        abandoned.Write("abandoned");
        abandoned.Sync();
    }
    EXPECT_EQ(ReadBytes(path), "synced;written after;and after that");
    EXPECT_EQ(FilesIn(dir.path("")), 1u);
}

// Runs `write` in a child process whose files may grow to `limit` bytes
// only, as on a disk that is full; the child's exit status is 0 when the
// write reported failure and left the reason "File too large".
int WriteOnFullDisk(size_t limit, const std::string& path, const std::string& bytes)
{
    const pid_t child = fork();
    if (child == 0) {
        std::signal(SIGXFSZ, SIG_IGN);
        const rlimit small{limit, limit};
        setrlimit(RLIMIT_FSIZE, &small);
        std::string reason;
        _exit(!WriteFileSafely(path, bytes, reason) && reason == "File too large" ? 0 : 1);
    }
    int status = -1;
    waitpid(child, &status, 0);
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

TEST(SafeFileWriteTest, AFullDiskOrAKilledWriterLeavesTheOldFileWhole)
{
    TempDir dir;
    const std::string path = dir.path("report.txt");
    std::string reason;
    ASSERT_TRUE(WriteFileSafely(path, "old report", reason));
    EXPECT_EQ(WriteOnFullDisk(4096, path, std::string(100000, 'n')), 0);
    EXPECT_EQ(ReadBytes(path), "old report");
    EXPECT_EQ(FilesIn(dir.path("")), 1u);

    // Killed at any moment, the writer leaves either the old or the new
    // file under the name, never a part of one.
    const std::string next(4 << 20, 'n');
    for (int delay = 0; delay < 20000; delay += 2000) {
        const pid_t child = fork();
        if (child == 0) {
            for (;;) {
                WriteFileSafely(path, next, reason);
                WriteFileSafely(path, "old report", reason);
            }
        }
        usleep(static_cast<useconds_t>(delay));
        kill(child, SIGKILL);
        waitpid(child, nullptr, 0);
        const std::string now = ReadBytes(path);
        EXPECT_TRUE(now == "old report" || now == next) << now.size() << " bytes after " << delay << " us";
    }
}

}  // namespace
}  // namespace kalderon
