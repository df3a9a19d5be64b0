#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// How the segmented downloader cuts a package into byte ranges, and how it
// checks that a server answered the range it asked for.

struct ByteRange {
    int64_t first;
    int64_t last;  // inclusive
};

// One range below 20 MiB, two from there on: one range per whole 10 MiB, at
// least one and at most two; equal shares, the last one takes the remainder.
std::vector<ByteRange> SplitIntoRanges(int64_t length);

// "first-last", as Range asks for it.
std::string RangeText(int64_t first, int64_t last);

// A Content-Range value "bytes first-last/total" (total may be "*").
struct ContentRange {
    int64_t first;
    int64_t last;
    int64_t total;  // -1 when the server does not say
};
std::optional<ContentRange> ParseContentRange(std::string_view value);
