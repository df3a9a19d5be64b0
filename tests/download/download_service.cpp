#include "download/download_service.h"

#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <fstream>
#include <random>
#include <sstream>
#include <stdexcept>
#include <thread>

#include "support/run_process.h"
#include "support/test_folder.h"

extern char** environ;

namespace {
int serviceCount = 0;
}  // namespace

DownloadService::DownloadService(const std::filesystem::path& package,
                                 std::vector<std::string> options,
                                 const std::filesystem::path& tlsCert,
                                 const std::filesystem::path& tlsKey)
    : folder_(testsupport::NewFolder("service" + std::to_string(++serviceCount))),
      tls_(!tlsCert.empty()) {
    std::vector<std::string> args = {
        "python3",     VANTYX_SOURCE_DIR "/tools/download-service/download_service.py",
        "--package",   package.string(),
        "--port-file", (folder_ / "port").string(),
        "--log-file",  (folder_ / "requests.log").string()};
    if (tls_) {
        args.insert(args.end(), {"--tls-cert", tlsCert.string(), "--tls-key", tlsKey.string()});
    }
    args.insert(args.end(), options.begin(), options.end());
    std::vector<char*> argv;
    for (auto& arg : args) argv.push_back(arg.data());
    argv.push_back(nullptr);

    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, "/dev/null", O_WRONLY, 0);
    const int spawned = posix_spawnp(&pid_, "python3", &actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    if (spawned != 0) throw std::runtime_error("cannot start the download service");

    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(20);
    while (std::chrono::steady_clock::now() < deadline) {
        std::ifstream in(folder_ / "port");
        if (in >> port_) return;
        int status;
        if (::waitpid(pid_, &status, WNOHANG) == pid_) {
            pid_ = -1;
            throw std::runtime_error("the download service ended at start");
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    throw std::runtime_error("the download service did not report its port");
}

DownloadService::~DownloadService() {
    if (pid_ > 0) {
        ::kill(pid_, SIGTERM);
        int status;
        ::waitpid(pid_, &status, 0);
    }
}

std::string DownloadService::Url() const {
    return std::string(tls_ ? "https" : "http") + "://127.0.0.1:" + std::to_string(port_) +
           "/software/195";
}

std::vector<std::string> DownloadService::Requests() const {
    std::vector<std::string> lines;
    std::ifstream in(folder_ / "requests.log");
    for (std::string line; std::getline(in, line);) lines.push_back(line);
    return lines;
}

std::vector<std::string> DownloadService::Requests(const std::string& method) const {
    std::vector<std::string> lines;
    for (auto& line : Requests()) {
        if (line.starts_with(method + " ")) lines.push_back(line);
    }
    return lines;
}

void MakePackage(const std::filesystem::path& path, long long size, unsigned seed) {
    std::mt19937_64 random(seed);
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
