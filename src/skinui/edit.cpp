#include "skinui/edit.h"

#include <glib.h>

#include "skinui/attribute_values.h"
#include "skinui/key_codes.h"
#include "skinui/paint_manager.h"

namespace skinui {

void Edit::SetAttribute(std::string_view name, std::string_view value) {
    if (name == "readonly") {
        readOnly_ = ParseBool(value);
    } else {
        Label::SetAttribute(name, value);
    }
}

void Edit::DoEvent(ControlEvent& event) {
    if (!enabled_ || readOnly_) {
        Label::DoEvent(event);
        return;
    }
    if (event.type == EventType::kChar && event.wParam >= 0x20) {
        char utf8[8] = {};
        g_unichar_to_utf8(static_cast<gunichar>(event.wParam), utf8);
        SetText(text_ + utf8);
        SendNotify(kNotifyTextChanged);
    } else if (event.type == EventType::kKeyDown && event.wParam == kKeyBackSpace &&
               !text_.empty()) {
        const char* end = text_.c_str() + text_.size();
        const char* last = g_utf8_find_prev_char(text_.c_str(), end);
        SetText(text_.substr(0, static_cast<size_t>(last ? last - text_.c_str() : 0)));
        SendNotify(kNotifyTextChanged);
    } else {
        Label::DoEvent(event);
    }
}

void Edit::PaintText(cairo_t* cr) {
    Label::PaintText(cr);
    if (!focused_ || !manager_) return;
    // The caret after the text.
    const Rect area{rect_.left + textPadding_.left, rect_.top + textPadding_.top,
                    rect_.right - textPadding_.right, rect_.bottom - textPadding_.bottom};
    const FontSpec& font = manager_->GetFont(font_);
    const Size size = MeasureText(text_, font, style_, 0);
    const int x = std::min(area.left + size.cx + 1, area.right - 1);
    const uint32_t c = textColor_;
    cairo_set_source_rgba(cr, ((c >> 16) & 0xFF) / 255.0, ((c >> 8) & 0xFF) / 255.0,
                          (c & 0xFF) / 255.0, 1.0);
    cairo_rectangle(cr, x, area.top + (area.Height() - font.size) / 2, 1, font.size + 2);
    cairo_fill(cr);
}

}  // namespace skinui
