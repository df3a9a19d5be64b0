#include "support/download_service.h"

namespace testsupport {
namespace {

std::vector<std::string> ServiceOptions(const std::filesystem::path& package,
                                        const std::vector<std::string>& options,
                                        const std::filesystem::path& tlsCert,
                                        const std::filesystem::path& tlsKey) {
    std::vector<std::string> all = {"--package", package.string()};
    if (!tlsCert.empty())
        all.insert(all.end(), {"--tls-cert", tlsCert.string(), "--tls-key", tlsKey.string()});
    all.insert(all.end(), options.begin(), options.end());
    return all;
}

}  // namespace

DownloadService::DownloadService(const std::filesystem::path& package,
                                 const std::vector<std::string>& options,
                                 const std::filesystem::path& tlsCert,
                                 const std::filesystem::path& tlsKey)
    : LoopbackServer("tools/download-service/download_service.py",
                     ServiceOptions(package, options, tlsCert, tlsKey)),
      tls_(!tlsCert.empty()) {}

std::string DownloadService::Url() const {
    return std::string(tls_ ? "https" : "http") + "://127.0.0.1:" + std::to_string(Port()) +
           "/software/195";
}

std::vector<std::string> DownloadService::Requests(const std::string& method) const {
    std::vector<std::string> lines;
    for (auto& line : Requests()) {
        if (line.starts_with(method + " ")) lines.push_back(line);
    }
    return lines;
}

}  // namespace testsupport
