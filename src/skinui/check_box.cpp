#include "skinui/check_box.h"

#include "skinui/attribute_values.h"

namespace skinui {

void CheckBox::SetCheck(bool selected, bool notify) {
    if (selected_ == selected) return;
    selected_ = selected;
    Invalidate();
    if (notify) SendNotify(kNotifySelectChanged);
}

void CheckBox::Activate() {
    SetCheck(!selected_, true);
    Button::Activate();
}

void CheckBox::SetAttribute(std::string_view name, std::string_view value) {
    if (name == "selected") {
        SetCheck(ParseBool(value), false);
    } else if (name == "selectedimage") {
        selectedImage_ = std::string(value);
    } else if (name == "selectedhotimage") {
        selectedHotImage_ = std::string(value);
    } else if (name == "selectedtextcolor") {
        selectedTextColor_ = ParseColor(value);
    } else {
        Button::SetAttribute(name, value);
    }
}

void CheckBox::PaintStatusImage(cairo_t* cr) {
    if (!selected_) {
        Button::PaintStatusImage(cr);
        return;
    }
    if (hot_ && !selectedHotImage_.empty()) {
        DrawImage(cr, selectedHotImage_);
    } else if (!selectedImage_.empty()) {
        DrawImage(cr, selectedImage_);
    } else {
        Button::PaintStatusImage(cr);
    }
}

uint32_t CheckBox::CurrentTextColor() const {
    if (enabled_ && selected_ && selectedTextColor_) return *selectedTextColor_;
    return Button::CurrentTextColor();
}

}  // namespace skinui
