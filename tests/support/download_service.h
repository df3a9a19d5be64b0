#pragma once

#include <filesystem>
#include <string>
#include <vector>

#include "support/loopback_server.h"

namespace testsupport {

// The test download service (tools/download-service) serving one package
// behind "/software/195" for one test. Faults are its command-line options.
class DownloadService : public LoopbackServer {
public:
    // `options` are added to its command line; a certificate and key make it
    // speak HTTPS.
    explicit DownloadService(const std::filesystem::path& package,
                             const std::vector<std::string>& options = {},
                             const std::filesystem::path& tlsCert = {},
                             const std::filesystem::path& tlsKey = {});

    // "http://127.0.0.1:<port>/software/195" (https with TLS).
    std::string Url() const;

    // The requests so far, "METHOD PATH RANGE ACCEPT-ENCODING" each.
    using LoopbackServer::Requests;
    // The requests whose method is `method`.
    std::vector<std::string> Requests(const std::string& method) const;

private:
    bool tls_;
};

}  // namespace testsupport
