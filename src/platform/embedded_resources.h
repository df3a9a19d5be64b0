#pragma once

#include <span>
#include <string_view>

namespace platform {

// Data linked into the program and found by (type, id), like the resources of
// an executable. The build registers each one before main() runs.
void RegisterResource(std::string_view type, int id, std::span<const unsigned char> data);

// The bytes of a resource; empty when the program carries none of that type and id.
// Types compare without regard to letter case.
std::span<const unsigned char> FindResource(std::string_view type, int id);

}  // namespace platform
