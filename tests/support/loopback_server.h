#pragma once

#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "support/background_process.h"

namespace testsupport {

// One of the project's Python test servers (the download service, the test
// proxy) as a child process on 127.0.0.1 for the length of a test. It is
// told where to write its port and its request log; it is killed when the
// object goes away.
class LoopbackServer {
public:
    // Starts `script` (a path below the source tree) with `options` added to
    // its command line, and waits until it reports its port. Throws when it
    // ends or stays silent instead.
    LoopbackServer(const std::string& script, const std::vector<std::string>& options);
    LoopbackServer(const LoopbackServer&) = delete;
    LoopbackServer& operator=(const LoopbackServer&) = delete;

    int Port() const { return port_; }
    // The lines the server logged, one per request.
    std::vector<std::string> Requests() const;

private:
    std::filesystem::path folder_;
    std::unique_ptr<BackgroundProcess> process_;
    int port_ = 0;
};

}  // namespace testsupport
