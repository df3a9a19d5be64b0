#pragma once

#include "skinui/box_layout.h"

namespace skinui {

// `HorizontalLayout`: children from left to right.
class HorizontalLayout : public BoxLayout {
  public:
    HorizontalLayout() : BoxLayout(false) {}
    std::string_view GetClass() const override { return "HorizontalLayout"; }
};

}  // namespace skinui
