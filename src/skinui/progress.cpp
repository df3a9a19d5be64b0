#include "skinui/progress.h"

#include <algorithm>

#include "skinui/attribute_values.h"
#include "skinui/image_painter.h"
#include "skinui/paint_manager.h"

namespace skinui {

void Progress::SetValue(int value) {
    value_ = std::clamp(value, 0, 100);
    Invalidate();
}

void Progress::SetAttribute(std::string_view name, std::string_view value) {
    if (name == "foreimage") {
        foreImage_ = std::string(value);
    } else if (name == "value") {
        SetValue(ParseInt(value).value_or(0));
    } else {
        Label::SetAttribute(name, value);
    }
}

void Progress::PaintStatusImage(cairo_t* cr) {
    if (foreImage_.empty() || value_ == 0 || !manager_) return;
    const ImageAttributes attributes = ImageAttributes::Parse(foreImage_);
    cairo_surface_t* image = manager_->GetImage(attributes.file, attributes.mask);
    if (!image) return;
    Rect filled = rect_;
    filled.right = rect_.left + rect_.Width() * value_ / 100;
    PaintImage(cr, image, filled, attributes);
}

}  // namespace skinui
