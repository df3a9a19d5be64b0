#include "app/directories.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "support/test_folder.h"

namespace {

namespace fs = std::filesystem;

TEST(CreateDirectoriesTest, CreatesEveryMissingFolder) {
    const fs::path base = testsupport::NewFolder("dirs");
    EXPECT_TRUE(CreateDirectories((base / "a/b/c").string()));
    EXPECT_TRUE(fs::is_directory(base / "a/b/c"));
    EXPECT_TRUE(CreateDirectories((base / "a/b/c").string()));  // already there
    EXPECT_TRUE(CreateDirectories((base / "d").string() + "/"));
    EXPECT_TRUE(fs::is_directory(base / "d"));
    EXPECT_TRUE(CreateDirectories((base / "x//y").string()));
    EXPECT_TRUE(fs::is_directory(base / "x/y"));
}

TEST(CreateDirectoriesTest, RefusesPathsPast260Characters) {
    const fs::path base = testsupport::NewFolder("long");
    const std::string prefix = base.string() + "/";
    const std::string tooLong = prefix + "p/" + std::string(261 - prefix.size() - 2, 'x');
    ASSERT_EQ(tooLong.size(), 261u);
    EXPECT_FALSE(CreateDirectories(tooLong));
    EXPECT_FALSE(fs::exists(base / "p"));

    const std::string fits = tooLong.substr(0, 260);
    EXPECT_TRUE(CreateDirectories(fits));
    EXPECT_TRUE(fs::is_directory(fits));
}

TEST(CreateDirectoriesTest, FailsWhereAFileStands) {
    const fs::path base = testsupport::NewFolder("blocked");
    testsupport::WriteFile(base / "file", "x");
    EXPECT_FALSE(CreateDirectories((base / "file/inner").string()));
}

TEST(PrivateTempDirTest, LivesInTheUsersTemporaryFolder) {
    const std::string dir = GetPrivateTempDir();
    EXPECT_EQ(dir, std::string(std::getenv("TMPDIR")) + "/~TarvoTemp.92482B06FB471E17/");
    EXPECT_TRUE(fs::is_directory(dir));
    EXPECT_EQ(GetPrivateTempDir(), dir);

    ::setenv("TMPDIR", (testsupport::Root() / "no/such/folder").c_str(), 1);
    EXPECT_EQ(GetPrivateTempDir(), "");
}

}  // namespace
