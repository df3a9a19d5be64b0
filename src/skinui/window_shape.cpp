#include "skinui/window_shape.h"

#include <cstddef>

namespace skinui {

bool WindowShape::Contains(int x, int y) const {
    if (x < 0 || y < 0 || x >= size.cx || y >= size.cy) return false;
    if (corner.cx < 2 || corner.cy < 2) return true;
    const double rx = corner.cx / 2.0, ry = corner.cy / 2.0;
    // The pixel centre, measured from the nearest corner's ellipse centre.
    const double px = x + 0.5, py = y + 0.5;
    double dx = 0, dy = 0;
    if (px < rx) dx = rx - px;
    if (px > size.cx - rx) dx = px - (size.cx - rx);
    if (py < ry) dy = ry - py;
    if (py > size.cy - ry) dy = py - (size.cy - ry);
    if (dx == 0 || dy == 0) return true;
    return (dx * dx) / (rx * rx) + (dy * dy) / (ry * ry) <= 1.0;
}

std::vector<WindowShape::Span> WindowShape::RowSpans() const {
    std::vector<Span> spans;
    spans.reserve(static_cast<std::size_t>(size.cy > 0 ? size.cy : 0));
    for (int y = 0; y < size.cy; ++y) {
        int start = 0;
        while (start < size.cx && !Contains(start, y)) ++start;
        int last = size.cx - 1;
        while (last >= start && !Contains(last, y)) --last;
        if (start >= size.cx) {
            spans.push_back({size.cx, 0});
        } else {
            spans.push_back({start, last + 1});
        }
    }
    return spans;
}

}  // namespace skinui
