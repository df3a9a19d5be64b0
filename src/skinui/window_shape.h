#pragma once

#include <vector>

#include "skinui/geometry.h"

namespace skinui {

// The outline of a window with round corners: a rectangle of `size` whose
// corners are cut along quarter ellipses of `corner` (full width and height of
// the ellipse). Corners smaller than 2 pixels leave the rectangle whole.
struct WindowShape {
    Size size;
    Size corner;

    bool Contains(int x, int y) const;

    // For each row, the first column inside and one past the last; rows with
    // nothing inside have start >= end.
    struct Span {
        int start;
        int end;
    };
    std::vector<Span> RowSpans() const;
};

}  // namespace skinui
