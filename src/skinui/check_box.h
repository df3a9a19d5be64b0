#pragma once

#include "skinui/button.h"

namespace skinui {

// `CheckBox`: a button with a ticked state, drawn with "selectedimage" and
// "selectedtextcolor" while ticked. A click toggles it.
class CheckBox : public Button {
  public:
    std::string_view GetClass() const override { return "CheckBox"; }

    bool GetCheck() const { return selected_; }
    // Sets the ticked state; with `notify` and a change, sends "selectchanged".
    void SetCheck(bool selected, bool notify = true);

    void Activate() override;
    void SetAttribute(std::string_view name, std::string_view value) override;

  protected:
    void PaintStatusImage(cairo_t* cr) override;
    uint32_t CurrentTextColor() const override;

  private:
    bool selected_ = false;
    std::string selectedImage_, selectedHotImage_;
    std::optional<uint32_t> selectedTextColor_;
};

}  // namespace skinui
