#pragma once

namespace skinui {

// Key values in key-down messages (X11 key symbols, as GDK delivers them).
inline constexpr unsigned kKeyEscape = 0xff1b;
inline constexpr unsigned kKeyBackSpace = 0xff08;
inline constexpr unsigned kKeyReturn = 0xff0d;

}  // namespace skinui
