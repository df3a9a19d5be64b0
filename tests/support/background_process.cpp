#include "support/background_process.h"

#include <fcntl.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <thread>

#include "support/test_folder.h"

namespace testsupport {
BackgroundProcess::BackgroundProcess(const std::vector<std::string>& argv,
                                     const ProcessOptions& options) {
    const std::filesystem::path folder = NewFolder("background");
    outPath_ = folder / "stdout";
    errPath_ = folder / "stderr";
    std::vector<std::string> args = argv;
    std::vector<std::string> env = ChildEnvironment(options);
    std::vector<char*> argPointers, envPointers;
    for (auto& a : args) argPointers.push_back(a.data());
    argPointers.push_back(nullptr);
    for (auto& e : env) envPointers.push_back(e.data());
    envPointers.push_back(nullptr);

    const int out = ::open(outPath_.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
    const int err = ::open(errPath_.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
    const int in = ::open("/dev/null", O_RDONLY | O_CLOEXEC);
    pid_ = ::fork();
    if (pid_ == 0) {
        ::dup2(in, 0);
        ::dup2(out, 1);
        ::dup2(err, 2);
        if (!options.workingDirectory.empty() && ::chdir(options.workingDirectory.c_str()) != 0) {
            ::_exit(126);
        }
        ::execvpe(argPointers[0], argPointers.data(), envPointers.data());
        ::_exit(127);
    }
    ::close(in);
    ::close(out);
    ::close(err);
}

BackgroundProcess::~BackgroundProcess() {
    if (exitCode_ < 0 && pid_ > 0) {
        Kill();
        Wait();
    }
}

void BackgroundProcess::Kill() {
    if (exitCode_ < 0 && pid_ > 0) ::kill(pid_, SIGKILL);
}

int BackgroundProcess::Wait(std::chrono::seconds timeout) {
    if (exitCode_ >= 0 || pid_ <= 0) return exitCode_;
    const auto deadline = std::chrono::steady_clock::now() + timeout;
    int status = 0;
    while (::waitpid(pid_, &status, WNOHANG) == 0) {
        if (std::chrono::steady_clock::now() > deadline) {
            ::kill(pid_, SIGKILL);
            ::waitpid(pid_, &status, 0);
            break;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    exitCode_ = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
    return exitCode_;
}

bool BackgroundProcess::HasEnded() {
    if (exitCode_ >= 0 || pid_ <= 0) return true;
    int status = 0;
    if (::waitpid(pid_, &status, WNOHANG) != pid_) return false;
    exitCode_ = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
    return true;
}

std::string BackgroundProcess::Out() const { return ReadFile(outPath_); }
std::string BackgroundProcess::Err() const { return ReadFile(errPath_); }

bool BackgroundProcess::WaitForOutput(const std::string& text, std::chrono::milliseconds timeout) {
    const auto deadline = std::chrono::steady_clock::now() + timeout;
    while (std::chrono::steady_clock::now() < deadline) {
        if (Out().find(text) != std::string::npos) return true;
        if (HasEnded()) return Out().find(text) != std::string::npos;
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    return false;
}

bool WaitForFile(const std::filesystem::path& path, std::chrono::milliseconds timeout) {
    const auto deadline = std::chrono::steady_clock::now() + timeout;
    std::error_code ignored;
    while (std::chrono::steady_clock::now() < deadline) {
        if (std::filesystem::file_size(path, ignored) > 0 && !ignored) return true;
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    return false;
}

}  // namespace testsupport
