#include "platform/known_folders.h"

#include <unistd.h>

#include <cstdlib>

namespace platform {
namespace {

// An environment variable's value when it is an absolute path.
std::string AbsoluteFromEnvironment(const char* name) {
    const char* value = std::getenv(name);
    if (value == nullptr || value[0] != '/') return {};
    std::string path = value;
    while (path.size() > 1 && path.back() == '/') path.pop_back();
    return path;
}

std::string BelowHome(const char* relative) {
    const std::string home = AbsoluteFromEnvironment("HOME");
    return home.empty() ? std::string() : home + "/" + relative;
}

}  // namespace

std::string ConfigHomeDirectory() {
    const std::string config = AbsoluteFromEnvironment("XDG_CONFIG_HOME");
    return config.empty() ? BelowHome(".config") : config;
}

std::string ProgramFilesDirectory() {
    if (::geteuid() == 0) return "/opt";
    const std::string data = AbsoluteFromEnvironment("XDG_DATA_HOME");
    return data.empty() ? BelowHome(".local/share") : data;
}

std::string AppDataDirectory() {
    const std::string appData = AbsoluteFromEnvironment("APPDATA");
    return appData.empty() ? ConfigHomeDirectory() : appData;
}

std::string SharedDocumentsDirectory() {
    return "/var/tmp";
}

}  // namespace platform
