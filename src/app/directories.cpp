#include "app/directories.h"

#include "platform/file_system.h"
#include "platform/utf8.h"

namespace {
constexpr const char* kPrivateTempName = "~TarvoTemp.92482B06FB471E17";

bool EnsureDirectory(const std::string& path) {
    return platform::PathExists(path) || platform::MakeDirectory(path);
}
}  // namespace

bool CreateDirectories(const std::string& path) {
    if (platform::Utf8Length(path) > kMaxPathChars) return false;
    for (size_t at = path.find(platform::kPathSeparator); at != std::string::npos;
         at = path.find(platform::kPathSeparator, at + 1)) {
        if (!EnsureDirectory(path.substr(0, at + 1))) return false;
    }
    const size_t last = path.rfind(platform::kPathSeparator);
    if (last == std::string::npos ? !path.empty() : last + 1 < path.size()) {
        return EnsureDirectory(path);
    }
    return true;
}

std::string GetPrivateTempDir() {
    const std::string path =
        platform::TempDirectory() + kPrivateTempName + platform::kPathSeparator;
    if (platform::Utf8Length(path) > kMaxPathChars) return {};
    return EnsureDirectory(path) ? path : std::string();
}
