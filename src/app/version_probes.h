#pragma once

#include "platform/os_version.h"

// The family and version name of the running system ("Windows" and "10" there;
// the kernel's name and release here).
platform::OsVersion GetOsVersionName();

// True when this 32-bit build runs on a 64-bit system.
bool IsWow64();
