#pragma once

#include "skinui/control.h"
#include "skinui/text_painter.h"

namespace skinui {

// `Label`: a text in a font and colour, aligned inside the control less its
// text padding, on one line or wrapped over several. Tokens "%{n}" are
// replaced from the text table when drawn.
class Label : public Control {
  public:
    std::string_view GetClass() const override { return "Label"; }

    const TextStyle& GetTextStyle() const { return style_; }
    void SetTextStyle(const TextStyle& style) {
        style_ = style;
        Invalidate();
    }
    const Rect& GetTextPadding() const { return textPadding_; }
    void SetTextPadding(const Rect& padding) {
        textPadding_ = padding;
        Invalidate();
    }
    void SetDisabledTextColor(uint32_t argb) { disabledTextColor_ = argb; }

    // The text as drawn, tokens replaced.
    std::string GetShownText() const;

    void SetAttribute(std::string_view name, std::string_view value) override;

  protected:
    void PaintText(cairo_t* cr) override;
    // The colour for the current state; subclasses add their states.
    virtual uint32_t CurrentTextColor() const;

    TextStyle style_;
    Rect textPadding_;
    uint32_t disabledTextColor_ = 0xFFA7A6AA;
};

}  // namespace skinui
