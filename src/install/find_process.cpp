#include "install/find_process.h"

#include "platform/process_list.h"

namespace Utils {

platform::ProcessId FindProcess(const std::string& executableName) {
    if (executableName.empty()) return 0;
    for (const platform::RunningProcess& process : platform::ListProcesses()) {
        if (process.executableName == executableName) return process.id;
    }
    return 0;
}

}  // namespace Utils
