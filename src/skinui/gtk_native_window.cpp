#include "skinui/gtk_native_window.h"

#include "skinui/window_base.h"

namespace skinui {

GtkNativeWindow::GtkNativeWindow(WindowBase& window, NativeWindow* owner) : window_(window) {
    widget_ = gtk_window_new(GTK_WINDOW_TOPLEVEL);
    GtkWindow* gtkWindow = GTK_WINDOW(widget_);
    gtk_window_set_title(gtkWindow, window.GetWindowClassName().c_str());
    gtk_window_set_decorated(gtkWindow, FALSE);
    gtk_widget_set_app_paintable(widget_, TRUE);
    if (auto* gtkOwner = dynamic_cast<GtkNativeWindow*>(owner); gtkOwner && gtkOwner->widget_) {
        gtk_window_set_transient_for(gtkWindow, GTK_WINDOW(gtkOwner->widget_));
    }
    gtk_widget_add_events(widget_, GDK_POINTER_MOTION_MASK | GDK_BUTTON_PRESS_MASK |
                                       GDK_BUTTON_RELEASE_MASK | GDK_LEAVE_NOTIFY_MASK |
                                       GDK_KEY_PRESS_MASK | GDK_STRUCTURE_MASK |
                                       GDK_FOCUS_CHANGE_MASK);
    g_signal_connect(widget_, "draw", G_CALLBACK(OnDraw), this);
    g_signal_connect(widget_, "configure-event", G_CALLBACK(OnConfigure), this);
    g_signal_connect(widget_, "window-state-event", G_CALLBACK(OnWindowState), this);
    g_signal_connect(widget_, "delete-event", G_CALLBACK(OnDelete), this);
    g_signal_connect(widget_, "destroy", G_CALLBACK(OnDestroy), this);
    g_signal_connect(widget_, "motion-notify-event", G_CALLBACK(OnMotion), this);
    g_signal_connect(widget_, "leave-notify-event", G_CALLBACK(OnLeave), this);
    g_signal_connect(widget_, "button-press-event", G_CALLBACK(OnButton), this);
    g_signal_connect(widget_, "button-release-event", G_CALLBACK(OnButton), this);
    g_signal_connect(widget_, "key-press-event", G_CALLBACK(OnKey), this);
    g_signal_connect(widget_, "focus-in-event", G_CALLBACK(OnFocusIn), this);
    gtk_widget_realize(widget_);
    Send(Message::kCreate);
}

GtkNativeWindow::~GtkNativeWindow() {
    if (widget_) {
        g_signal_handlers_disconnect_by_data(widget_, this);
        gtk_widget_destroy(widget_);
        widget_ = nullptr;
    }
}

void GtkNativeWindow::Send(Message type, uintptr_t wParam, intptr_t lParam) {
    window_.DispatchMessage({type, wParam, lParam, 0});
}

void GtkNativeWindow::Move(Point position) {
    if (!widget_) return;
    gtk_window_move(GTK_WINDOW(widget_), position.x, position.y);
    if (position.x == rect_.left && position.y == rect_.top) return;
    rect_ = rect_.Offset(position.x - rect_.left, position.y - rect_.top);
    Send(Message::kMove, 0, PackPoint(position));
}

void GtkNativeWindow::Resize(Size size) {
    if (!widget_) return;
    gtk_window_set_default_size(GTK_WINDOW(widget_), size.cx, size.cy);
    gtk_window_resize(GTK_WINDOW(widget_), size.cx, size.cy);
    if (size.cx == rect_.Width() && size.cy == rect_.Height()) return;
    rect_.right = rect_.left + size.cx;
    rect_.bottom = rect_.top + size.cy;
    Send(Message::kSize, kSizeRestored, PackSize(size));
}

void GtkNativeWindow::Show(bool activate) {
    if (!widget_ || gtk_widget_get_visible(widget_)) return;
    Send(Message::kShowWindow, 1);
    if (!widget_) return;
    gtk_window_set_focus_on_map(GTK_WINDOW(widget_), activate);
    gtk_widget_show(widget_);
    // Without a window manager nothing else puts the window where we asked.
    gtk_window_move(GTK_WINDOW(widget_), rect_.left, rect_.top);
    if (activate) gtk_window_present(GTK_WINDOW(widget_));
}

void GtkNativeWindow::Hide() {
    if (!widget_ || !gtk_widget_get_visible(widget_)) return;
    Send(Message::kShowWindow, 0);
    if (widget_) gtk_widget_hide(widget_);
}

bool GtkNativeWindow::IsVisible() const {
    return widget_ && gtk_widget_get_visible(widget_);
}

void GtkNativeWindow::Minimize() {
    if (widget_) gtk_window_iconify(GTK_WINDOW(widget_));
}

void GtkNativeWindow::Maximize() {
    if (widget_) gtk_window_maximize(GTK_WINDOW(widget_));
}

void GtkNativeWindow::Restore() {
    if (!widget_) return;
    gtk_window_deiconify(GTK_WINDOW(widget_));
    gtk_window_unmaximize(GTK_WINDOW(widget_));
}

void GtkNativeWindow::Invalidate(const Rect& rect) {
    if (widget_)
        gtk_widget_queue_draw_area(widget_, rect.left, rect.top, rect.Width(), rect.Height());
}

void GtkNativeWindow::SetShape(const WindowShape& shape) {
    if (!widget_) return;
    if (shape.corner.cx < 2 || shape.corner.cy < 2) {
        gtk_widget_shape_combine_region(widget_, nullptr);
        return;
    }
    cairo_region_t* region = cairo_region_create();
    const auto spans = shape.RowSpans();
    for (size_t y = 0; y < spans.size(); ++y) {
        if (spans[y].start >= spans[y].end) continue;
        const cairo_rectangle_int_t row{spans[y].start, static_cast<int>(y),
                                        spans[y].end - spans[y].start, 1};
        cairo_region_union_rectangle(region, &row);
    }
    gtk_widget_shape_combine_region(widget_, region);
    cairo_region_destroy(region);
}

Rect GtkNativeWindow::GetWorkArea() const {
    GdkDisplay* display = gdk_display_get_default();
    GdkMonitor* monitor = nullptr;
    if (widget_ && gtk_widget_get_window(widget_)) {
        monitor = gdk_display_get_monitor_at_window(display, gtk_widget_get_window(widget_));
    }
    if (!monitor) monitor = gdk_display_get_primary_monitor(display);
    if (!monitor) monitor = gdk_display_get_monitor(display, 0);
    if (!monitor) return {0, 0, 1024, 768};
    GdkRectangle area;
    gdk_monitor_get_workarea(monitor, &area);
    return {area.x, area.y, area.x + area.width, area.y + area.height};
}

void GtkNativeWindow::SetSensitive(bool sensitive) {
    if (widget_) gtk_widget_set_sensitive(widget_, sensitive);
}

void GtkNativeWindow::BeginMoveDrag(Point screenPoint) {
    dragging_ = true;
    dragOffset_ = {screenPoint.x - rect_.left, screenPoint.y - rect_.top};
}

void GtkNativeWindow::Destroy() {
    if (!widget_) return;
    if (gtk_widget_get_visible(widget_)) Hide();
    if (widget_) gtk_widget_destroy(widget_);  // "destroy" reports the rest
}

void GtkNativeWindow::SetTitle(const std::string& title) {
    if (widget_) gtk_window_set_title(GTK_WINDOW(widget_), title.c_str());
}

void GtkNativeWindow::SetIcon(cairo_surface_t* picture) {
    if (!widget_ || !picture) return;
    GdkPixbuf* icon =
        gdk_pixbuf_get_from_surface(picture, 0, 0, cairo_image_surface_get_width(picture),
                                    cairo_image_surface_get_height(picture));
    if (!icon) return;
    gtk_window_set_icon(GTK_WINDOW(widget_), icon);
    g_object_unref(icon);
}

gboolean GtkNativeWindow::OnDraw(GtkWidget*, cairo_t* cr, gpointer data) {
    auto* self = static_cast<GtkNativeWindow*>(data);
    self->Send(Message::kPaint);
    double x1 = 0, y1 = 0, x2 = 0, y2 = 0;
    cairo_clip_extents(cr, &x1, &y1, &x2, &y2);
    self->window_.GetPaintManager().Paint(
        cr, {static_cast<int>(x1), static_cast<int>(y1), static_cast<int>(x2 + 0.999),
             static_cast<int>(y2 + 0.999)});
    return TRUE;
}

gboolean GtkNativeWindow::OnConfigure(GtkWidget*, GdkEventConfigure* event, gpointer data) {
    auto* self = static_cast<GtkNativeWindow*>(data);
    const Rect now{event->x, event->y, event->x + event->width, event->y + event->height};
    const Rect was = self->rect_;
    self->rect_ = now;
    if (now.left != was.left || now.top != was.top) {
        self->Send(Message::kMove, 0, PackPoint({now.left, now.top}));
    }
    if (now.Width() != was.Width() || now.Height() != was.Height()) {
        const uintptr_t kind = self->maximized_ ? kSizeMaximized : kSizeRestored;
        self->Send(Message::kSize, kind, PackSize({now.Width(), now.Height()}));
    }
    return FALSE;
}

gboolean GtkNativeWindow::OnWindowState(GtkWidget*, GdkEventWindowState* event, gpointer data) {
    auto* self = static_cast<GtkNativeWindow*>(data);
    const bool minimized = event->new_window_state & GDK_WINDOW_STATE_ICONIFIED;
    const bool maximized = event->new_window_state & GDK_WINDOW_STATE_MAXIMIZED;
    if (minimized == self->minimized_ && maximized == self->maximized_) return FALSE;
    self->minimized_ = minimized;
    self->maximized_ = maximized;
    const Size size{self->rect_.Width(), self->rect_.Height()};
    if (minimized) {
        self->Send(Message::kSize, kSizeMinimized, 0);
    } else {
        self->Send(Message::kSize, maximized ? kSizeMaximized : kSizeRestored, PackSize(size));
    }
    return FALSE;
}

gboolean GtkNativeWindow::OnDelete(GtkWidget*, GdkEvent*, gpointer data) {
    static_cast<GtkNativeWindow*>(data)->Send(Message::kClose);
    return TRUE;  // the window decides; closing destroys it
}

void GtkNativeWindow::OnDestroy(GtkWidget*, gpointer data) {
    auto* self = static_cast<GtkNativeWindow*>(data);
    if (!self->widget_) return;
    g_signal_handlers_disconnect_by_data(self->widget_, self);
    self->widget_ = nullptr;
    self->Send(Message::kDestroy);
    self->Send(Message::kNcDestroy);
}

gboolean GtkNativeWindow::OnMotion(GtkWidget*, GdkEventMotion* event, gpointer data) {
    auto* self = static_cast<GtkNativeWindow*>(data);
    if (self->dragging_) {
        self->Move({static_cast<int>(event->x_root) - self->dragOffset_.x,
                    static_cast<int>(event->y_root) - self->dragOffset_.y});
        return TRUE;
    }
    self->Send(Message::kMouseMove, 0,
               PackPoint({static_cast<int>(event->x), static_cast<int>(event->y)}));
    return TRUE;
}

gboolean GtkNativeWindow::OnLeave(GtkWidget*, GdkEventCrossing*, gpointer data) {
    auto* self = static_cast<GtkNativeWindow*>(data);
    if (!self->dragging_) self->Send(Message::kMouseLeave);
    return FALSE;
}

gboolean GtkNativeWindow::OnButton(GtkWidget*, GdkEventButton* event, gpointer data) {
    auto* self = static_cast<GtkNativeWindow*>(data);
    if (event->button != 1 || event->type == GDK_2BUTTON_PRESS ||
        event->type == GDK_3BUTTON_PRESS) {
        return FALSE;
    }
    const intptr_t point = PackPoint({static_cast<int>(event->x), static_cast<int>(event->y)});
    if (event->type == GDK_BUTTON_PRESS) {
        self->Send(Message::kButtonDown, 0, point);
    } else if (self->dragging_) {
        self->dragging_ = false;
        self->Send(Message::kExitSizeMove);
    } else {
        self->Send(Message::kButtonUp, 0, point);
    }
    return TRUE;
}

gboolean GtkNativeWindow::OnKey(GtkWidget*, GdkEventKey* event, gpointer data) {
    auto* self = static_cast<GtkNativeWindow*>(data);
    self->Send(Message::kKeyDown, event->keyval);
    const gunichar character = gdk_keyval_to_unicode(event->keyval);
    if (self->widget_ && character >= 0x20 && character != 0x7F) {
        self->Send(Message::kChar, character);
    }
    return TRUE;
}

gboolean GtkNativeWindow::OnFocusIn(GtkWidget*, GdkEventFocus*, gpointer data) {
    static_cast<GtkNativeWindow*>(data)->Send(Message::kActivate, 1);
    return FALSE;
}

}  // namespace skinui
