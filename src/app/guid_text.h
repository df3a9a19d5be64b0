#pragma once

#include <array>
#include <cstdint>
#include <string>

// A fresh GUID as 32 hexadecimal digits without braces or dashes; digits 13
// to 16 (the third field) are lower-case, all others upper-case.
std::string NewGuidText();

// The same text for given GUID bytes (the first field big-endian).
std::string GuidText(const std::array<uint8_t, 16>& bytes);
