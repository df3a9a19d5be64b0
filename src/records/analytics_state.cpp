#include "records/analytics_state.h"

#include <cstdio>

#include "app/directories.h"
#include "app/guid_text.h"
#include "platform/clock.h"
#include "platform/file_system.h"
#include "platform/process_info.h"
#include "platform/profile_ini.h"
#include "platform/known_folders.h"
#include "records/folder_paths.h"

namespace {
constexpr const char* kInstallSection = "Install";
constexpr const char* kInitSection = "Init";

std::string LocalTimeText() {
    const platform::LocalTime now = platform::NowLocal();
    char text[64];
    std::snprintf(text, sizeof text, "%d-%02d-%02d %02d:%02d:%02d", now.year, now.month, now.day,
                  now.hour, now.minute, now.second);
    return text;
}
}  // namespace

std::string AnalyticsState::GetAnalyticsDir() {
    std::string base = platform::AppDataDirectory();
    if (base.empty()) base = platform::SharedDocumentsDirectory();
    return JoinPath(JoinPath(base, "TarvoData"), "VantyxAudioEditor");
}

void AnalyticsState::WriteSetIni(const std::string& installedFolder) {
    WriteSetIni(installedFolder, platform::ExecutablePath());
}

void AnalyticsState::WriteSetIni(const std::string& installedFolder,
                                 const std::string& installerPath) {
    const std::string appStore = installerPath.substr(installerPath.rfind('/') + 1);
    const std::string setIni =
        installedFolder.empty() ? std::string() : JoinPath(installedFolder, "set.ini");
    if (!setIni.empty()) {
        platform::WriteProfileString(setIni, kInstallSection, "APPStore", appStore);
        platform::WriteProfileString(setIni, kInstallSection, "AppName", "VantyxAudioEditor");
        platform::WriteProfileString(setIni, kInstallSection, "DeviceID", NewGuidText());
    }

    const std::string analyticsDir = GetAnalyticsDir();
    if (!platform::IsDirectory(analyticsDir) && !CreateDirectories(analyticsDir)) return;
    const std::string stateFile = JoinPath(analyticsDir, kStateFileName);
    if (!setIni.empty()) {
        platform::WriteProfileString(setIni, kInstallSection, "VIRodededIrevazuriIni", stateFile);
    }
    platform::WriteProfileString(stateFile, kInitSection, "UpdateTime", LocalTimeText());
}
