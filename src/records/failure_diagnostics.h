#pragma once

#include <cstdint>
#include <string>
#include <string_view>

// What the installer finds out about its surroundings when a download fails
// (the network, whether the package's place can be written, the space of its
// volume) and the two short texts it logs about failures.
class FailureDiagnostics {
  public:
    struct Probes {
        int32_t connectivity = 0;  // Utils::CheckNetwork's answer
        bool writable = false;     // a file could be made and removed at the package path
        double freeGiB = 0;        // free space of the package's volume, in 2^30 bytes
    };

    // Runs the probes in order: network, write permission (an existing package
    // file is deleted by it when it can be), free space.
    static Probes RunProbes(const std::string& packagePath);

    // Whether a file can be made and removed at the path. A file already
    // there is removed first; one that is read-only or cannot be removed
    // makes the answer false and stays.
    static bool ProbeWritePermission(const std::string& path);

    // Runs the probes for a download failure, logs the text and returns it.
    static std::string BuildFailureDiagnostics(double value, std::string_view text,
                                               const std::string& packagePath);
    static std::string FormatFailureDiagnostics(double value, std::string_view text,
                                                const Probes& probes);

    // The short text about a failure event, logged and returned.
    static std::string BuildErrorSummary(double value, std::string_view text);
};
