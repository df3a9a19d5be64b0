#pragma once

#include <cairo.h>

#include <cstdint>
#include <string_view>

#include "skinui/font_table.h"
#include "skinui/geometry.h"

namespace skinui {

enum class HAlign { kLeft, kCenter, kRight };
enum class VAlign { kTop, kCenter, kBottom };

// How a text sits in its rectangle.
struct TextStyle {
    HAlign align = HAlign::kLeft;
    VAlign valign = VAlign::kCenter;
    bool multiline = false;  // wrap at word or character boundaries; else one line, cut with "…"
};

// Draws text with Pango. The family "微软雅黑" falls back to an installed CJK
// font. `color` is ARGB.
void PaintText(cairo_t* cr, const Rect& rect, std::string_view text, const FontSpec& font,
               uint32_t color, const TextStyle& style);

// The size the text takes in the font; multi-line text wraps at `width` when it is positive.
Size MeasureText(std::string_view text, const FontSpec& font, const TextStyle& style, int width);

// The Pango family list used for a layout family.
std::string FontFamilies(const std::string& family);

}  // namespace skinui
