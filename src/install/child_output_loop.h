#pragma once

#include <functional>
#include <optional>
#include <string>
#include <string_view>

#include "install/child_process.h"

// Follows a started child to its end: hands every chunk of its standard
// output to onChunk, keeps its standard error drained, and once the child has
// ended takes what it left in the pipe. Returns how the child ended, after
// waiting for it. Output a grandchild keeps writing after the child's end is
// not waited for.
platform::ProcessExit FollowChildOutput(ChildProcess& child,
                                        const std::function<void(std::string_view)>& onChunk);

// Starts a program by its path with the rest of its command line and follows
// it to its end as FollowChildOutput does, then closes it. nullopt when a pipe
// or the process could not be created.
std::optional<platform::ProcessExit> RunChildProcess(
    const std::string& program, const std::string& arguments,
    const std::function<void(std::string_view)>& onChunk);

// The chunk up to its first NUL byte, as a C string would read it.
std::string_view UpToNul(std::string_view chunk);
