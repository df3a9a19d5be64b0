#pragma once

#include <sys/types.h>

#include <filesystem>
#include <string>
#include <vector>

// The test download service (tools/download-service) as a child process on
// 127.0.0.1, for one test. Faults are its command-line options.
class DownloadService {
  public:
    // Serves `package` behind "/software/195"; `options` are added to its
    // command line. `tls` gives a certificate and key to speak HTTPS with.
    DownloadService(const std::filesystem::path& package, std::vector<std::string> options = {},
                    const std::filesystem::path& tlsCert = {},
                    const std::filesystem::path& tlsKey = {});
    ~DownloadService();
    DownloadService(const DownloadService&) = delete;
    DownloadService& operator=(const DownloadService&) = delete;

    // "http://127.0.0.1:<port>/software/195" (https with TLS).
    std::string Url() const;
    int Port() const { return port_; }

    // The requests so far, "METHOD PATH RANGE ACCEPT-ENCODING" each.
    std::vector<std::string> Requests() const;
    // The requests whose method is `method`.
    std::vector<std::string> Requests(const std::string& method) const;

  private:
    std::filesystem::path folder_;
    pid_t pid_ = -1;
    int port_ = 0;
    bool tls_ = false;
};

// A file of `size` bytes of a fixed pseudo-random pattern.
void MakePackage(const std::filesystem::path& path, long long size, unsigned seed = 1);

// A self-signed certificate for 127.0.0.1 and its key, made with openssl.
void MakeCertificate(const std::filesystem::path& cert, const std::filesystem::path& key);
