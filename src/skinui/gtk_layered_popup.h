#pragma once

#include <gtk/gtk.h>

#include "skinui/host.h"

namespace skinui {

// A GTK popup with an RGBA visual that shows a premultiplied ARGB picture,
// lets every click through (empty input shape) and never takes the focus.
class GtkLayeredPopup : public LayeredPopup {
  public:
    explicit GtkLayeredPopup(GtkWidget* owner);
    ~GtkLayeredPopup() override;

    void Update(const Rect& rect, cairo_surface_t* pixels) override;
    void Move(Point position) override;
    void Show() override;
    void Hide() override;
    bool IsVisible() const override;
    Rect GetRect() const override { return rect_; }
    bool Exists() const override { return widget_ != nullptr; }
    void Destroy() override;

    GtkWidget* Widget() const { return widget_; }

  private:
    static gboolean OnDraw(GtkWidget*, cairo_t* cr, gpointer self);
    static void OnRealize(GtkWidget* widget, gpointer self);
    static void OnDestroy(GtkWidget*, gpointer self);

    GtkWidget* widget_;
    cairo_surface_t* pixels_ = nullptr;
    Rect rect_;
};

}  // namespace skinui
