#include "support/test_package.h"

#include <algorithm>
#include <cstdint>
#include <fstream>
#include <random>
#include <vector>

namespace testsupport {

void MakePackage(const std::filesystem::path& path, long long size, unsigned seed) {
    std::mt19937_64 random(seed);
    std::ofstream out(path, std::ios::binary);
    std::vector<uint64_t> block(8192);
    while (size > 0) {
        for (auto& word : block) word = random();
        const long long bytes = std::min<long long>(size, block.size() * sizeof(uint64_t));
        out.write(reinterpret_cast<const char*>(block.data()), bytes);
        size -= bytes;
    }
}

}  // namespace testsupport
