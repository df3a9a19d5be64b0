#include "download/download_settings.h"

#include "app/installer_config.h"

DownloadSettings DownloadSettings::FromConfig() {
    DownloadSettings settings;
    settings.insecureTls = InstallerConfig().m_InsecureTls;
    settings.getRealUrl = InstallerConfig().m_IsGetRealUrl;
    return settings;
}
