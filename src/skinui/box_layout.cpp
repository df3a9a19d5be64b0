#include "skinui/box_layout.h"

#include <algorithm>

namespace skinui {

void BoxLayout::SetPos(const Rect& rect) {
    Control::SetPos(rect);
    const int along = vertical_ ? rect.Height() : rect.Width();
    const int across = vertical_ ? rect.Width() : rect.Height();

    // First pass: what the fixed children and all paddings take.
    int used = 0;
    int flexible = 0;
    for (auto& child : children_) {
        if (!child->IsVisible()) continue;
        const Size want = child->EstimateSize({rect.Width(), rect.Height()});
        const Rect& pad = child->GetPadding();
        used += vertical_ ? pad.top + pad.bottom : pad.left + pad.right;
        const int fixed = vertical_ ? want.cy : want.cx;
        if (fixed > 0) {
            used += fixed;
        } else {
            ++flexible;
        }
    }
    const int spare = std::max(0, along - used);
    const int share = flexible > 0 ? spare / flexible : 0;
    int flexLeft = flexible;

    int cursor = vertical_ ? rect.top : rect.left;
    for (auto& child : children_) {
        if (!child->IsVisible()) continue;
        const Size want = child->EstimateSize({rect.Width(), rect.Height()});
        const Rect& pad = child->GetPadding();
        int length = vertical_ ? want.cy : want.cx;
        if (length <= 0) {
            --flexLeft;
            length = flexLeft == 0 ? spare - share * (flexible - 1) : share;
        }
        const int padBefore = vertical_ ? pad.top : pad.left;
        const int padAfter = vertical_ ? pad.bottom : pad.right;
        const int crossBefore = vertical_ ? pad.left : pad.top;
        const int crossAfter = vertical_ ? pad.right : pad.bottom;
        const int room = std::max(0, across - crossBefore - crossAfter);
        const int fixedAcross = vertical_ ? want.cx : want.cy;
        const int breadth = fixedAcross > 0 ? std::min(fixedAcross, room) : room;

        cursor += padBefore;
        Rect pos;
        if (vertical_) {
            const int x = rect.left + crossBefore;
            pos = {x, cursor, x + breadth, cursor + length};
        } else {
            const int y = rect.top + crossBefore;
            pos = {cursor, y, cursor + length, y + breadth};
        }
        child->SetPos(pos);
        cursor += length + padAfter;
    }
}

}  // namespace skinui
