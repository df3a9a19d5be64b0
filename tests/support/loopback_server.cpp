#include "support/loopback_server.h"

#include <chrono>
#include <fstream>
#include <stdexcept>
#include <thread>

#include "support/test_folder.h"

namespace testsupport {

LoopbackServer::LoopbackServer(const std::string& script, const std::vector<std::string>& options)
    : folder_(NewFolder("server")) {
    std::vector<std::string> argv = {"python3",     std::string(VANTYX_SOURCE_DIR "/") + script,
                                     "--port-file", (folder_ / "port").string(),
                                     "--log-file",  (folder_ / "requests.log").string()};
    argv.insert(argv.end(), options.begin(), options.end());
    process_ = std::make_unique<BackgroundProcess>(argv);

    // The port file is written whole (renamed into place), so one that reads
    // as a number is the final one.
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(20);
    while (std::chrono::steady_clock::now() < deadline) {
        std::ifstream in(folder_ / "port");
        if (in >> port_) return;
        if (process_->HasEnded()) {
            throw std::runtime_error(script + " ended at start: " + process_->Err());
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    throw std::runtime_error(script + " did not report its port: " + process_->Err());
}

std::vector<std::string> LoopbackServer::Requests() const {
    std::vector<std::string> lines;
    std::ifstream in(folder_ / "requests.log");
    for (std::string line; std::getline(in, line);) lines.push_back(line);
    return lines;
}

}  // namespace testsupport
