#pragma once

#include "skinui/container.h"

namespace skinui {

// Stacks its visible children along one axis. Children with a fixed size on
// that axis get it; the others share what is left, the last of them taking the
// remainder. Across the axis a child takes its fixed size or the full extent.
// Hidden children take no space. Padding is kept around each child.
class BoxLayout : public Container {
  public:
    explicit BoxLayout(bool vertical) : vertical_(vertical) {}
    void SetPos(const Rect& rect) override;

  private:
    bool vertical_;
};

}  // namespace skinui
