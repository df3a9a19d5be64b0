// make-skin-images: draws every picture of the installer's skin into a folder.
// The build runs it and packs its output together with the layouts, so the
// repository holds the recipe for the pictures rather than the pictures.
//
//   make-skin-images OUTPUT_FOLDER

#include <cairo.h>
#include <pango/pangocairo.h>

#include <cmath>
#include <cstdio>
#include <filesystem>
#include <functional>
#include <string>

namespace {

namespace fs = std::filesystem;

constexpr const char* kFontFamily = "WenQuanYi Micro Hei";

struct Rgba {
    double r, g, b, a = 1.0;
};

Rgba Hex(unsigned rgb, double alpha = 1.0) {
    return {((rgb >> 16) & 0xFF) / 255.0, ((rgb >> 8) & 0xFF) / 255.0, (rgb & 0xFF) / 255.0, alpha};
}

void SetColor(cairo_t* cr, const Rgba& c) {
    cairo_set_source_rgba(cr, c.r, c.g, c.b, c.a);
}

void RoundedRect(cairo_t* cr, double x, double y, double w, double h, double r) {
    r = std::min(r, std::min(w, h) / 2);
    cairo_new_sub_path(cr);
    cairo_arc(cr, x + w - r, y + r, r, -M_PI / 2, 0);
    cairo_arc(cr, x + w - r, y + h - r, r, 0, M_PI / 2);
    cairo_arc(cr, x + r, y + h - r, r, M_PI / 2, M_PI);
    cairo_arc(cr, x + r, y + r, r, M_PI, 3 * M_PI / 2);
    cairo_close_path(cr);
}

// Text centred in the rectangle (x, y, w, h).
void CentredText(cairo_t* cr, const std::string& text, double x, double y, double w, double h,
                 int pixelSize, bool bold, const Rgba& color) {
    PangoLayout* layout = pango_cairo_create_layout(cr);
    PangoFontDescription* font = pango_font_description_new();
    pango_font_description_set_family(font, kFontFamily);
    pango_font_description_set_absolute_size(font, pixelSize * PANGO_SCALE);
    pango_font_description_set_weight(font, bold ? PANGO_WEIGHT_BOLD : PANGO_WEIGHT_NORMAL);
    pango_layout_set_font_description(layout, font);
    pango_layout_set_text(layout, text.c_str(), -1);
    int tw = 0, th = 0;
    pango_layout_get_pixel_size(layout, &tw, &th);
    SetColor(cr, color);
    cairo_move_to(cr, x + (w - tw) / 2.0, y + (h - th) / 2.0);
    pango_cairo_show_layout(cr, layout);
    pango_font_description_free(font);
    g_object_unref(layout);
}

bool Save(const fs::path& file, int w, int h, const std::function<void(cairo_t*)>& draw) {
    fs::create_directories(file.parent_path());
    cairo_surface_t* surface = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, w, h);
    cairo_t* cr = cairo_create(surface);
    draw(cr);
    cairo_destroy(cr);
    const bool ok = cairo_surface_write_to_png(surface, file.c_str()) == CAIRO_STATUS_SUCCESS;
    cairo_surface_destroy(surface);
    if (!ok) std::fprintf(stderr, "make-skin-images: cannot write %s\n", file.c_str());
    return ok;
}

// A button face: a rounded, filled rectangle with centred text. State 0 is
// normal, 1 hot (lighter), 2 pushed (darker).
struct Face {
    Rgba fill;
    Rgba text;
    Rgba border{0, 0, 0, 0};
    double radius = 4;
    int fontSize = 16;
};

Rgba Shade(const Rgba& c, int state) {
    const double f = state == 1 ? 1.12 : state == 2 ? 0.85 : 1.0;
    return {std::min(1.0, c.r * f), std::min(1.0, c.g * f), std::min(1.0, c.b * f), c.a};
}

bool SaveButton(const fs::path& file, int w, int h, const std::string& text, const Face& face,
                int state) {
    return Save(file, w, h, [&](cairo_t* cr) {
        RoundedRect(cr, 0.5, 0.5, w - 1, h - 1, face.radius);
        SetColor(cr, Shade(face.fill, state));
        cairo_fill_preserve(cr);
        SetColor(cr, face.border);
        cairo_set_line_width(cr, 1);
        cairo_stroke(cr);
        CentredText(cr, text, 0, 0, w, h, face.fontSize, false, face.text);
    });
}

