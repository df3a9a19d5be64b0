#include "install/download_installer.h"

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <thread>

#include "app/debug_log.h"
#include "app/directories.h"
#include "app/installer_config.h"
#include "download/downloader_factory.h"
#include "install/find_process.h"
#include "install/installer.h"
#include "install/pre_install_checks.h"
#include "install/uninstaller.h"
#include "platform/file_system.h"

namespace {

// The package file of the attempt before, wherever it was; deleted when the
// next attempt ends, even if the user picked another folder meanwhile.
std::mutex g_rememberedMutex;
std::string g_rememberedPackagePath;

std::string DirectoryOf(const std::string& path) {
    const size_t slash = path.rfind(platform::kPathSeparator);
    return slash == std::string::npos ? std::string() : path.substr(0, slash);
}

}  // namespace

struct CDownloadInstaller::Relay {
    // Recursive: a restart from inside an event may report on the same thread.
    std::recursive_mutex mutex;
    CDownloadInstaller* owner = nullptr;
};

CDownloadInstaller::CDownloadInstaller(EventCallback callback, std::string url,
                                       std::string uninstExePath, std::string installDir,
                                       bool isCreateDS, bool isCreateQS, bool isAdminAct)
    : m_Url(std::move(url)),
      m_UninstExePath(std::move(uninstExePath)),
      m_InstallDir(std::move(installDir)),
      m_IsCreateDS(isCreateDS),
      m_IsCreateQS(isCreateQS),
      m_IsAdminAct(isAdminAct),
      m_Callback(std::move(callback)),
      m_Relay(std::make_shared<Relay>()) {
    m_Relay->owner = this;
}

CDownloadInstaller::~CDownloadInstaller() {
    // A download still running finds the relay cut and its events go nowhere;
    // then the runner and the remover, each of which waits for its thread.
    {
        std::lock_guard lock(m_Relay->mutex);
        m_Relay->owner = nullptr;
    }
    m_pInstaller.reset();
    m_pUninstaller.reset();
}

void CDownloadInstaller::SetInstallParams(std::string url, std::string oldInstallDir,
                                          std::string uninstExePath, std::string installDir,
                                          bool isCreateDS, bool isCreateQS, bool isAdminAct,
                                          bool isAuthorizationAct, std::string instLang) {
    m_Url = std::move(url);
    m_OldInstallDir = std::move(oldInstallDir);
    m_UninstExePath = std::move(uninstExePath);
    m_InstallDir = std::move(installDir);
    m_IsCreateDS = isCreateDS;
    m_IsCreateQS = isCreateQS;
    m_IsAdminAct = isAdminAct;
    m_IsAuthorizationAct = isAuthorizationAct;
    m_InstLang = std::move(instLang);
}

std::string CDownloadInstaller::PackagePathFor(const std::string& installDir) {
    return installDir + platform::kPathSeparator + "__Package_VantyxAudioEditor.exe";
}

std::string CDownloadInstaller::PackagePath() const { return m_PackagePath; }

void CDownloadInstaller::Start() {
    const CInstallerConfig& config = InstallerConfig();
    m_PackagePath = PackagePathFor(m_InstallDir);
    DEBUG_LOG("DL_TYPE=%d\r\n", config.m_DownloadType);

    if (m_pDownloader == nullptr) {
        std::weak_ptr<Relay> relay = m_Relay;
        m_pDownloader = CreateDownloader(
            config.m_DownloadType,
            [relay](int32_t code, double value, std::string_view text) {
                const std::shared_ptr<Relay> alive = relay.lock();
                if (!alive) return;
                std::lock_guard lock(alive->mutex);
                if (alive->owner != nullptr) alive->owner->OnDownloadEvent(code, value, text);
            },
            m_Url, m_PackagePath);
    }
    if (!m_pInstaller) {
        m_pInstaller = std::make_unique<CInstaller>(
            [this](int32_t code, double value, std::string_view text) {
                OnInstallEvent(code, value, text);
            },
            "\"" + m_PackagePath + "\"", m_InstallDir, m_IsCreateDS, m_IsCreateQS, m_IsAdminAct);
    }
    m_pInstaller->SetInstallDir(m_InstallDir);
    m_pInstaller->SetCreateDesktopShortcut(m_IsCreateDS);
    m_pInstaller->SetCreateQuickLaunch(m_IsCreateQS);
    m_pInstaller->SetAdminAct(m_IsAdminAct);
    m_pInstaller->SetAuthorizationAct(m_IsAuthorizationAct);
    m_pInstaller->SetLanguageCode(m_InstLang);

    if (!m_UninstExePath.empty() && platform::PathExists(m_UninstExePath)) {
        const std::string tempDir = GetPrivateTempDir();
        const std::string copyPath = tempDir.empty() ? std::string() : tempDir + kUninstallerCopyName;
        std::error_code ignored;
        std::filesystem::copy_file(m_UninstExePath, copyPath,
                                   std::filesystem::copy_options::overwrite_existing, ignored);
        m_pUninstaller = std::make_unique<CUninstaller>(
            [this](int32_t code, double value, std::string_view text) {
                OnUninstallEvent(code, value, text);
            },
            copyPath, DirectoryOf(m_UninstExePath));
        if (config.m_InsNew) {
            while (Utils::FindProcess(kProductExecutableName) != 0) {
                std::this_thread::sleep_for(std::chrono::milliseconds(100));
            }
        }
        m_pUninstaller->Start();
        return;
    }
    m_pDownloader->Start();
}

