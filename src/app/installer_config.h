#pragma once

#include <cstdint>
#include <iosfwd>
#include <string>

// The process-wide configuration: built-in defaults, then the distributor's
// "TarvoInstallerConfig.ini" beside the executable, then the command line.
// Read-only once the window runs, except m_Language, which the window's
// language chooser writes.
class CInstallerConfig {
public:
    // Defaults, then the ini file beside the running executable.
    CInstallerConfig();
    // Defaults, then the ini file beside the given executable path.
    explicit CInstallerConfig(const std::string& executablePath);

    // Stores a download URL with every "${ROUTE}" replaced by the channel key.
    void SetDownloadUrl(const std::string& url);

    // Prints one "m_Name=value" line per field, in declaration order.
    void Print(std::ostream& out) const;

    std::string m_AppName = "VantyxAudioEditor";
    std::string m_AppVersion = "1.7.9";
    std::string m_SelfFileName = "NULL";
    std::string m_DlAppNameSuffix = ".downloader";
    std::string m_DlAppVersion;
    std::string m_InstCmd;
    std::string m_DownloadUrl;
    int32_t m_DownloadType = 1;
    bool m_IsCheckNet = false;
    bool m_IsEnableAppSensors = true;
    double m_DownloadScale = 0.7;
    bool m_IsGetRealUrl = true;
    std::string m_InstallTag = "IN";
    int32_t m_Language = -1;
    bool m_InsNew = false;
    // Downloads skip certificate checks only when a distributor asks for it
    // explicitly with "InsecureTls=true".
    bool m_InsecureTls = false;

private:
    void Load(const std::string& executablePath);
};

// The package URL on the maker's redirect service, built in. The host is the
// deployment's; this one is a placeholder that resolves nowhere.
inline constexpr const char* kBuiltInDownloadUrl = "http://vantyx-downloads.invalid/software/195";

// The name of the distributor's configuration file beside the executable.
inline constexpr const char* kConfigFileName = "TarvoInstallerConfig.ini";

// The download channel that "${ROUTE}" stands for on this machine.
std::string ChannelKey();

// Replaces every "${ROUTE}" of a URL by the key.
std::string ResolveRoute(std::string url, const std::string& channelKey);

// The one configuration of this process, built during static initialisation.
CInstallerConfig& InstallerConfig();
