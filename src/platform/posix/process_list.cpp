#include "platform/process_list.h"

#include <dirent.h>
#include <unistd.h>

#include <algorithm>
#include <cctype>
#include <climits>

#include "platform/file_contents.h"

namespace platform {
namespace {

std::string FileNameOf(std::string path) {
    const size_t slash = path.rfind('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

std::string ExecutableNameOf(const std::string& procFolder) {
    char target[PATH_MAX];
    const ssize_t length = ::readlink((procFolder + "/exe").c_str(), target, sizeof target);
    if (length > 0 && static_cast<size_t>(length) < sizeof target) {
        std::string path(target, static_cast<size_t>(length));
        constexpr std::string_view kDeleted = " (deleted)";
        if (path.ends_with(kDeleted)) path.resize(path.size() - kDeleted.size());
        return FileNameOf(path);
    }
    // Not ours to look at, or a kernel thread: fall back on the first argument.
    const std::optional<std::string> cmdline = ReadFileContents(procFolder + "/cmdline");
    if (!cmdline || cmdline->empty()) return {};
    return FileNameOf(cmdline->substr(0, cmdline->find('\0')));
}

}  // namespace

std::vector<RunningProcess> ListProcesses() {
    std::vector<RunningProcess> processes;
    DIR* proc = ::opendir("/proc");
    if (proc == nullptr) return processes;
    while (const dirent* entry = ::readdir(proc)) {
        const std::string name = entry->d_name;
        if (name.empty() || !std::all_of(name.begin(), name.end(),
                                         [](unsigned char c) { return std::isdigit(c) != 0; })) {
            continue;
        }
        RunningProcess process;
        process.id = static_cast<ProcessId>(std::stol(name));
        process.executableName = ExecutableNameOf("/proc/" + name);
        if (!process.executableName.empty()) processes.push_back(std::move(process));
    }
    ::closedir(proc);
    std::sort(processes.begin(), processes.end(),
              [](const RunningProcess& a, const RunningProcess& b) { return a.id < b.id; });
    return processes;
}

}  // namespace platform
