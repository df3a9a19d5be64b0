#pragma once

#include <string>

// Joins a folder and a name with one separator between them.
std::string JoinPath(const std::string& folder, const std::string& name);

// Whether two texts name the same folder: both made absolute and normalised
// (".", "..", doubled and trailing separators), then compared exactly. Empty
// texts name no folder.
bool IsSameFolder(const std::string& first, const std::string& second);

// Whether a path names an existing file that is not a folder.
bool IsExistingFile(const std::string& path);
