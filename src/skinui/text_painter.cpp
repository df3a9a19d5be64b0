#include "skinui/text_painter.h"

#include <pango/pangocairo.h>

#include <string>

namespace skinui {

namespace {

PangoFontDescription* MakeDescription(const FontSpec& font) {
    PangoFontDescription* description = pango_font_description_new();
    pango_font_description_set_family(description, FontFamilies(font.family).c_str());
    pango_font_description_set_absolute_size(description, font.size * PANGO_SCALE);
    pango_font_description_set_weight(description,
                                      font.bold ? PANGO_WEIGHT_BOLD : PANGO_WEIGHT_NORMAL);
    if (font.italic) pango_font_description_set_style(description, PANGO_STYLE_ITALIC);
    return description;
}

void Configure(PangoLayout* layout, std::string_view text, const FontSpec& font,
               const TextStyle& style, int width) {
    PangoFontDescription* description = MakeDescription(font);
    pango_layout_set_font_description(layout, description);
    pango_font_description_free(description);
    pango_layout_set_text(layout, text.data(), static_cast<int>(text.size()));
    if (font.underline) {
        PangoAttrList* attributes = pango_attr_list_new();
        pango_attr_list_insert(attributes, pango_attr_underline_new(PANGO_UNDERLINE_SINGLE));
        pango_layout_set_attributes(layout, attributes);
        pango_attr_list_unref(attributes);
    }
    if (width > 0) {
        pango_layout_set_width(layout, width * PANGO_SCALE);
        if (style.multiline) {
            pango_layout_set_wrap(layout, PANGO_WRAP_WORD_CHAR);
        } else {
            pango_layout_set_ellipsize(layout, PANGO_ELLIPSIZE_END);
        }
    }
    pango_layout_set_single_paragraph_mode(layout, !style.multiline);
    const PangoAlignment alignment = style.align == HAlign::kCenter  ? PANGO_ALIGN_CENTER
                                     : style.align == HAlign::kRight ? PANGO_ALIGN_RIGHT
                                                                     : PANGO_ALIGN_LEFT;
    pango_layout_set_alignment(layout, alignment);
}

}  // namespace

std::string FontFamilies(const std::string& family) {
    // Windows faces are not installed here; their CJK stand-ins follow them.
    return family + ",Microsoft YaHei,WenQuanYi Micro Hei,Noto Sans CJK SC,sans-serif";
}

void PaintText(cairo_t* cr, const Rect& rect, std::string_view text, const FontSpec& font,
               uint32_t color, const TextStyle& style) {
    if (text.empty() || rect.IsEmpty()) return;
    PangoLayout* layout = pango_cairo_create_layout(cr);
    Configure(layout, text, font, style, rect.Width());
    int width = 0, height = 0;
    pango_layout_get_pixel_size(layout, &width, &height);
    int y = rect.top;
    if (style.valign == VAlign::kCenter) y += (rect.Height() - height) / 2;
    if (style.valign == VAlign::kBottom) y += rect.Height() - height;
    cairo_save(cr);
    cairo_rectangle(cr, rect.left, rect.top, rect.Width(), rect.Height());
    cairo_clip(cr);
    cairo_set_source_rgba(cr, ((color >> 16) & 0xFF) / 255.0, ((color >> 8) & 0xFF) / 255.0,
                          (color & 0xFF) / 255.0, ((color >> 24) & 0xFF) / 255.0);
    cairo_move_to(cr, rect.left, y);
    pango_cairo_show_layout(cr, layout);
    cairo_restore(cr);
    g_object_unref(layout);
}

Size MeasureText(std::string_view text, const FontSpec& font, const TextStyle& style, int width) {
    PangoFontMap* fontMap = pango_cairo_font_map_get_default();
    PangoContext* context = pango_font_map_create_context(fontMap);
    PangoLayout* layout = pango_layout_new(context);
    TextStyle measured = style;
    Configure(layout, text, font, measured, style.multiline ? width : 0);
    int w = 0, h = 0;
    pango_layout_get_pixel_size(layout, &w, &h);
    g_object_unref(layout);
    g_object_unref(context);
    return {w, h};
}

}  // namespace skinui
