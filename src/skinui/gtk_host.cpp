#include "skinui/gtk_host.h"

#include "skinui/gtk_layered_popup.h"
#include "skinui/gtk_native_window.h"

namespace skinui {

bool GtkHost::Open(int* argc, char*** argv) {
    return gtk_init_check(argc, argv);
}

bool GtkHost::SupportsLayeredPopups() const {
    GdkScreen* screen = gdk_screen_get_default();
    if (!screen || !gdk_screen_get_rgba_visual(screen)) return false;
    return popups_ == Popups::kAlways || gdk_screen_is_composited(screen);
}

std::unique_ptr<NativeWindow> GtkHost::CreateNativeWindow(WindowBase& window, NativeWindow* owner) {
    return std::make_unique<GtkNativeWindow>(window, owner);
}

std::unique_ptr<LayeredPopup> GtkHost::CreateLayeredPopup(NativeWindow& owner) {
    if (!SupportsLayeredPopups()) return nullptr;
    auto* gtkOwner = dynamic_cast<GtkNativeWindow*>(&owner);
    return std::make_unique<GtkLayeredPopup>(gtkOwner ? gtkOwner->Widget() : nullptr);
}

void GtkHost::ShowErrorBox(const std::string& text, const std::string& caption) {
    GtkWidget* dialog = gtk_message_dialog_new(nullptr, GTK_DIALOG_MODAL, GTK_MESSAGE_ERROR,
                                               GTK_BUTTONS_OK, "%s", text.c_str());
    gtk_window_set_title(GTK_WINDOW(dialog), caption.c_str());
    gtk_window_set_position(GTK_WINDOW(dialog), GTK_WIN_POS_CENTER);
    gtk_dialog_run(GTK_DIALOG(dialog));
    gtk_widget_destroy(dialog);
}

GtkWidget* GtkHost::WidgetOf(NativeWindow* window) {
    auto* gtkWindow = dynamic_cast<GtkNativeWindow*>(window);
    return gtkWindow ? gtkWindow->Widget() : nullptr;
}

GtkWidget* GtkHost::WidgetOf(LayeredPopup* popup) {
    auto* gtkPopup = dynamic_cast<GtkLayeredPopup*>(popup);
    return gtkPopup ? gtkPopup->Widget() : nullptr;
}

}  // namespace skinui
