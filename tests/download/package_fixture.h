#pragma once

#include <filesystem>
#include <string>

inline constexpr long long kMiB = 1048576;

// A package to serve and the place a download run stores it, each in a
// folder of its own.
struct PackageFixture {
    std::filesystem::path package;
    std::filesystem::path output;
    std::string md5;  // of the package
};

// Makes a package of `size` bytes; `name` keeps the folders of several
// fixtures in one test apart.
PackageFixture MakePackageFixture(long long size, const std::string& name = "pkg");
