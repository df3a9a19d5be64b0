#pragma once

#include "skinui/label.h"

namespace skinui {

// `Progress`: a bar from 0 to 100. The fore image fills the share of the
// width that the value gives, over the background image.
class Progress : public Label {
  public:
    std::string_view GetClass() const override { return "Progress"; }

    int GetValue() const { return value_; }
    // Clamped to 0..100.
    void SetValue(int value);
    void SetForeImage(std::string image) {
        foreImage_ = std::move(image);
        Invalidate();
    }

    void SetAttribute(std::string_view name, std::string_view value) override;

  protected:
    void PaintStatusImage(cairo_t* cr) override;

  private:
    int value_ = 0;
    std::string foreImage_;
};

}  // namespace skinui
