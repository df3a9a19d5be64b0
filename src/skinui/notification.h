#pragma once

#include <cstdint>
#include <string>

#include "skinui/geometry.h"

namespace skinui {

class Control;

// Notification types the controls send.
inline constexpr const char* kNotifyClick = "click";
inline constexpr const char* kNotifyTimer = "timer";
inline constexpr const char* kNotifySelectChanged = "selectchanged";
inline constexpr const char* kNotifyTabSelect = "tabselect";
inline constexpr const char* kNotifyItemSelect = "itemselect";
inline constexpr const char* kNotifyTextChanged = "textchanged";
inline constexpr const char* kNotifyWindowInit = "windowinit";

// What a control tells its window: the type, who sent it, when (milliseconds
// of the system tick), where the mouse was (window coordinates) and two values
// whose meaning depends on the type (for "timer", wParam is the timer id).
struct Notification {
    std::string type;
    Control* sender = nullptr;
    uint64_t timestamp = 0;
    Point point;
    uintptr_t wParam = 0;
    intptr_t lParam = 0;
};

// Receives the notifications of a window's controls.
class NotifyListener {
  public:
    virtual ~NotifyListener() = default;
    virtual void Notify(Notification& notification) = 0;
};

// Input and timer events a control receives from its paint manager.
enum class EventType {
    kMouseEnter,
    kMouseLeave,
    kButtonDown,
    kButtonUp,
    kMouseMove,
    kTimer,
    kKeyDown,
    kChar
};

struct ControlEvent {
    EventType type;
    Point point;
    uintptr_t wParam = 0;  // timer id, key value or character
    uint64_t timestamp = 0;
};

}  // namespace skinui
