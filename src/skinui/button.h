#pragma once

#include "skinui/label.h"

namespace skinui {

// `Button`: a label that reacts to the mouse. It draws the image of its state
// (normal, hot, pushed, focused, disabled) and sends "click" when a press
// is released over it.
class Button : public Label {
  public:
    std::string_view GetClass() const override { return "Button"; }

    bool IsHot() const { return hot_; }
    bool IsPushed() const { return pushed_; }
    // What a click does; sends "click".
    virtual void Activate();

    void SetAttribute(std::string_view name, std::string_view value) override;
    void DoEvent(ControlEvent& event) override;
    bool WantsMouse() const override { return true; }

  protected:
    void PaintStatusImage(cairo_t* cr) override;
    uint32_t CurrentTextColor() const override;

    std::string normalImage_, hotImage_, pushedImage_, focusedImage_, disabledImage_;
    std::optional<uint32_t> hotTextColor_, pushedTextColor_;
    bool hot_ = false;
    bool pushed_ = false;
};

}  // namespace skinui
