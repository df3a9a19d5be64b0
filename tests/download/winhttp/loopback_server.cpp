#include "download/winhttp/loopback_server.h"

#include <arpa/inet.h>
#include <fcntl.h>
#include <netinet/in.h>
#include <signal.h>
#include <spawn.h>
#include <sys/socket.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <fstream>
#include <random>
#include <stdexcept>
#include <thread>

#include "support/run_process.h"
#include "support/test_folder.h"

extern char** environ;

namespace {
int serverCount = 0;
}  // namespace

LoopbackServer::LoopbackServer(const std::string& script, std::vector<std::string> options)
    : folder_(testsupport::NewFolder("server" + std::to_string(++serverCount))) {
    std::vector<std::string> args = {"python3",     std::string(VANTYX_SOURCE_DIR "/") + script,
                                     "--port-file", (folder_ / "port").string(),
                                     "--log-file",  (folder_ / "requests.log").string()};
    args.insert(args.end(), options.begin(), options.end());
    std::vector<char*> argv;
    for (auto& arg : args) argv.push_back(arg.data());
    argv.push_back(nullptr);

    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, "/dev/null", O_WRONLY, 0);
    const int spawned = posix_spawnp(&pid_, "python3", &actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    if (spawned != 0) throw std::runtime_error("cannot start " + script);

    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(20);
    while (std::chrono::steady_clock::now() < deadline) {
        std::ifstream in(folder_ / "port");
        if (in >> port_) return;
        int status;
        if (::waitpid(pid_, &status, WNOHANG) == pid_) {
            pid_ = -1;
            throw std::runtime_error(script + " ended at start");
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    throw std::runtime_error(script + " did not report its port");
}

LoopbackServer::~LoopbackServer() {
    if (pid_ > 0) {
        ::kill(pid_, SIGTERM);
        int status;
        ::waitpid(pid_, &status, 0);
    }
}

std::vector<std::string> LoopbackServer::Requests() const {
    std::vector<std::string> lines;
    std::ifstream in(folder_ / "requests.log");
    for (std::string line; std::getline(in, line);) lines.push_back(line);
    return lines;
}

namespace {
std::vector<std::string> ServiceOptions(const std::filesystem::path& package,
                                        std::vector<std::string> options) {
    options.insert(options.begin(), {"--package", package.string()});
    return options;
}
}  // namespace

ServiceProcess::ServiceProcess(const std::filesystem::path& package,
                               std::vector<std::string> options)
    : LoopbackServer("tools/download-service/download_service.py",
                     ServiceOptions(package, options)),
      tls_(std::find(options.begin(), options.end(), "--tls-cert") != options.end()) {}

std::string ServiceProcess::Url() const {
    return std::string(tls_ ? "https" : "http") + "://127.0.0.1:" + std::to_string(Port()) +
           "/software/195";
}

RefusingPort::RefusingPort() {
    v4_ = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t size = sizeof address;
    if (v4_ < 0 || ::bind(v4_, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0 ||
        ::getsockname(v4_, reinterpret_cast<sockaddr*>(&address), &size) != 0) {
        throw std::runtime_error("cannot reserve a port");
    }
    port_ = ntohs(address.sin_port);
    // Names under .localhost resolve to ::1 as well; keep that side shut too.
    v6_ = ::socket(AF_INET6, SOCK_STREAM | SOCK_CLOEXEC, 0);
    sockaddr_in6 address6{};
    address6.sin6_family = AF_INET6;
    address6.sin6_addr = in6addr_loopback;
    address6.sin6_port = htons(port_);
    if (v6_ >= 0 && ::bind(v6_, reinterpret_cast<sockaddr*>(&address6), sizeof address6) != 0) {
        ::close(v6_);
        v6_ = -1;
    }
}

RefusingPort::~RefusingPort() {
    if (v4_ >= 0) ::close(v4_);
    if (v6_ >= 0) ::close(v6_);
}

void MakePackage(const std::filesystem::path& path, long long size) {
    std::mt19937_64 random(7);
    std::ofstream out(path, std::ios::binary);
    std::vector<uint64_t> block(8192);
    while (size > 0) {
        for (auto& word : block) word = random();
        const long long bytes = std::min<long long>(size, block.size() * sizeof(uint64_t));
        out.write(reinterpret_cast<const char*>(block.data()), bytes);
        size -= bytes;
    }
}

void MakeCertificate(const std::filesystem::path& cert, const std::filesystem::path& key) {
    const auto result = testsupport::RunProcess({"openssl", "req", "-x509", "-newkey", "rsa:2048",
                                                 "-nodes", "-days", "1", "-subj", "/CN=127.0.0.1",
                                                 "-addext", "subjectAltName=IP:127.0.0.1",
                                                 "-keyout", key.string(), "-out", cert.string()});
    if (result.exitCode != 0) throw std::runtime_error("openssl: " + result.err);
}
