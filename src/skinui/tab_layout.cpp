#include "skinui/tab_layout.h"

#include <algorithm>

#include "skinui/attribute_values.h"

namespace skinui {

bool TabLayout::SelectItem(int index, bool notify) {
    if (index < 0 || index >= GetCount()) return false;
    const int old = current_;
    current_ = index;
    NeedParentUpdate();
    Invalidate();
    if (notify) SendNotify(kNotifyTabSelect, static_cast<uintptr_t>(index), old);
    return true;
}

bool TabLayout::IsChildShown(int index) const {
    return index == current_ && Container::IsChildShown(index);
}

void TabLayout::SetPos(const Rect& rect) {
    Control::SetPos(rect);
    // Every page gets the whole area (or its fixed size at the top left), so
    // that switching pages needs no new layout.
    for (auto& child : children_) {
        const Rect& pad = child->GetPadding();
        Rect pos{rect.left + pad.left, rect.top + pad.top, rect.right - pad.right,
                 rect.bottom - pad.bottom};
        const Size want = child->EstimateSize({rect.Width(), rect.Height()});
        if (want.cx > 0) pos.right = std::min(pos.right, pos.left + want.cx);
        if (want.cy > 0) pos.bottom = std::min(pos.bottom, pos.top + want.cy);
        child->SetPos(pos);
    }
}

void TabLayout::SetAttribute(std::string_view name, std::string_view value) {
    if (name == "selectedid") {
        current_ = std::max(0, ParseInt(value).value_or(0));
    } else {
        Container::SetAttribute(name, value);
    }
}

}  // namespace skinui