void CDownloadInstaller::OnDownloadEvent(int32_t code, double value, std::string_view text) {
    m_Callback(code, value, text);
    switch (code) {
        case DL_CODE_START:
            m_State = kDownloadStarted;
            CreateDirectories(m_InstallDir);
            DEBUG_LOG("DL_CODE_START\r\n");
            break;
        case DL_CODE_PROGRESS:
            m_State = kDownloading;
            DEBUG_LOG("DL_CODE_PROGRESS\r\n");
            break;
        case DL_CODE_SUCCESS:
            m_State = kDownloadComplete;
            DEBUG_LOG("DOWNLOAD_SUCCESS\r\n");
            m_pInstaller->Start();
            DEBUG_LOG("DL_CODE_SUCCESS\r\n");
            break;
        case DL_CODE_FAIL:
            m_State = kDownloadFailed;
            DeletePackageFiles();
            DEBUG_LOG("DL_CODE_FAIL\r\n");
            break;
        case DL_CODE_RETRY:
            DEBUG_LOG("DL_CODE_RETRY\r\n");
            m_pDownloader->Start();
            break;
        default: break;
    }
}

void CDownloadInstaller::OnUninstallEvent(int32_t code, double value, std::string_view text) {
    m_Callback(code, value, text);
    switch (code) {
        case UNIST_CODE_START:
            m_State = kRemovalStarted;
            DEBUG_LOG("UNIST_CODE_START\r\n");
            break;
        case UNIST_CODE_PROGRESS:
            m_State = kRemoving;
            DEBUG_LOG("UNIST_CODE_PROGRESS\r\n");
            break;
        case UNIST_CODE_SUCCESS:
            m_State = kRemovalComplete;
            DEBUG_LOG("UNIST_CODE_SUCCESS\r\n");
            if (m_pInstaller) m_pDownloader->Start();
            break;
        case UNIST_CODE_FAIL:
            m_State = kRemovalFailed;
            DEBUG_LOG("UNIST_CODE_FAIL\r\n");
            break;
        case UNIST_CODE_ERROR:
            m_State = kRemovalFailed;
            DEBUG_LOG("UNIST_CODE_ERROR\r\n");
            break;
        default: break;
    }
}

void CDownloadInstaller::OnInstallEvent(int32_t code, double value, std::string_view text) {
    m_Callback(code, value, text);
    switch (code) {
        case IST_CODE_START:
            m_State = kInstallStarted;
            DEBUG_LOG("IST_CODE_START\r\n");
            break;
        case IST_CODE_PROGRESS:
            m_State = kInstalling;
            DEBUG_LOG("IST_CODE_PROGRESS\r\n");
            break;
        case IST_CODE_SUCCESS:
            m_State = kInstallComplete;
            DeletePackageFiles();
            DEBUG_LOG("INSTALL_SUCCESS\r\n");
            break;
        case IST_CODE_FAIL:
            m_State = kInstallFailed;
            DeletePackageFiles();
            DEBUG_LOG("IST_CODE_FAIL\r\n");
            break;
        default: break;
    }
}

void CDownloadInstaller::DeletePackageFiles() {
    std::remove(m_PackagePath.c_str());
    std::lock_guard lock(g_rememberedMutex);
    if (!g_rememberedPackagePath.empty()) std::remove(g_rememberedPackagePath.c_str());
    g_rememberedPackagePath = m_PackagePath;
}
