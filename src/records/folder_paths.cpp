#include "records/folder_paths.h"

#include <filesystem>

#include "platform/file_system.h"

std::string JoinPath(const std::string& folder, const std::string& name) {
    if (folder.empty()) return name;
    if (folder.back() == platform::kPathSeparator) return folder + name;
    return folder + platform::kPathSeparator + name;
}

namespace {
std::string NormalFolder(const std::string& text) {
    std::error_code error;
    std::filesystem::path path = std::filesystem::absolute(text, error);
    if (error) return {};
    std::string normal = path.lexically_normal().string();
    while (normal.size() > 1 && normal.back() == '/') normal.pop_back();
    return normal;
}
}  // namespace

bool IsSameFolder(const std::string& first, const std::string& second) {
    if (first.empty() || second.empty()) return false;
    const std::string a = NormalFolder(first);
    return !a.empty() && a == NormalFolder(second);
}

bool IsExistingFile(const std::string& path) {
    return !path.empty() && platform::PathExists(path) && !platform::IsDirectory(path);
}
