#include "support/test_folder.h"

#include <fstream>
#include <sstream>

namespace testsupport {
namespace {
std::filesystem::path g_root;
}  // namespace

const std::filesystem::path& Root() { return g_root; }
void SetRoot(const std::filesystem::path& root) { g_root = root; }

std::filesystem::path NewFolder(const std::string& name) {
    std::filesystem::path folder = g_root / "work" / name;
    for (int n = 2; std::filesystem::exists(folder); ++n) {
        folder = g_root / "work" / (name + "-" + std::to_string(n));
    }
    std::filesystem::create_directories(folder);
    return folder;
}

void WriteFile(const std::filesystem::path& path, const std::string& contents) {
    if (path.has_parent_path()) std::filesystem::create_directories(path.parent_path());
    std::ofstream(path, std::ios::binary) << contents;
}

std::string ReadFile(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream contents;
    contents << in.rdbuf();
    return contents.str();
}

}  // namespace testsupport
