#pragma once

#include <cstdint>
#include <string>

namespace platform {

uint32_t CurrentProcessId();
uint32_t CurrentThreadId();

// Full path of the running executable; empty when the system cannot tell.
std::string ExecutablePath();

}  // namespace platform
