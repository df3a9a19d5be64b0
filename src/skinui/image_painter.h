#pragma once

#include <cairo.h>

#include "skinui/geometry.h"
#include "skinui/image_attributes.h"

namespace skinui {

// Draws an image into a control's rectangle the way an ImageAttributes says: into
// "dest" when given, as a nine-patch with the "corner" margins (corners kept at
// their size, edges and middle stretched or tiled, the middle left out for a
// "hole"), faded by "fade".
void PaintImage(cairo_t* cr, cairo_surface_t* image, const Rect& control,
                const ImageAttributes& attributes);

}  // namespace skinui
