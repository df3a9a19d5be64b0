#include "records/registry_store.h"

#include <gtest/gtest.h>
#include <stdlib.h>

#include <filesystem>

#include "support/test_folder.h"

namespace {

TEST(RegistryStore, LivesBelowTheUsersConfigFolder) {
    EXPECT_EQ(RegistryStore(kProductKeyPath).FilePath(),
              std::string(std::getenv("XDG_CONFIG_HOME")) + "/TarvoSoft/VantyxAudioEditor.reg");
    ::unsetenv("XDG_CONFIG_HOME");
    EXPECT_EQ(RegistryStore(kProductKeyPath).FilePath(),
              std::string(std::getenv("HOME")) + "/.config/TarvoSoft/VantyxAudioEditor.reg");
}

TEST(RegistryStore, ValuesRoundTripWhole) {
    const std::string values[] = {
        "/opt/Vantyx 音频", "",      "  blanks around  ",    "back\\slash\\n",
        "two\nlines\r\n",   "a=b=c", std::string(1000, 'x'),
    };
    for (const std::string& value : values) {
        ASSERT_TRUE(WriteRegistryValue("InstallPath", value));
        std::string read = "untouched";
        ASSERT_TRUE(ReadRegistryValue("InstallPath", read));
        EXPECT_EQ(read, value);
    }
}

TEST(RegistryStore, NamesIgnoreLetterCaseAndOtherValuesStay) {
    ASSERT_TRUE(WriteRegistryValue("InstallPath", "/a"));
    ASSERT_TRUE(WriteRegistryValue("UnInstallEp", "/a/uninst.ep"));
    ASSERT_TRUE(WriteRegistryValue("INSTALLPATH", "/b"));
    std::string value;
    ASSERT_TRUE(ReadRegistryValue("installpath", value));
    EXPECT_EQ(value, "/b");
    ASSERT_TRUE(ReadRegistryValue("UnInstallEp", value));
    EXPECT_EQ(value, "/a/uninst.ep");
    EXPECT_EQ(testsupport::ReadFile(RegistryStore(kProductKeyPath).FilePath()),
              "InstallPath=/b\nUnInstallEp=/a/uninst.ep\n");
}

TEST(RegistryStore, MissingValuesLeaveTheTextAlone) {
    std::string value = "kept";
    EXPECT_FALSE(ReadRegistryValue("InstallPath", value));
    ASSERT_TRUE(WriteRegistryValue("Other", "x"));
    EXPECT_FALSE(ReadRegistryValue("InstallPath", value));
    EXPECT_EQ(value, "kept");
    EXPECT_FALSE(WriteRegistryValue("bad=name", "x"));
}

}  // namespace
