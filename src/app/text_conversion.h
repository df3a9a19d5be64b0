#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "platform/code_page.h"

// Text inside the installer is UTF-8. These convert at the boundaries, where
// peers speak a code page of their own.

// Text in a code page, decoded into UTF-8; empty when it is not valid there.
std::string ToWide(std::string_view narrow, unsigned codePage);

// UTF-8 text encoded into a code page; empty when it cannot be.
std::string ToNarrow(std::string_view text, unsigned codePage);

// The text when it is well-formed UTF-8, else empty.
std::string Utf8ToWide(std::string_view utf8);

// Blanks are space, tab, line feed, vertical tab, form feed and carriage return.
std::string TrimLeft(std::string_view text);
std::string TrimRight(std::string_view text);
std::string Trim(std::string_view text);

std::string UIntToText(uint32_t value);
