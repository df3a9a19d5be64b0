#pragma once

#include "skinui/box_layout.h"

namespace skinui {

// `VerticalLayout`: children from top to bottom.
class VerticalLayout : public BoxLayout {
  public:
    VerticalLayout() : BoxLayout(true) {}
    std::string_view GetClass() const override { return "VerticalLayout"; }
};

}  // namespace skinui
