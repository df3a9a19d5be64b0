#pragma once

#include <filesystem>

namespace testsupport {

// A file of `size` bytes of a fixed pseudo-random pattern, to serve as a
// package: the same seed gives the same bytes.
void MakePackage(const std::filesystem::path& path, long long size, unsigned seed = 1);

}  // namespace testsupport
