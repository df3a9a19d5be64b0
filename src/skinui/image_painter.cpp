#include "skinui/image_painter.h"

#include <algorithm>

namespace skinui {

namespace {

// Copies the image part `src` onto `dst`, stretched, or repeated along the tiled axes.
void PaintPart(cairo_t* cr, cairo_surface_t* image, const Rect& src, const Rect& dst, double alpha,
               bool xtiled, bool ytiled) {
    if (src.IsEmpty() || dst.IsEmpty()) return;
    cairo_save(cr);
    cairo_rectangle(cr, dst.left, dst.top, dst.Width(), dst.Height());
    cairo_clip(cr);
    cairo_surface_t* part =
        cairo_surface_create_for_rectangle(image, src.left, src.top, src.Width(), src.Height());
    cairo_pattern_t* pattern = cairo_pattern_create_for_surface(part);
    const double sx = xtiled ? 1.0 : static_cast<double>(src.Width()) / dst.Width();
    const double sy = ytiled ? 1.0 : static_cast<double>(src.Height()) / dst.Height();
    cairo_matrix_t matrix;
    cairo_matrix_init_scale(&matrix, sx, sy);
    cairo_matrix_translate(&matrix, -dst.left, -dst.top);
    cairo_pattern_set_matrix(pattern, &matrix);
    cairo_pattern_set_extend(pattern, (xtiled || ytiled) ? CAIRO_EXTEND_REPEAT : CAIRO_EXTEND_PAD);
    if (sx == 1.0 && sy == 1.0) cairo_pattern_set_filter(pattern, CAIRO_FILTER_NEAREST);
    cairo_set_source(cr, pattern);
    cairo_paint_with_alpha(cr, alpha);
    cairo_pattern_destroy(pattern);
    cairo_surface_destroy(part);
    cairo_restore(cr);
}

}  // namespace

void PaintImage(cairo_t* cr, cairo_surface_t* image, const Rect& control,
                const ImageAttributes& attributes) {
    if (!image || attributes.fade == 0) return;
    const int iw = cairo_image_surface_get_width(image);
    const int ih = cairo_image_surface_get_height(image);
    Rect target = control;
    if (attributes.dest) {
        target = Rect{control.left + attributes.dest->left, control.top + attributes.dest->top,
                      control.left + attributes.dest->right, control.top + attributes.dest->bottom}
                     .Intersect(control);
    }
    if (target.IsEmpty()) return;
    const double alpha = attributes.fade / 255.0;

    // Margins larger than the image or the target shrink to what fits.
    const int l = std::clamp(attributes.corner.left, 0, std::min(iw, target.Width()));
    const int t = std::clamp(attributes.corner.top, 0, std::min(ih, target.Height()));
    const int r = std::clamp(attributes.corner.right, 0, std::min(iw - l, target.Width() - l));
    const int b = std::clamp(attributes.corner.bottom, 0, std::min(ih - t, target.Height() - t));

    const int sx[4] = {0, l, iw - r, iw};
    const int sy[4] = {0, t, ih - b, ih};
    const int dx[4] = {target.left, target.left + l, target.right - r, target.right};
    const int dy[4] = {target.top, target.top + t, target.bottom - b, target.bottom};
    for (int row = 0; row < 3; ++row) {
        for (int col = 0; col < 3; ++col) {
            const bool middle = row == 1 && col == 1;
            if (middle && attributes.hole) continue;
            const Rect src{sx[col], sy[row], sx[col + 1], sy[row + 1]};
            const Rect dst{dx[col], dy[row], dx[col + 1], dy[row + 1]};
            // Corners keep their size; the tiled axes repeat along edges and middle.
            const bool xt = attributes.xtiled && col == 1;
            const bool yt = attributes.ytiled && row == 1;
            PaintPart(cr, image, src, dst, alpha, xt, yt);
        }
    }
}

}  // namespace skinui
