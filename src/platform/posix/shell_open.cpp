#include "platform/shell_open.h"

#include <gio/gio.h>

namespace platform {

bool OpenAddress(const std::string& address) {
    GError* error = nullptr;
    const gboolean opened = g_app_info_launch_default_for_uri(address.c_str(), nullptr, &error);
    if (error) g_error_free(error);
    return opened != FALSE;
}

bool StartProgramDetached(const std::string& program) {
    const std::string::size_type slash = program.rfind('/');
    const std::string folder = slash == std::string::npos ? std::string(".")
                               : slash == 0               ? std::string("/")
                                                          : program.substr(0, slash);
    gchar* argv[] = {const_cast<gchar*>(program.c_str()), nullptr};
    GError* error = nullptr;
    // Without G_SPAWN_DO_NOT_REAP_CHILD, GLib reaps the child itself: nothing waits for it.
    const gboolean started = g_spawn_async(
        folder.c_str(), argv, nullptr,
        static_cast<GSpawnFlags>(G_SPAWN_STDOUT_TO_DEV_NULL | G_SPAWN_STDERR_TO_DEV_NULL), nullptr,
        nullptr, nullptr, &error);
    if (error) g_error_free(error);
    return started != FALSE;
}

}  // namespace platform
