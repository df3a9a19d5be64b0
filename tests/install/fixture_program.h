#pragma once

#include <filesystem>
#include <string>

#include "support/test_folder.h"

// Places the stand-in package program at path, without execute permission,
// as a download would leave it.
inline void PlaceFixtureProgram(const std::filesystem::path& path) {
    testsupport::WriteFile(path, testsupport::ReadFile(std::filesystem::path(VANTYX_SOURCE_DIR) /
                                                       "tests/install/fixtures/status_program.sh"));
    std::filesystem::permissions(path, std::filesystem::perms(0644));
}
