#include "app/guid_text.h"

#include <cstdio>

#include "platform/guid.h"

std::string NewGuidText() { return GuidText(platform::NewGuidBytes()); }

std::string GuidText(const std::array<uint8_t, 16>& b) {
    const uint32_t data1 = (uint32_t{b[0]} << 24) | (uint32_t{b[1]} << 16) | (uint32_t{b[2]} << 8) | b[3];
    const unsigned data2 = (unsigned{b[4]} << 8) | b[5];
    const unsigned data3 = (unsigned{b[6]} << 8) | b[7];
    char text[33];
    std::snprintf(text, sizeof text, "%08X%04X%04x%02X%02X%02X%02X%02X%02X%02X%02X", data1, data2,
                  data3, b[8], b[9], b[10], b[11], b[12], b[13], b[14], b[15]);
    return text;
}
