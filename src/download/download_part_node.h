#pragma once

#include <curl/curl.h>

#include <atomic>
#include <cstdint>
#include <cstdio>
#include <string>

#include "download/integrity_check.h"

// One byte range of the segmented downloader: its part file, where the next
// byte goes, and the libcurl handle its attempts reuse.
struct DownloadPartNode {
    FILE* file = nullptr;
    int64_t position = 0;  // package offset of the next byte to store
    int64_t last = 0;      // package offset of the range's last byte
    CURL* curl = nullptr;
    std::string url;
    std::string partPath;
    int32_t result = -1;  // -1 pending, -2 no part file, 0 complete, else libcurl's code
    std::atomic<int64_t> downloaded{0};

    // The first range is hashed while it arrives; `digest` then covers the
    // whole part file.
    bool hashing = false;
    bool digestValid = false;
    Md5Digest digest;

    // What the current response said about itself, checked before its first
    // byte is stored.
    std::string contentRange;
    bool answerChecked = false;

    bool Complete() const { return position > last; }
};