// A 24 x 24 title button glyph: 'x' for close, '-' for minimise.
bool SaveGlyph(const fs::path& file, bool close, const Rgba& color, const Rgba& back) {
    return Save(file, 24, 24, [&](cairo_t* cr) {
        if (back.a > 0) {
            RoundedRect(cr, 0, 0, 24, 24, 4);
            SetColor(cr, back);
            cairo_fill(cr);
        }
        SetColor(cr, color);
        cairo_set_line_width(cr, 1.6);
        cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
        if (close) {
            cairo_move_to(cr, 7, 7);
            cairo_line_to(cr, 17, 17);
            cairo_move_to(cr, 17, 7);
            cairo_line_to(cr, 7, 17);
        } else {
            cairo_move_to(cr, 7, 12.5);
            cairo_line_to(cr, 17, 12.5);
        }
        cairo_stroke(cr);
    });
}

// A 16 x 16 chevron pointing left or right.
bool SaveArrow(const fs::path& file, bool left, const Rgba& color) {
    return Save(file, 16, 16, [&](cairo_t* cr) {
        SetColor(cr, color);
        cairo_set_line_width(cr, 1.6);
        cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
        cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
        const double tip = left ? 5 : 11, back = left ? 10 : 6;
        cairo_move_to(cr, back, 3);
        cairo_line_to(cr, tip, 8);
        cairo_line_to(cr, back, 13);
        cairo_stroke(cr);
    });
}

// The product's mark: a small waveform inside a rounded square.
void DrawMark(cairo_t* cr, double x, double y, double size) {
    RoundedRect(cr, x, y, size, size, size * 0.22);
    cairo_pattern_t* g = cairo_pattern_create_linear(x, y, x + size, y + size);
    cairo_pattern_add_color_stop_rgb(g, 0, 0.0, 0.64, 1.0);
    cairo_pattern_add_color_stop_rgb(g, 1, 0.24, 0.33, 0.95);
    cairo_set_source(cr, g);
    cairo_fill(cr);
    cairo_pattern_destroy(g);
    cairo_set_source_rgb(cr, 1, 1, 1);
    cairo_set_line_width(cr, size * 0.07);
    cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
    const double heights[] = {0.2, 0.45, 0.7, 0.35, 0.55, 0.25};
    for (int i = 0; i < 6; ++i) {
        const double cx = x + size * (0.2 + 0.12 * i), hh = size * heights[i] / 2;
        cairo_move_to(cr, cx, y + size / 2 - hh);
        cairo_line_to(cr, cx, y + size / 2 + hh);
    }
    cairo_stroke(cr);
}

