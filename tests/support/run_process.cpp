#include "support/run_process.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cstring>

extern char** environ;

namespace testsupport {
namespace {

std::vector<char*> Pointers(std::vector<std::string>& texts) {
    std::vector<char*> pointers;
    for (auto& text : texts) pointers.push_back(text.data());
    pointers.push_back(nullptr);
    return pointers;
}

}  // namespace

std::vector<std::string> ChildEnvironment(const ProcessOptions& options) {
    std::map<std::string, std::string> variables;
    for (char** entry = environ; *entry != nullptr; ++entry) {
        const std::string text(*entry);
        const size_t eq = text.find('=');
        if (eq != std::string::npos) variables[text.substr(0, eq)] = text.substr(eq + 1);
    }
    for (const auto& name : options.unset) variables.erase(name);
    for (const auto& [name, value] : options.environment) variables[name] = value;
    std::vector<std::string> result;
    for (const auto& [name, value] : variables) result.push_back(name + "=" + value);
    return result;
}

ProcessResult RunProcess(const std::vector<std::string>& argv, const ProcessOptions& options) {
    std::vector<std::string> args = argv;
    std::vector<std::string> env = ChildEnvironment(options);
    std::vector<char*> argPointers = Pointers(args);
    std::vector<char*> envPointers = Pointers(env);

    int in[2], out[2], err[2];
    if (::pipe2(in, O_CLOEXEC) != 0 || ::pipe2(out, O_CLOEXEC) != 0 || ::pipe2(err, O_CLOEXEC) != 0) {
        return {};
    }
    const pid_t pid = ::fork();
    if (pid == 0) {
        ::dup2(in[0], 0);
        ::dup2(out[1], 1);
        ::dup2(err[1], 2);
        if (!options.workingDirectory.empty() && ::chdir(options.workingDirectory.c_str()) != 0) {
            ::_exit(126);
        }
        ::execvpe(argPointers[0], argPointers.data(), envPointers.data());
        ::_exit(127);
    }
    ::close(in[0]);
    ::close(out[1]);
    ::close(err[1]);

    ProcessResult result;
    size_t inputWritten = 0;
    int inputFd = in[1];
    if (options.input.empty()) {
        ::close(inputFd);
        inputFd = -1;
    }
    const auto deadline = std::chrono::steady_clock::now() + options.timeout;
    bool outOpen = true, errOpen = true, killed = false;
    ::signal(SIGPIPE, SIG_IGN);
    while (outOpen || errOpen) {
        pollfd fds[3] = {{outOpen ? out[0] : -1, POLLIN, 0},
                         {errOpen ? err[0] : -1, POLLIN, 0},
                         {inputFd, POLLOUT, 0}};
        const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
            deadline - std::chrono::steady_clock::now());
        if (left.count() <= 0 && !killed) {
            ::kill(pid, SIGKILL);
            killed = true;
        }
        // Descendants of a killed program may still hold the pipes open.
        if (killed && left < std::chrono::seconds(-5)) break;
        ::poll(fds, 3, static_cast<int>(std::clamp<long long>(left.count(), 10, 1000)));
        char buffer[8192];
        for (int k = 0; k < 2; ++k) {
            if ((fds[k].revents & (POLLIN | POLLHUP | POLLERR)) == 0) continue;
            const ssize_t got = ::read(fds[k].fd, buffer, sizeof buffer);
            if (got > 0) {
                (k == 0 ? result.out : result.err).append(buffer, static_cast<size_t>(got));
            } else {
                (k == 0 ? outOpen : errOpen) = false;
            }
        }
        if (inputFd >= 0 && (fds[2].revents & (POLLOUT | POLLERR | POLLHUP)) != 0) {
            const ssize_t n = ::write(inputFd, options.input.data() + inputWritten,
                                      options.input.size() - inputWritten);
            if (n > 0) inputWritten += static_cast<size_t>(n);
            if (n <= 0 || inputWritten == options.input.size()) {
                ::close(inputFd);
                inputFd = -1;
            }
        }
    }
    if (inputFd >= 0) ::close(inputFd);
    ::close(out[0]);
    ::close(err[0]);
    int status = 0;
    ::waitpid(pid, &status, 0);
    result.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
    return result;
}

}  // namespace testsupport
