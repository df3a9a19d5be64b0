#pragma once

#include <sys/types.h>

#include <filesystem>
#include <string>
#include <vector>

// One of the project's Python test servers (the download service, the test
// proxy) as a child process on 127.0.0.1 for the length of a test.
class LoopbackServer {
  public:
    // Starts `script` (a path below the source tree) with `options` added to
    // its command line, and waits until it reports its port.
    LoopbackServer(const std::string& script, std::vector<std::string> options);
    ~LoopbackServer();
    LoopbackServer(const LoopbackServer&) = delete;
    LoopbackServer& operator=(const LoopbackServer&) = delete;

    int Port() const { return port_; }
    // The lines the server logged, one per request.
    std::vector<std::string> Requests() const;

  private:
    std::filesystem::path folder_;
    pid_t pid_ = -1;
    int port_ = 0;
};

// The download service serving `package` behind "/software/195".
class ServiceProcess : public LoopbackServer {
  public:
    explicit ServiceProcess(const std::filesystem::path& package,
                            std::vector<std::string> options = {});
    // "http://127.0.0.1:<port>/software/195" (https when TLS was asked for).
    std::string Url() const;

  private:
    bool tls_;
};

// A port on 127.0.0.1 (and ::1 where it can) that refuses connections while
// this object lives: it is bound but nobody listens on it.
class RefusingPort {
  public:
    RefusingPort();
    ~RefusingPort();
    RefusingPort(const RefusingPort&) = delete;
    RefusingPort& operator=(const RefusingPort&) = delete;
    int Port() const { return port_; }

  private:
    int v4_ = -1;
    int v6_ = -1;
    int port_ = 0;
};

// A file of `size` bytes of a fixed pseudo-random pattern.
void MakePackage(const std::filesystem::path& path, long long size);

// A self-signed certificate for 127.0.0.1 and its key, made with openssl.
void MakeCertificate(const std::filesystem::path& cert, const std::filesystem::path& key);
