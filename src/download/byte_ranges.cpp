#include "download/byte_ranges.h"

#include <charconv>

namespace {
constexpr int64_t kRangeUnit = 10485760;  // 10 MiB
constexpr int64_t kMaxRanges = 2;

bool ParseNumber(std::string_view text, int64_t& value) {
    if (text.empty()) return false;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    return error == std::errc() && end == text.data() + text.size() && value >= 0;
}
}  // namespace

std::vector<ByteRange> SplitIntoRanges(int64_t length) {
    int64_t count = length / kRangeUnit;
    if (count < 1) count = 1;
    if (count > kMaxRanges) count = kMaxRanges;
    const int64_t share = length / count;
    std::vector<ByteRange> ranges;
    int64_t offset = 0;
    for (int64_t i = 0; i < count; ++i) {
        const int64_t size = i + 1 == count ? length - offset : share;
        ranges.push_back({offset, offset + size - 1});
        offset += size;
    }
    return ranges;
}

std::string RangeText(int64_t first, int64_t last) {
    return std::to_string(first) + "-" + std::to_string(last);
}

std::optional<ContentRange> ParseContentRange(std::string_view value) {
    constexpr std::string_view kUnit = "bytes ";
    if (!value.starts_with(kUnit)) return std::nullopt;
    value.remove_prefix(kUnit.size());
    const size_t dash = value.find('-');
    const size_t slash = value.find('/');
    if (dash == std::string_view::npos || slash == std::string_view::npos || dash > slash) {
        return std::nullopt;
    }
    ContentRange range{};
    if (!ParseNumber(value.substr(0, dash), range.first) ||
        !ParseNumber(value.substr(dash + 1, slash - dash - 1), range.last)) {
        return std::nullopt;
    }
    const std::string_view total = value.substr(slash + 1);
    if (total == "*") {
        range.total = -1;
    } else if (!ParseNumber(total, range.total)) {
        return std::nullopt;
    }
    if (range.first > range.last) return std::nullopt;
    return range;
}
