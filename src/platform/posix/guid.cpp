#include "platform/guid.h"

#include <uuid/uuid.h>

#include <cstring>

namespace platform {

std::array<uint8_t, 16> NewGuidBytes() {
    uuid_t id;
    ::uuid_generate_random(id);
    std::array<uint8_t, 16> bytes{};
    std::memcpy(bytes.data(), id, bytes.size());
    return bytes;
}

}  // namespace platform
