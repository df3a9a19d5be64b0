#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "skinui/geometry.h"

namespace skinui {

// How a control draws one image, as written in an image attribute: either a
// plain file name or key='value' pairs:
//   file='res\a.png' dest='0,1,16,17' corner='2,2,2,2' mask='#FFFF00FF' fade='128'
//   hole='true' xtiled='true' ytiled='true'
struct ImageAttributes {
    std::string file;
    std::optional<Rect> dest;      // target rectangle inside the control
    Rect corner;                   // nine-patch margins in the image
    std::optional<uint32_t> mask;  // ARGB; pixels of this RGB colour become transparent
    int fade = 255;
    bool hole = false;  // leave the nine-patch middle undrawn
    bool xtiled = false;
    bool ytiled = false;

    static ImageAttributes Parse(std::string_view attribute);
};

}  // namespace skinui
