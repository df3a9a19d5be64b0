#include "app/version_probes.h"

platform::OsVersion GetOsVersionName() { return platform::QueryOsVersion(); }

bool IsWow64() { return platform::IsWow64(); }
