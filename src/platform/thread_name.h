#pragma once

#include <string>

namespace platform {

// Names the calling thread for debuggers and process listings. Systems that
// limit the length get the longest prefix that fits without splitting a
// character.
void SetCurrentThreadName(const std::string& name);

// The calling thread's name as the system reports it (empty when unknown).
std::string CurrentThreadName();

}  // namespace platform
