#pragma once

#include <array>
#include <cstdint>

namespace platform {

// A fresh random GUID in its 16-byte form: the first four bytes are the
// first field, big-endian, as in the GUID's usual text.
std::array<uint8_t, 16> NewGuidBytes();

}  // namespace platform
