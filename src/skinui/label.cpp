#include "skinui/label.h"

#include "skinui/attribute_values.h"
#include "skinui/paint_manager.h"
#include "skinui/text_table.h"

namespace skinui {

std::string Label::GetShownText() const {
    return TextTable::Instance().Substitute(text_);
}

void Label::SetAttribute(std::string_view name, std::string_view value) {
    if (name == "align") {
        if (value == "left") style_.align = HAlign::kLeft;
        if (value == "center") style_.align = HAlign::kCenter;
        if (value == "right") style_.align = HAlign::kRight;
    } else if (name == "valign") {
        if (value == "top") style_.valign = VAlign::kTop;
        if (value == "center" || value == "vcenter") style_.valign = VAlign::kCenter;
        if (value == "bottom") style_.valign = VAlign::kBottom;
    } else if (name == "textpadding") {
        textPadding_ = ParseRect(value);
    } else if (name == "multiline") {
        style_.multiline = ParseBool(value);
    } else if (name == "disabledtextcolor") {
        if (const auto color = ParseColor(value)) disabledTextColor_ = *color;
    } else {
        Control::SetAttribute(name, value);
    }
}

uint32_t Label::CurrentTextColor() const {
    return enabled_ ? textColor_ : disabledTextColor_;
}

void Label::PaintText(cairo_t* cr) {
    if (text_.empty() || !manager_) return;
    const Rect area{rect_.left + textPadding_.left, rect_.top + textPadding_.top,
                    rect_.right - textPadding_.right, rect_.bottom - textPadding_.bottom};
    skinui::PaintText(cr, area, GetShownText(), manager_->GetFont(font_), CurrentTextColor(),
                      style_);
}

}  // namespace skinui
