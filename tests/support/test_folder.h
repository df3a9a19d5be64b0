#pragma once

#include <filesystem>
#include <string>

namespace testsupport {

// Set in the environment of a test program that another test runs as a child.
inline constexpr const char* kChildMarker = "VANTYX_TEST_CHILD";

// The folder that holds this test process's own HOME, TMPDIR and so on.
const std::filesystem::path& Root();
void SetRoot(const std::filesystem::path& root);

// A new empty folder below the root, for one test's files.
std::filesystem::path NewFolder(const std::string& name);

// Writes a file, creating its folder.
void WriteFile(const std::filesystem::path& path, const std::string& contents);

// A file's whole content; empty when it cannot be read.
std::string ReadFile(const std::filesystem::path& path);

}  // namespace testsupport
