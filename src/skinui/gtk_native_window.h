#pragma once

#include <gtk/gtk.h>

#include "skinui/host.h"
#include "skinui/window_message.h"

namespace skinui {

// An undecorated GTK window that shows a skinned window: paints it through
// its paint manager and turns GTK's events into the window's messages. The
// caption drag is done here by moving the window with the pointer, so it
// works with any window manager or none.
class GtkNativeWindow : public NativeWindow {
  public:
    GtkNativeWindow(WindowBase& window, NativeWindow* owner);
    ~GtkNativeWindow() override;

    Rect GetWindowRect() const override { return rect_; }
    void Move(Point position) override;
    void Resize(Size size) override;
    void Show(bool activate) override;
    void Hide() override;
    bool IsVisible() const override;
    void Minimize() override;
    void Maximize() override;
    void Restore() override;
    bool IsMinimized() const override { return minimized_; }
    bool IsMaximized() const override { return maximized_; }
    void Invalidate(const Rect& rect) override;
    void SetShape(const WindowShape& shape) override;
    Rect GetWorkArea() const override;
    void SetSensitive(bool sensitive) override;
    void BeginMoveDrag(Point screenPoint) override;
    void Destroy() override;
    bool IsDestroyed() const override { return widget_ == nullptr; }
    void SetIcon(cairo_surface_t* picture) override;
    void SetTitle(const std::string& title) override;

    GtkWidget* Widget() const { return widget_; }

  private:
    static gboolean OnDraw(GtkWidget*, cairo_t* cr, gpointer self);
    static gboolean OnConfigure(GtkWidget*, GdkEventConfigure* event, gpointer self);
    static gboolean OnWindowState(GtkWidget*, GdkEventWindowState* event, gpointer self);
    static gboolean OnDelete(GtkWidget*, GdkEvent*, gpointer self);
    static void OnDestroy(GtkWidget*, gpointer self);
    static gboolean OnMotion(GtkWidget*, GdkEventMotion* event, gpointer self);
    static gboolean OnLeave(GtkWidget*, GdkEventCrossing* event, gpointer self);
    static gboolean OnButton(GtkWidget*, GdkEventButton* event, gpointer self);
    static gboolean OnKey(GtkWidget*, GdkEventKey* event, gpointer self);
    static gboolean OnFocusIn(GtkWidget*, GdkEventFocus*, gpointer self);
    void Send(Message type, uintptr_t wParam = 0, intptr_t lParam = 0);

    WindowBase& window_;
    GtkWidget* widget_;
    Rect rect_;
    bool minimized_ = false;
    bool maximized_ = false;
    bool dragging_ = false;
    Point dragOffset_;
};

}  // namespace skinui
