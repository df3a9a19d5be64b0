#include "skinui/combo.h"

#include "skinui/attribute_values.h"

namespace skinui {

void Combo::AddItem(std::string text) {
    items_.push_back(std::move(text));
}

const std::string& Combo::GetItemText(int index) const {
    static const std::string kNone;
    if (index < 0 || index >= GetCount()) return kNone;
    return items_[static_cast<size_t>(index)];
}

bool Combo::SelectItem(int index, bool notify) {
    if (index < 0 || index >= GetCount()) return false;
    const int old = current_;
    current_ = index;
    SetText(items_[static_cast<size_t>(index)]);
    if (notify) SendNotify(kNotifyItemSelect, static_cast<uintptr_t>(index), old);
    return true;
}

void Combo::DoEvent(ControlEvent& event) {
    if (!enabled_ || items_.empty()) {
        Label::DoEvent(event);
        return;
    }
    if (event.type == EventType::kButtonDown) {
        pushed_ = true;
    } else if (event.type == EventType::kButtonUp) {
        if (pushed_ && rect_.Contains(event.point)) SelectItem((current_ + 1) % GetCount());
        pushed_ = false;
    } else {
        Label::DoEvent(event);
    }
}

void Combo::SetAttribute(std::string_view name, std::string_view value) {
    if (name == "cursel") {
        current_ = ParseInt(value).value_or(-1);
    } else {
        Label::SetAttribute(name, value);
    }
}

}  // namespace skinui
