#include "platform/process.h"

#include <signal.h>
#include <spawn.h>
#include <string.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>

extern char** environ;

namespace platform {
namespace {

// Gives execute permission to whoever may read the file, as a downloaded
// program arrives without it.
void MakeExecutable(const std::string& path) {
    struct stat info {};
    if (::stat(path.c_str(), &info) != 0 || !S_ISREG(info.st_mode)) return;
    if ((info.st_mode & S_IXUSR) != 0) return;
    mode_t mode = info.st_mode | S_IXUSR;
    if ((mode & S_IRGRP) != 0) mode |= S_IXGRP;
    if ((mode & S_IROTH) != 0) mode |= S_IXOTH;
    ::chmod(path.c_str(), mode & 07777);
}

ProcessExit FromStatus(int status) {
    if (WIFSIGNALED(status)) return ProcessExit{true, WTERMSIG(status)};
    return ProcessExit{false, WIFEXITED(status) ? WEXITSTATUS(status) : 0};
}

}  // namespace

ProcessId SpawnProcess(const std::vector<std::string>& argv, const ChildStdio& stdio,
                       std::string* error) {
    if (argv.empty() || argv.front().empty()) {
        if (error != nullptr) *error = "no program";
        return 0;
    }
    MakeExecutable(argv.front());

    std::vector<char*> args;
    args.reserve(argv.size() + 1);
    for (const std::string& arg : argv) args.push_back(const_cast<char*>(arg.c_str()));
    args.push_back(nullptr);

    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    const PipeHandle handles[3] = {stdio.input, stdio.output, stdio.error};
    for (int target = 0; target < 3; ++target) {
        if (handles[target] != kNoPipeHandle) {
            posix_spawn_file_actions_adddup2(&actions, handles[target], target);
        }
    }
    pid_t child = 0;
    // posix_spawn, not posix_spawnp: the program is named by its path.
    const int failure =
        ::posix_spawn(&child, argv.front().c_str(), &actions, nullptr, args.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    if (failure != 0) {
        if (error != nullptr) *error = ::strerror(failure);
        return 0;
    }
    return static_cast<ProcessId>(child);
}

std::optional<ProcessExit> PollProcessExit(ProcessId process) {
    int status = 0;
    pid_t done;
    do {
        done = ::waitpid(process, &status, WNOHANG);
    } while (done < 0 && errno == EINTR);
    if (done == 0) return std::nullopt;
    if (done < 0) return ProcessExit{};  // not our child any more: nothing to wait for
    return FromStatus(status);
}

ProcessExit WaitProcessExit(ProcessId process) {
    int status = 0;
    pid_t done;
    do {
        done = ::waitpid(process, &status, 0);
    } while (done < 0 && errno == EINTR);
    if (done < 0) return ProcessExit{};
    return FromStatus(status);
}

std::string SignalName(int signal) {
    const char* abbreviation = ::sigabbrev_np(signal);
    if (abbreviation == nullptr) return "signal " + std::to_string(signal);
    return std::string("SIG") + abbreviation;
}

}  // namespace platform
