#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <unistd.h>

#include "resources/ShippedFiles.h"

namespace kalderon {
namespace {

namespace fs = std::filesystem;

void Touch(const fs::path& path)
{
    fs::create_directories(path.parent_path());
    std::ofstream(path) << "x";
}

TEST(ShippedFiles, WorkingDirectoryThenInstalledFoldersThenSourceTree)
{
    const fs::path root = fs::temp_directory_path() / ("kalderon-shipped-" + std::to_string(::getpid()));
    fs::remove_all(root);
    const fs::path start = root / "home";
    const fs::path program = root / "usr" / "bin" / "kalderon";
    fs::create_directories(start);
    Touch(program);

    const std::vector<std::string> places = ShippedFileCandidates("LifeTables.mdb", start.string(), program.string());
    ASSERT_EQ(places.size(), 5u);
    EXPECT_EQ(places[0], (start / "LifeTables.mdb").string());
    EXPECT_EQ(places[1], (root / "usr/share/kalderon/LifeTables.mdb").string());
    EXPECT_EQ(places[2], (root / "usr/data/LifeTables.mdb").string());
    EXPECT_EQ(places[3], std::string(KALDERON_SOURCE_DIR) + "/data/LifeTables.mdb");
    EXPECT_EQ(places[4], std::string(KALDERON_BUILD_DIR) + "/LifeTables.mdb");

    // Nothing installed: the source tree's copy.
    EXPECT_EQ(FindShippedFile(places), places[3]);
    Touch(root / "usr/data/LifeTables.mdb");
    EXPECT_EQ(FindShippedFile(places), places[2]);
    Touch(root / "usr/share/kalderon/LifeTables.mdb");
    EXPECT_EQ(FindShippedFile(places), places[1]);
    Touch(start / "LifeTables.mdb");
    EXPECT_EQ(FindShippedFile(places), places[0]);

    // Found nowhere: the working directory, where messages say it was expected.
    const std::vector<std::string> none = ShippedFileCandidates("Nothing.mdb", start.string(), program.string());
    EXPECT_EQ(FindShippedFile(none), (start / "Nothing.mdb").string());
    // The help file is made in the build folder.
    EXPECT_EQ(FindShippedFile(ShippedFileCandidates("KALDERON.chm", start.string(), program.string())),
              std::string(KALDERON_BUILD_DIR) + "/KALDERON.chm");
    fs::remove_all(root);
}

}  // namespace
}  // namespace kalderon
