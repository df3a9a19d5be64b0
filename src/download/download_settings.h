#pragma once

#include <string>

// The parts of the configuration a download depends on, so that callers and
// tests can steer them; FromConfig() takes them from the process's
// configuration.
struct DownloadSettings {
    // Skip certificate checks; only a distributor's explicit "InsecureTls=true".
    bool insecureTls = false;
    // Whether the segmented downloader may probe the final URL at all.
    bool getRealUrl = true;
    // Extra certificate authorities to trust, a PEM file; empty for the system's.
    std::string caFile;

    static DownloadSettings FromConfig();
};
