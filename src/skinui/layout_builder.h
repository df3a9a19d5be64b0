#pragma once

#include <functional>
#include <memory>
#include <string_view>

#include "skinui/control.h"

namespace skinui {

class PaintManager;

// Makes a control for an element name the framework does not know; nullptr
// leaves the element out.
using ControlFactory = std::function<std::unique_ptr<Control>(std::string_view className)>;

// Builds a window's controls from a layout: the `Window` element's attributes
// and `Font` elements go to the paint manager, its first control element
// becomes the root. nullptr when the text is not a layout with a root control.
std::unique_ptr<Control> BuildLayout(std::string_view xml, PaintManager& manager,
                                     const ControlFactory& factory);

// A control of one of the framework's own classes; nullptr for other names.
std::unique_ptr<Control> CreateBuiltinControl(std::string_view className);

}  // namespace skinui
