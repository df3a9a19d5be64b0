// The main() of every test program: each test process gets a fresh folder
// that holds its HOME, XDG folders, TMPDIR and APPDATA, removed at the end.

#include <gtest/gtest.h>
#include <stdlib.h>
#include <sys/stat.h>

#include <filesystem>
#include <string>

#include "support/test_folder.h"

namespace {

void SetVariable(const char* name, const std::filesystem::path& path) {
    std::filesystem::create_directories(path);
    ::chmod(path.c_str(), 0700);
    ::setenv(name, path.c_str(), 1);
}

}  // namespace

int main(int argc, char** argv) {
    testing::InitGoogleTest(&argc, argv);

    const char* base = std::getenv("TMPDIR");
    std::string pattern = std::string(base != nullptr && *base != '\0' ? base : "/tmp") +
                          "/vantyx-test-XXXXXX";
    if (::mkdtemp(pattern.data()) == nullptr) {
        perror("mkdtemp");
        return 2;
    }
    const std::filesystem::path root = pattern;
    testsupport::SetRoot(root);
    SetVariable("HOME", root / "home");
    SetVariable("XDG_CONFIG_HOME", root / "home/.config");
    SetVariable("XDG_DATA_HOME", root / "home/.local/share");
    SetVariable("XDG_CACHE_HOME", root / "home/.cache");
    SetVariable("XDG_STATE_HOME", root / "home/.local/state");
    SetVariable("XDG_RUNTIME_DIR", root / "runtime");
    SetVariable("TMPDIR", root / "tmp");
    SetVariable("APPDATA", root / "appdata");
    // Tests steer these themselves where they need them; a test program run
    // as a child of another test keeps what its parent set.
    if (std::getenv(testsupport::kChildMarker) == nullptr) {
        ::unsetenv("TARVO_DEBUG_OUTPUT");
        ::unsetenv("TARVO_CONNECTIVITY");
    }

    const int result = RUN_ALL_TESTS();

    std::error_code ignored;
    std::filesystem::remove_all(root, ignored);
    return result;
}
