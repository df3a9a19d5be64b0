#pragma once

#include <gtk/gtk.h>

#include "skinui/host.h"

namespace skinui {

// The host on a real display: each skinned window is an undecorated GTK
// window drawn with Cairo; shadows are RGBA popups. Everything runs on GLib's
// default main context, which GTK's events share.
class GtkHost : public Host {
  public:
    // Translucent popups need a compositing manager: without one the X server
    // shows their transparent pixels black. Tests of the popups' behaviour
    // may ask for them anyway.
    enum class Popups { kWhenComposited, kAlways };
    explicit GtkHost(Popups popups = Popups::kWhenComposited) : popups_(popups) {}

    // Opens the display; false when there is none.
    static bool Open(int* argc, char*** argv);

    bool SupportsLayeredPopups() const override;
    std::unique_ptr<NativeWindow> CreateNativeWindow(WindowBase& window,
                                                     NativeWindow* owner) override;
    std::unique_ptr<LayeredPopup> CreateLayeredPopup(NativeWindow& owner) override;
    void ShowErrorBox(const std::string& text, const std::string& caption) override;

    // The GTK window behind a native window or popup this host made; nullptr otherwise.
    static GtkWidget* WidgetOf(NativeWindow* window);
    static GtkWidget* WidgetOf(LayeredPopup* popup);

  private:
    Popups popups_;
};

}  // namespace skinui
