#include "skinui/control.h"

#include "skinui/attribute_values.h"
#include "skinui/image_painter.h"
#include "skinui/paint_manager.h"

namespace skinui {

Control::~Control() {
    if (manager_) manager_->ForgetControl(this);
}

void Control::SetManager(PaintManager* manager, Control* parent) {
    manager_ = manager;
    parent_ = parent;
}

void Control::SetFixedWidth(int width) {
    fixedWidth_ = width < 0 ? 0 : width;
    NeedParentUpdate();
}

void Control::SetFixedHeight(int height) {
    fixedHeight_ = height < 0 ? 0 : height;
    NeedParentUpdate();
}

void Control::SetPadding(const Rect& padding) {
    padding_ = padding;
    NeedParentUpdate();
}

Size Control::EstimateSize(Size) const {
    return {fixedWidth_, fixedHeight_};
}

void Control::SetPos(const Rect& rect) {
    Invalidate();
    rect_ = rect;
    Invalidate();
}

void Control::SetVisible(bool visible) {
    if (visible_ == visible) return;
    visible_ = visible;
    NeedParentUpdate();
}

void Control::SetEnabled(bool enabled) {
    enabled_ = enabled;
    Invalidate();
}

void Control::SetText(std::string text) {
    text_ = std::move(text);
    Invalidate();
}

void Control::SetAttribute(std::string_view name, std::string_view value) {
    if (name == "name") {
        name_ = std::string(value);
    } else if (name == "width") {
        SetFixedWidth(ParseInt(value).value_or(0));
    } else if (name == "height") {
        SetFixedHeight(ParseInt(value).value_or(0));
    } else if (name == "pos") {
        const Rect pos = ParseRect(value);
        SetFixedWidth(pos.Width());
        SetFixedHeight(pos.Height());
    } else if (name == "padding") {
        SetPadding(ParseRect(value));
    } else if (name == "visible") {
        SetVisible(ParseBool(value));
    } else if (name == "enabled") {
        SetEnabled(ParseBool(value));
    } else if (name == "text") {
        SetText(std::string(value));
    } else if (name == "font") {
        SetFont(ParseInt(value).value_or(-1));
    } else if (name == "textcolor") {
        if (const auto color = ParseColor(value)) SetTextColor(*color);
    } else if (name == "bkimage") {
        SetBkImage(std::string(value));
    } else if (name == "bkcolor") {
        if (const auto color = ParseColor(value)) SetBkColor(*color);
    } else if (name == "bordercolor") {
        borderColor_ = ParseColor(value);
    } else if (name == "bordersize") {
        borderSize_ = ParseInt(value).value_or(0);
    } else if (name == "borderround") {
        borderRound_ = ParseSize(value);
    } else if (name == "userdata") {
        userData_ = std::string(value);
    }
    // Anything else is not this control's and is ignored.
}

void Control::DoEvent(ControlEvent& event) {
    if (event.type == EventType::kTimer) {
        SendNotify(kNotifyTimer, event.wParam);
    }
}

void Control::Paint(cairo_t* cr, const Rect& dirty) {
    if (rect_.Intersect(dirty).IsEmpty()) return;
    PaintBkColor(cr);
    PaintBkImage(cr);
    PaintStatusImage(cr);
    PaintText(cr);
    PaintBorder(cr);
}

void Control::PaintBkColor(cairo_t* cr) {
    if (!bkColor_ || (*bkColor_ >> 24) == 0) return;
    const uint32_t c = *bkColor_;
    cairo_set_source_rgba(cr, ((c >> 16) & 0xFF) / 255.0, ((c >> 8) & 0xFF) / 255.0,
                          (c & 0xFF) / 255.0, ((c >> 24) & 0xFF) / 255.0);
    cairo_rectangle(cr, rect_.left, rect_.top, rect_.Width(), rect_.Height());
    cairo_fill(cr);
}

void Control::PaintBkImage(cairo_t* cr) {
    if (!bkImage_.empty()) DrawImage(cr, bkImage_);
}

void Control::PaintBorder(cairo_t* cr) {
    if (!borderColor_ || borderSize_ <= 0) return;
    const uint32_t c = *borderColor_;
    cairo_set_source_rgba(cr, ((c >> 16) & 0xFF) / 255.0, ((c >> 8) & 0xFF) / 255.0,
                          (c & 0xFF) / 255.0, ((c >> 24) & 0xFF) / 255.0);
    cairo_set_line_width(cr, borderSize_);
    const double inset = borderSize_ / 2.0;
    cairo_rectangle(cr, rect_.left + inset, rect_.top + inset, rect_.Width() - borderSize_,
                    rect_.Height() - borderSize_);
    cairo_stroke(cr);
}

bool Control::DrawImage(cairo_t* cr, std::string_view imageAttribute) {
    if (!manager_ || imageAttribute.empty()) return false;
    const ImageAttributes attributes = ImageAttributes::Parse(imageAttribute);
    cairo_surface_t* image = manager_->GetImage(attributes.file, attributes.mask);
    if (!image) return false;
    PaintImage(cr, image, rect_, attributes);
    return true;
}

void Control::SendNotify(const char* type, uintptr_t wParam, intptr_t lParam, bool async) {
    if (manager_) manager_->SendNotify(this, type, wParam, lParam, async);
}

Control* Control::FindControlAt(Point point) {
    return visible_ && rect_.Contains(point) ? this : nullptr;
}

Control* Control::FindControl(std::string_view name) {
    return name_ == name ? this : nullptr;
}

void Control::Invalidate() {
    if (manager_ && visible_) manager_->Invalidate(rect_);
}

void Control::NeedParentUpdate() {
    if (manager_) manager_->NeedLayout();
}

}  // namespace skinui
