#pragma once

#include <memory>
#include <vector>

#include "skinui/control.h"

namespace skinui {

// A control that holds other controls and paints them over its own background.
// The layouts derive from it and decide where the children go.
class Container : public Control {
  public:
    std::string_view GetClass() const override { return "Container"; }

    // Takes ownership; the child joins this container's window.
    Control* Add(std::unique_ptr<Control> child);
    int GetCount() const { return static_cast<int>(children_.size()); }
    Control* GetItemAt(int index) const;
    int GetItemIndex(const Control* child) const;

    void SetManager(PaintManager* manager, Control* parent) override;
    void Paint(cairo_t* cr, const Rect& dirty) override;
    Control* FindControlAt(Point point) override;
    Control* FindControl(std::string_view name) override;

    // Calls fn on this control and every descendant, parents first.
    template <typename Fn>
    void ForEach(Fn&& fn);

  protected:
    // Whether a child is painted and takes mouse input.
    virtual bool IsChildShown(int index) const;

    std::vector<std::unique_ptr<Control>> children_;
};

template <typename Fn>
void Container::ForEach(Fn&& fn) {
    fn(static_cast<Control*>(this));
    for (auto& child : children_) {
        if (auto* container = dynamic_cast<Container*>(child.get())) {
            container->ForEach(fn);
        } else {
            fn(child.get());
        }
    }
}

}  // namespace skinui
