#pragma once

#include <cstddef>

namespace platform {

// One end of an anonymous pipe; kNoPipeHandle when closed or handed over.
using PipeHandle = int;
inline constexpr PipeHandle kNoPipeHandle = -1;

// Creates an anonymous pipe with the system's default buffer size. Both ends
// are closed on exec, so a child sees only the ends it is handed explicitly.
// False when the system refuses; nothing is left open then.
bool CreatePipe(PipeHandle& readEnd, PipeHandle& writeEnd);

// Closes an end that is open and marks it closed.
void ClosePipe(PipeHandle& handle);

// Bytes read (at most size), 0 at the end of the pipe (every writer is gone),
// -1 on an error. Blocks while the pipe is empty and still has writers.
long ReadPipe(PipeHandle handle, char* buffer, size_t size);

// Bytes written, -1 on an error.
long WritePipe(PipeHandle handle, const char* data, size_t size);

// Waits at most timeoutMs (0: only looks) until one of the read ends has
// bytes or has lost its writers; ends that are kNoPipeHandle are skipped.
// Returns a mask with bit i set for each handles[i] that is ready. With no
// open end it simply sleeps for the timeout.
unsigned WaitForPipes(const PipeHandle* handles, size_t count, int timeoutMs);

}  // namespace platform
