#include <gtest/gtest.h>

#include <filesystem>
#include <sys/stat.h>

#include "results/SafeFileWrite.h"
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

}  // namespace
}  // namespace kalderon