bool DrawAll(const fs::path& out) {
    const fs::path common = out / "res" / "common";
    const fs::path main = out / "res" / "mainWnd";
    const fs::path box = out / "res" / "MessageBoxWnd";
    bool ok = true;

    // Title buttons of the main window (normal, hot, pushed).
    const Rgba titleGlyph = Hex(0x5A6275);
    ok &= SaveGlyph(common / "closebtn1.png", true, titleGlyph, {0, 0, 0, 0});
    ok &= SaveGlyph(common / "closebtn2.png", true, Hex(0xFFFFFF), Hex(0xE8473C));
    ok &= SaveGlyph(common / "closebtn3.png", true, Hex(0xFFFFFF), Hex(0xC23A30));
    ok &= SaveGlyph(common / "minbtn1.png", false, titleGlyph, {0, 0, 0, 0});
    ok &= SaveGlyph(common / "minbtn2.png", false, titleGlyph, Hex(0x000000, 0.08));
    // Dialog close button (normal, hot, pushed, disabled).
    ok &= SaveGlyph(common / "closebtnM_1.png", true, Hex(0x999999), {0, 0, 0, 0});
    ok &= SaveGlyph(common / "closebtnM_2.png", true, Hex(0x333333), Hex(0x000000, 0.06));
    ok &= SaveGlyph(common / "closebtnM_3.png", true, Hex(0x111111), Hex(0x000000, 0.12));
    ok &= SaveGlyph(common / "closebtnM_4.png", true, Hex(0xDDDDDD), {0, 0, 0, 0});
    // An icon the layouts do not use.
    ok &= Save(common / "icon.png", 24, 24, [](cairo_t* cr) { DrawMark(cr, 0, 0, 24); });

    const Face blue{Hex(0x1E90FF), Hex(0xFFFFFF), {0, 0, 0, 0}, 4, 14};
    const Face grey{Hex(0xF3F5F9), Hex(0x555C78), Hex(0xD5D9E2), 4, 14};
    for (int s = 0; s < 3; ++s) {
        const std::string n = std::to_string(s + 1);
        ok &= SaveButton(common / ("yesbtn" + n + ".png"), 76, 32, "是", blue, s);
        ok &= SaveButton(common / ("nobtn" + n + ".png"), 76, 32, "否", grey, s);
    }

    // Main window backgrounds: one picture, four pages.
    for (int i = 1; i <= 4; ++i) {
        ok &= Save(main / ("bg" + std::to_string(i) + ".png"), 1201, 801, [](cairo_t* cr) {
            cairo_pattern_t* g = cairo_pattern_create_linear(0, 0, 0, 801);
            cairo_pattern_add_color_stop_rgb(g, 0, 0.91, 0.95, 1.0);
            cairo_pattern_add_color_stop_rgb(g, 1, 1.0, 1.0, 1.0);
            cairo_set_source(cr, g);
            cairo_paint(cr);
            cairo_pattern_destroy(g);
            // Soft circles in the upper right corner.
            const double circles[][4] = {{1050, 60, 260, 0.10},
                                         {900, -40, 180, 0.08},
                                         {1150, 300, 140, 0.06},
                                         {120, 760, 220, 0.05}};
            for (const auto& c : circles) {
                cairo_arc(cr, c[0], c[1], c[2], 0, 2 * M_PI);
                cairo_set_source_rgba(cr, 0.0, 0.45, 0.95, c[3]);
                cairo_fill(cr);
            }
        });
    }
    ok &= Save(main / "logo.png", 389, 64, [](cairo_t* cr) {
        DrawMark(cr, 0, 4, 56);
        CentredText(cr, "Vantyx音频剪辑软件", 66, 0, 323, 64, 34, true, Hex(0x1F2D45));
    });
    ok &= Save(main / "ilogo.png", 147, 24, [](cairo_t* cr) {
        DrawMark(cr, 0, 0, 24);
        CentredText(cr, "Vantyx音频剪辑", 28, 0, 119, 24, 14, false, Hex(0x444444));
    });
    const Face install{Hex(0x1E90FF), Hex(0xFFFFFF), {0, 0, 0, 0}, 23, 18};
    const Face edit{Hex(0xFFFFFF), Hex(0x1E90FF), Hex(0x1E90FF), 4, 16};
    for (int s = 0; s < 3; ++s) {
        const std::string n = std::to_string(s + 1);
        ok &= SaveButton(main / ("installBtn" + n + ".png"), 200, 46, "立即安装", install, s);
        ok &= SaveButton(main / ("experienceBtn" + n + ".png"), 200, 47, "立即体验", install, s);
        ok &= SaveButton(main / ("editpathBtn" + n + ".png"), 80, 36, "修改", edit, s);
        const Rgba arrow = s == 0 ? Hex(0x888888) : Hex(0x464251);
        ok &= SaveArrow(main / ("backBtn" + n + ".png"), true, arrow);
        ok &= SaveArrow(main / ("customeBtn" + n + ".png"), false, arrow);
    }
    ok &= Save(main / "Cb1.png", 14, 14, [](cairo_t* cr) {
        RoundedRect(cr, 0.5, 0.5, 13, 13, 2);
        cairo_set_source_rgb(cr, 1, 1, 1);
        cairo_fill_preserve(cr);
        SetColor(cr, Hex(0xB4BAC8));
        cairo_set_line_width(cr, 1);
        cairo_stroke(cr);
    });
    ok &= Save(main / "Cb2.png", 14, 14, [](cairo_t* cr) {
        RoundedRect(cr, 0, 0, 14, 14, 2);
        SetColor(cr, Hex(0x1E90FF));
        cairo_fill(cr);
        cairo_set_source_rgb(cr, 1, 1, 1);
        cairo_set_line_width(cr, 1.8);
        cairo_move_to(cr, 3.2, 7.2);
        cairo_line_to(cr, 6, 10);
        cairo_line_to(cr, 11, 4);
        cairo_stroke(cr);
    });
    ok &= Save(main / "tipLbl.png", 116, 32, [](cairo_t* cr) {
        RoundedRect(cr, 0, 0, 116, 26, 4);
        cairo_move_to(cr, 14, 26);
        cairo_line_to(cr, 20, 32);
        cairo_line_to(cr, 26, 26);
        SetColor(cr, Hex(0x3A3F4E, 0.9));
        cairo_fill(cr);
        CentredText(cr, "请阅读后勾选同意", 0, 0, 116, 26, 12, false, Hex(0xFFFFFF));
    });
    ok &= Save(main / "installDirEdit.png", 340, 36, [](cairo_t* cr) {
        RoundedRect(cr, 0.5, 0.5, 339, 35, 3);
        cairo_set_source_rgb(cr, 1, 1, 1);
        cairo_fill_preserve(cr);
        SetColor(cr, Hex(0xCDD3DE));
        cairo_set_line_width(cr, 1);
        cairo_stroke(cr);
    });
    ok &= Save(main / "installPrg1.png", 410, 8, [](cairo_t* cr) {
        RoundedRect(cr, 0, 0, 410, 8, 4);
        SetColor(cr, Hex(0xDDE3EE));
        cairo_fill(cr);
    });
    ok &= Save(main / "installPrg2.png", 410, 8, [](cairo_t* cr) {
        RoundedRect(cr, 0, 0, 410, 8, 4);
        cairo_pattern_t* g = cairo_pattern_create_linear(0, 0, 410, 0);
        cairo_pattern_add_color_stop_rgb(g, 0, 0.0, 0.64, 1.0);
        cairo_pattern_add_color_stop_rgb(g, 1, 0.12, 0.45, 1.0);
        cairo_set_source(cr, g);
        cairo_fill(cr);
        cairo_pattern_destroy(g);
    });
    ok &= Save(main / "finished.png", 60, 60, [](cairo_t* cr) {
        cairo_arc(cr, 30, 30, 30, 0, 2 * M_PI);
        SetColor(cr, Hex(0x22C07A));
        cairo_fill(cr);
        cairo_set_source_rgb(cr, 1, 1, 1);
        cairo_set_line_width(cr, 5);
        cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
        cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
        cairo_move_to(cr, 17, 31);
        cairo_line_to(cr, 26, 40);
        cairo_line_to(cr, 43, 21);
        cairo_stroke(cr);
    });
    // The installing animation: a ring with a bright arc going round once in 63 frames.
    for (int frame = 0; frame < 63; ++frame) {
        ok &= Save(main / "installBtnAnimate" / (std::to_string(frame) + ".png"), 200, 200,
                   [frame](cairo_t* cr) {
                       cairo_set_line_width(cr, 10);
                       cairo_arc(cr, 100, 100, 80, 0, 2 * M_PI);
                       SetColor(cr, Hex(0xDDE8F7));
                       cairo_stroke(cr);
                       const double start = -M_PI / 2 + 2 * M_PI * frame / 63.0;
                       cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
                       cairo_arc(cr, 100, 100, 80, start, start + M_PI * 0.6);
                       SetColor(cr, Hex(0x1E90FF));
                       cairo_stroke(cr);
                       DrawMark(cr, 70, 70, 60);
                   });
    }

    // Dialog buttons and icons.
    for (int s = 0; s < 3; ++s) {
        const std::string n = std::to_string(s + 1);
        ok &= SaveButton(box / ("openBtn" + n + ".png"), 76, 32, "打开软件", grey, s);
        ok &= SaveButton(box / ("latestBtn" + n + ".png"), 100, 32, "安装最新版本", blue, s);
    }
    ok &= SaveButton(box / "tryBtn.png", 76, 32, "稍后再试", grey, 0);
    ok &= SaveButton(box / "reinstallBtn.png", 76, 32, "重新安装", blue, 0);
    const struct {
        const char* name;
        unsigned color;
        const char* glyph;
    } icons[] = {{"icoQuest.png", 0x1E90FF, "?"},
                 {"icoWarn.png", 0xF5A623, "!"},
                 {"icoNetwork.png", 0x8A94A6, "~"}};
    for (const auto& icon : icons) {
        ok &= Save(box / icon.name, 40, 40, [&](cairo_t* cr) {
            cairo_arc(cr, 20, 20, 20, 0, 2 * M_PI);
            SetColor(cr, Hex(icon.color));
            cairo_fill(cr);
            CentredText(cr, icon.glyph, 0, 0, 40, 40, 26, true, Hex(0xFFFFFF));
        });
    }
    return ok;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: make-skin-images OUTPUT_FOLDER\n");
        return 2;
    }
    return DrawAll(argv[1]) ? 0 : 1;
}
