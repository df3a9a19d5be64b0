// Stands in for the audio editor on machines without the maker's package:
// shows a small window naming the product and the folder it runs from, or,
// without a display, prints the same and ends.

#include <gtk/gtk.h>
#include <unistd.h>

#include <climits>
#include <cstdio>
#include <cstring>
#include <string>

namespace {

std::string OwnFolder() {
    char path[PATH_MAX] = {};
    const ssize_t length = readlink("/proc/self/exe", path, sizeof path - 1);
    if (length <= 0) return {};
    std::string folder(path, static_cast<size_t>(length));
    return folder.substr(0, folder.rfind('/'));
}

}  // namespace

int main(int argc, char** argv) {
    const std::string folder = OwnFolder();
    if (argc > 1 && std::strcmp(argv[1], "--version") == 0) {
        std::printf("Vantyx音频剪辑软件 1.0.0 (demo)\n");
        return 0;
    }
    if (!gtk_init_check(&argc, &argv)) {
        std::printf("Vantyx音频剪辑软件 (demo) installed in %s\n", folder.c_str());
        return 0;
    }
    GtkWidget* window = gtk_window_new(GTK_WINDOW_TOPLEVEL);
    gtk_window_set_title(GTK_WINDOW(window), "Vantyx音频剪辑软件");
    gtk_window_set_default_size(GTK_WINDOW(window), 420, 160);
    gtk_window_set_position(GTK_WINDOW(window), GTK_WIN_POS_CENTER);
    gchar* escapedFolder = g_markup_escape_text(folder.c_str(), -1);
    const std::string text = "<span size='x-large'>Vantyx音频剪辑软件</span>\n演示版 · demo product\n\n<small>" +
                             std::string(escapedFolder) + "</small>";
    g_free(escapedFolder);
    GtkWidget* label = gtk_label_new(nullptr);
    gtk_label_set_markup(GTK_LABEL(label), text.c_str());
    gtk_label_set_justify(GTK_LABEL(label), GTK_JUSTIFY_CENTER);
    gtk_container_add(GTK_CONTAINER(window), label);
    g_signal_connect(window, "destroy", G_CALLBACK(gtk_main_quit), nullptr);
    gtk_widget_show_all(window);
    gtk_main();
    return 0;
}
