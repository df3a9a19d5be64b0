#include "app/installer_config.h"

#include <ostream>

#include "app/number_text.h"
#include "app/version_probes.h"
#include "platform/file_system.h"
#include "platform/process_info.h"
#include "platform/profile_ini.h"

namespace {

constexpr const char* kSection = "Install";
constexpr const char* kRoute = "${ROUTE}";

// The product numbers served from the 64-bit channel, and ours.
constexpr int kSixtyFourBitProducts[] = {267, 385, 257, 335, 318};
constexpr int kProductNumber = 465;

}  // namespace

std::string ChannelKey() {
    if (GetOsVersionName().name.find("XP") != std::string::npos) return "download_silent_xp";
    bool sixtyFourBitChannel = false;
    for (const int product : kSixtyFourBitProducts) {
        if (product == kProductNumber) sixtyFourBitChannel = true;
    }
    if (sixtyFourBitChannel && IsWow64()) return "download_silent_64";
    return "download_silent";
}

std::string ResolveRoute(std::string url, const std::string& channelKey) {
    for (size_t at = url.find(kRoute); at != std::string::npos; at = url.find(kRoute)) {
        url.replace(at, std::char_traits<char>::length(kRoute), channelKey);
    }
    return url;
}

CInstallerConfig::CInstallerConfig() : CInstallerConfig(platform::ExecutablePath()) {}

CInstallerConfig::CInstallerConfig(const std::string& executablePath) {
    SetDownloadUrl(kBuiltInDownloadUrl);
    Load(executablePath);
}

void CInstallerConfig::SetDownloadUrl(const std::string& url) {
    m_DownloadUrl = url.find(kRoute) == std::string::npos ? url : ResolveRoute(url, ChannelKey());
}

void CInstallerConfig::Load(const std::string& executablePath) {
    const size_t slash = executablePath.rfind(platform::kPathSeparator);
    const std::string directory =
        slash == std::string::npos ? std::string() : executablePath.substr(0, slash + 1);
    if (!executablePath.empty()) m_SelfFileName = executablePath.substr(directory.size());

    const std::string file = directory + kConfigFileName;
    if (directory.empty() || !platform::PathExists(file)) return;

    auto text = [&](const char* key, const char* fallback) {
        return platform::GetProfileString(file, kSection, key, fallback);
    };
    SetDownloadUrl(text("DownloadUrl", kBuiltInDownloadUrl));
    m_DownloadType = platform::GetProfileInt(file, kSection, "DownloadType", 1);
    m_IsCheckNet = text("IsCheckNet", "true") == "true";
    m_IsEnableAppSensors = text("IsEnableAppSensors", "true") == "true";
    m_DlAppNameSuffix = text("DlAppNameSuffix", ".downloader");
    m_DlAppVersion = text("m_DlAppVersion", "");
    m_DownloadScale = ReadLeadingDouble(text("DownloadScale", "0.7")).value_or(0.0);
    m_InstCmd = text("InstCmd", "");
    m_InsecureTls = text("InsecureTls", "false") == "true";
}

void CInstallerConfig::Print(std::ostream& out) const {
    auto flag = [](bool value) { return value ? "true" : "false"; };
    out << "m_AppName=" << m_AppName << '\n'
        << "m_AppVersion=" << m_AppVersion << '\n'
        << "m_SelfFileName=" << m_SelfFileName << '\n'
        << "m_DlAppNameSuffix=" << m_DlAppNameSuffix << '\n'
        << "m_DlAppVersion=" << m_DlAppVersion << '\n'
        << "m_InstCmd=" << m_InstCmd << '\n'
        << "m_DownloadUrl=" << m_DownloadUrl << '\n'
        << "m_DownloadType=" << m_DownloadType << '\n'
        << "m_IsCheckNet=" << flag(m_IsCheckNet) << '\n'
        << "m_IsEnableAppSensors=" << flag(m_IsEnableAppSensors) << '\n'
        << "m_DownloadScale=" << ShortestText(m_DownloadScale) << '\n'
        << "m_IsGetRealUrl=" << flag(m_IsGetRealUrl) << '\n'
        << "m_InstallTag=" << m_InstallTag << '\n'
        << "m_Language=" << m_Language << '\n'
        << "m_InsNew=" << flag(m_InsNew) << '\n'
        << "m_InsecureTls=" << flag(m_InsecureTls) << '\n';
}
