#include "skinui/button.h"

#include "skinui/attribute_values.h"

namespace skinui {

void Button::Activate() {
    SendNotify(kNotifyClick);
}

void Button::SetAttribute(std::string_view name, std::string_view value) {
    if (name == "normalimage") {
        normalImage_ = std::string(value);
    } else if (name == "hotimage") {
        hotImage_ = std::string(value);
    } else if (name == "pushedimage") {
        pushedImage_ = std::string(value);
    } else if (name == "focusedimage") {
        focusedImage_ = std::string(value);
    } else if (name == "disabledimage") {
        disabledImage_ = std::string(value);
    } else if (name == "hottextcolor") {
        hotTextColor_ = ParseColor(value);
    } else if (name == "pushedtextcolor") {
        pushedTextColor_ = ParseColor(value);
    } else {
        Label::SetAttribute(name, value);
    }
}

void Button::DoEvent(ControlEvent& event) {
    if (!enabled_ && event.type != EventType::kTimer) return;
    switch (event.type) {
        case EventType::kMouseEnter:
            hot_ = true;
            Invalidate();
            break;
        case EventType::kMouseLeave:
            hot_ = false;
            Invalidate();
            break;
        case EventType::kButtonDown:
            pushed_ = true;
            Invalidate();
            break;
        case EventType::kButtonUp: {
            const bool wasPushed = pushed_;
            pushed_ = false;
            Invalidate();
            if (wasPushed && rect_.Contains(event.point)) Activate();
            break;
        }
        default:
            Label::DoEvent(event);
    }
}

void Button::PaintStatusImage(cairo_t* cr) {
    // A state without its own image, or whose image is missing, shows nothing
    // of its own; normal is the fallback only for states that name no image.
    const std::string* image = &normalImage_;
    if (!enabled_) {
        image = disabledImage_.empty() ? &normalImage_ : &disabledImage_;
    } else if (pushed_ && !pushedImage_.empty()) {
        image = &pushedImage_;
    } else if (hot_ && !hotImage_.empty()) {
        image = &hotImage_;
    } else if (focused_ && !focusedImage_.empty()) {
        image = &focusedImage_;
    }
    DrawImage(cr, *image);
}

uint32_t Button::CurrentTextColor() const {
    if (!enabled_) return disabledTextColor_;
    if (pushed_ && pushedTextColor_) return *pushedTextColor_;
    if ((hot_ || pushed_) && hotTextColor_) return *hotTextColor_;
    return textColor_;
}

}  // namespace skinui
