#pragma once

#include <cstdint>

#include "skinui/geometry.h"

namespace skinui {

// What a host tells a skinned window, in the order the system reports it.
enum class Message {
    kCreate,
    kClose,  // a request to close (the system menu or the window manager)
    kDestroy,
    kNcDestroy,  // the last message a window gets
    kMove,       // lParam: the new window position (PackPoint)
    kSize,       // wParam: kSizeRestored/kSizeMinimized/kSizeMaximized; lParam: PackSize
    kActivate,
    kExitSizeMove,
    kPaint,
    kShowWindow,  // wParam: 1 shown, 0 hidden
    kKeyDown,     // wParam: key value (key_codes.h)
    kChar,        // wParam: Unicode character
    kMouseMove,   // lParam: PackPoint, client coordinates
    kMouseLeave,
    kButtonDown,
    kButtonUp,
    kCustom,  // wParam and lParam as posted; customId says which
};

inline constexpr uintptr_t kSizeRestored = 0;
inline constexpr uintptr_t kSizeMinimized = 1;
inline constexpr uintptr_t kSizeMaximized = 2;

struct WindowMessage {
    Message type;
    uintptr_t wParam = 0;
    intptr_t lParam = 0;
    unsigned customId = 0;
};

// Sizes travel as width in the low and height in the high 16 bits.
inline intptr_t PackSize(Size size) {
    return static_cast<intptr_t>((static_cast<uint32_t>(size.cx) & 0xFFFF) |
                                 ((static_cast<uint32_t>(size.cy) & 0xFFFF) << 16));
}
inline Size UnpackSize(intptr_t value) {
    const auto v = static_cast<uint32_t>(value);
    return {static_cast<int>(v & 0xFFFF), static_cast<int>(v >> 16)};
}
// Points as signed 16-bit x (low) and y (high).
inline intptr_t PackPoint(Point point) {
    return static_cast<intptr_t>((static_cast<uint32_t>(point.x) & 0xFFFF) |
                                 ((static_cast<uint32_t>(point.y) & 0xFFFF) << 16));
}
inline Point UnpackPoint(intptr_t value) {
    const auto v = static_cast<uint32_t>(value);
    return {static_cast<int16_t>(v & 0xFFFF), static_cast<int16_t>(v >> 16)};
}

}  // namespace skinui
