#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "platform/pipe.h"

namespace platform {

using ProcessId = int32_t;

// The pipe ends a child gets as its standard input, output and error.
struct ChildStdio {
    PipeHandle input = kNoPipeHandle;
    PipeHandle output = kNoPipeHandle;
    PipeHandle error = kNoPipeHandle;
};

// How a child ended.
struct ProcessExit {
    bool signalled = false;  // killed by a signal rather than exiting
    int code = 0;            // the exit status, or the signal number
};

// Starts argv[0] with the given arguments, the standard handles above, our
// environment and our working folder. The program file is made executable
// first when it is not. Returns the child's id, or 0 with the system's reason
// in *error.
ProcessId SpawnProcess(const std::vector<std::string>& argv, const ChildStdio& stdio,
                       std::string* error);

// How the child ended, or nullopt while it runs. The first answer that is not
// nullopt reaps the child: ask once, keep the answer.
std::optional<ProcessExit> PollProcessExit(ProcessId process);

// Waits without time limit for the child to end and reaps it.
ProcessExit WaitProcessExit(ProcessId process);

// "SIGKILL" and the like; "signal N" for numbers without a name.
std::string SignalName(int signal);

}  // namespace platform
