#pragma once

#include <string_view>

namespace platform {

// The system's debug-output channel. On POSIX the environment variable
// TARVO_DEBUG_OUTPUT steers it: unset or empty drops every line, "stderr"
// writes to standard error, anything else names a file that lines are
// appended to. Each line reaches the channel whole, with one write call, so
// lines from several threads or processes never interleave.
void WriteDebugOutput(std::string_view line);

// Whether lines written now would go anywhere; lets callers skip formatting.
bool DebugOutputEnabled();

}  // namespace platform
