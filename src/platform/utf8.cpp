#include "platform/utf8.h"

namespace platform {
namespace {
bool IsContinuation(unsigned char byte) { return (byte & 0xC0) == 0x80; }
}  // namespace

size_t Utf8Length(std::string_view text) {
    size_t count = 0;
    for (const char c : text) {
        if (!IsContinuation(static_cast<unsigned char>(c))) ++count;
    }
    return count;
}

std::string_view Utf8Prefix(std::string_view text, size_t maxChars) {
    size_t chars = 0;
    for (size_t i = 0; i < text.size(); ++i) {
        if (IsContinuation(static_cast<unsigned char>(text[i]))) continue;
        if (chars == maxChars) return text.substr(0, i);
        ++chars;
    }
    return text;
}

bool IsValidUtf8(std::string_view text) {
    size_t i = 0;
    while (i < text.size()) {
        const auto lead = static_cast<unsigned char>(text[i]);
        size_t extra = 0;
        char32_t value = 0;
        if (lead < 0x80) {
            ++i;
            continue;
        } else if (lead >= 0xC2 && lead <= 0xDF) {
            extra = 1;
            value = lead & 0x1F;
        } else if (lead >= 0xE0 && lead <= 0xEF) {
            extra = 2;
            value = lead & 0x0F;
        } else if (lead >= 0xF0 && lead <= 0xF4) {
            extra = 3;
            value = lead & 0x07;
        } else {
            return false;
        }
        if (i + extra >= text.size()) return false;
        for (size_t k = 1; k <= extra; ++k) {
            const auto byte = static_cast<unsigned char>(text[i + k]);
            if (!IsContinuation(byte)) return false;
            value = (value << 6) | (byte & 0x3F);
        }
        if ((extra == 2 && value < 0x800) || (extra == 3 && value < 0x10000)) return false;
        if (value >= 0xD800 && value <= 0xDFFF) return false;
        if (value > 0x10FFFF) return false;
        i += extra + 1;
    }
    return true;
}

}  // namespace platform
