#include "skinui/container.h"

namespace skinui {

Control* Container::Add(std::unique_ptr<Control> child) {
    Control* raw = child.get();
    children_.push_back(std::move(child));
    raw->SetManager(manager_, this);
    NeedParentUpdate();
    return raw;
}

Control* Container::GetItemAt(int index) const {
    if (index < 0 || index >= GetCount()) return nullptr;
    return children_[static_cast<size_t>(index)].get();
}

int Container::GetItemIndex(const Control* child) const {
    for (int i = 0; i < GetCount(); ++i) {
        if (children_[static_cast<size_t>(i)].get() == child) return i;
    }
    return -1;
}

void Container::SetManager(PaintManager* manager, Control* parent) {
    Control::SetManager(manager, parent);
    for (auto& child : children_) child->SetManager(manager, this);
}

bool Container::IsChildShown(int index) const {
    return children_[static_cast<size_t>(index)]->IsVisible();
}

void Container::Paint(cairo_t* cr, const Rect& dirty) {
    const Rect area = rect_.Intersect(dirty);
    if (area.IsEmpty()) return;
    Control::Paint(cr, dirty);
    cairo_save(cr);
    cairo_rectangle(cr, area.left, area.top, area.Width(), area.Height());
    cairo_clip(cr);
    for (int i = 0; i < GetCount(); ++i) {
        if (IsChildShown(i)) children_[static_cast<size_t>(i)]->Paint(cr, area);
    }
    cairo_restore(cr);
}

Control* Container::FindControlAt(Point point) {
    if (!visible_ || !rect_.Contains(point)) return nullptr;
    for (int i = GetCount() - 1; i >= 0; --i) {
        if (!IsChildShown(i)) continue;
        if (Control* hit = children_[static_cast<size_t>(i)]->FindControlAt(point)) return hit;
    }
    return this;
}

Control* Container::FindControl(std::string_view name) {
    if (name_ == name) return this;
    for (auto& child : children_) {
        if (Control* found = child->FindControl(name)) return found;
    }
    return nullptr;
}

}  // namespace skinui
