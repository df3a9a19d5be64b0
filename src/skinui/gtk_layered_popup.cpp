#include "skinui/gtk_layered_popup.h"

namespace skinui {

GtkLayeredPopup::GtkLayeredPopup(GtkWidget* owner) {
    widget_ = gtk_window_new(GTK_WINDOW_POPUP);
    GtkWindow* window = GTK_WINDOW(widget_);
    gtk_window_set_title(window, "SkinShadowWnd");
    if (GdkVisual* visual = gdk_screen_get_rgba_visual(gtk_widget_get_screen(widget_))) {
        gtk_widget_set_visual(widget_, visual);
    }
    gtk_widget_set_app_paintable(widget_, TRUE);
    gtk_window_set_accept_focus(window, FALSE);
    gtk_window_set_focus_on_map(window, FALSE);
    gtk_widget_set_can_focus(widget_, FALSE);
    gtk_window_set_type_hint(window, GDK_WINDOW_TYPE_HINT_UTILITY);
    if (owner) gtk_window_set_transient_for(window, GTK_WINDOW(owner));
    g_signal_connect(widget_, "draw", G_CALLBACK(OnDraw), this);
    g_signal_connect(widget_, "realize", G_CALLBACK(OnRealize), this);
    g_signal_connect(widget_, "destroy", G_CALLBACK(OnDestroy), this);
    gtk_widget_realize(widget_);
}

GtkLayeredPopup::~GtkLayeredPopup() {
    Destroy();
    if (pixels_) cairo_surface_destroy(pixels_);
}

void GtkLayeredPopup::OnRealize(GtkWidget* widget, gpointer) {
    // No input at all: clicks reach whatever is below.
    cairo_region_t* nothing = cairo_region_create();
    gdk_window_input_shape_combine_region(gtk_widget_get_window(widget), nothing, 0, 0);
    cairo_region_destroy(nothing);
}

void GtkLayeredPopup::OnDestroy(GtkWidget*, gpointer data) {
    static_cast<GtkLayeredPopup*>(data)->widget_ = nullptr;
}

gboolean GtkLayeredPopup::OnDraw(GtkWidget*, cairo_t* cr, gpointer data) {
    auto* self = static_cast<GtkLayeredPopup*>(data);
    cairo_set_operator(cr, CAIRO_OPERATOR_SOURCE);
    if (self->pixels_) {
        cairo_set_source_surface(cr, self->pixels_, 0, 0);
    } else {
        cairo_set_source_rgba(cr, 0, 0, 0, 0);
    }
    cairo_paint(cr);
    return TRUE;
}

void GtkLayeredPopup::Update(const Rect& rect, cairo_surface_t* pixels) {
    if (!widget_) return;
    if (pixels_) cairo_surface_destroy(pixels_);
    pixels_ = cairo_surface_reference(pixels);
    rect_ = rect;
    gtk_widget_set_size_request(widget_, rect.Width(), rect.Height());
    gtk_window_resize(GTK_WINDOW(widget_), rect.Width(), rect.Height());
    gtk_window_move(GTK_WINDOW(widget_), rect.left, rect.top);
    gtk_widget_queue_draw(widget_);
}

void GtkLayeredPopup::Move(Point position) {
    rect_ = rect_.Offset(position.x - rect_.left, position.y - rect_.top);
    if (widget_) gtk_window_move(GTK_WINDOW(widget_), position.x, position.y);
}

void GtkLayeredPopup::Show() {
    if (widget_) gtk_widget_show(widget_);
}

void GtkLayeredPopup::Hide() {
    if (widget_) gtk_widget_hide(widget_);
}

bool GtkLayeredPopup::IsVisible() const {
    return widget_ && gtk_widget_get_visible(widget_);
}

void GtkLayeredPopup::Destroy() {
    if (!widget_) return;
    GtkWidget* widget = widget_;
    widget_ = nullptr;
    g_signal_handlers_disconnect_by_data(widget, this);
    gtk_widget_destroy(widget);
}

}  // namespace skinui
