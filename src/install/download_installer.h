#pragma once

#include <atomic>
#include <cstdint>
#include <memory>
#include <mutex>
#include <string>

#include "app/install_events.h"

class CDownloader;
class CInstaller;
class CUninstaller;

// Chains the installer's jobs: removes a previous version when one is
// recorded, downloads the setup package, and runs it. Owns one worker of each
// kind, forwards every event of every worker unchanged to its receiver first,
// and then moves on to the next phase when a worker reports success. Deletes
// the package file when an attempt ends.
class CDownloadInstaller {
public:
    // What the handlers last saw; it records progress and gates nothing.
    enum OrchestratorState : int32_t {
        kIdle = 1,
        kDownloadStarted = 2,
        kDownloading = 3,
        kDownloadComplete = 4,
        kDownloadFailed = 5,
        kRemovalStarted = 6,
        kRemoving = 7,
        kRemovalComplete = 8,
        kRemovalFailed = 9,
        kInstallStarted = 10,
        kInstalling = 11,
        kInstallComplete = 12,
        kInstallFailed = 13,
    };

    CDownloadInstaller(EventCallback callback, std::string url, std::string uninstExePath,
                       std::string installDir, bool isCreateDS, bool isCreateQS, bool isAdminAct);
    // Waits for a running package or removal; a running download is left to
    // end with the process.
    ~CDownloadInstaller();
    CDownloadInstaller(const CDownloadInstaller&) = delete;
    CDownloadInstaller& operator=(const CDownloadInstaller&) = delete;

    void SetInstallParams(std::string url, std::string oldInstallDir, std::string uninstExePath,
                          std::string installDir, bool isCreateDS, bool isCreateQS, bool isAdminAct,
                          bool isAuthorizationAct, std::string instLang);

    // Begins the chain and returns once its first worker runs. In update mode
    // it first waits until the product has exited.
    void Start();

    int32_t State() const { return m_State.load(); }
    std::string PackagePath() const;

    // The package file's path for an install folder.
    static std::string PackagePathFor(const std::string& installDir);

private:
    // The downloader outlives this object; its events reach us through a
    // relay that is cut when we are destroyed.
    struct Relay;

    void OnDownloadEvent(int32_t code, double value, std::string_view text);
    void OnUninstallEvent(int32_t code, double value, std::string_view text);
    void OnInstallEvent(int32_t code, double value, std::string_view text);
    void DeletePackageFiles();

    std::unique_ptr<CUninstaller> m_pUninstaller;
    CDownloader* m_pDownloader = nullptr;
    std::unique_ptr<CInstaller> m_pInstaller;
    std::string m_Url;
    std::string m_UninstExePath;
    std::string m_InstallDir;
    std::string m_PackagePath;
    std::string m_OldInstallDir;
    std::string m_InstLang;
    bool m_IsCreateDS;
    bool m_IsCreateQS;
    bool m_IsAdminAct;
    bool m_IsAuthorizationAct = false;
    EventCallback m_Callback;
    std::atomic<int32_t> m_State{kIdle};
    std::shared_ptr<Relay> m_Relay;
};
