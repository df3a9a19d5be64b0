// Starting an installation: the checks, the network probe and the hand-over
// to the orchestrator.

#include "app/check_network.h"
#include "app/installer_config.h"
#include "install/download_installer.h"
#include "install/pre_install_checks.h"
#include "platform/clock.h"
#include "skinui/paint_manager.h"
#include "skinui/tab_layout.h"
#include "ui/main_wnd.h"

namespace {

constexpr const char* kPoorNetworkText = "当前网络环境较差，请在网络通畅时进行安装";

}  // namespace

void CMainWnd::StartInstall(const std::string& folder, bool createDesktopShortcut,
                            bool createQuickLaunch) {
    const CInstallerConfig& config = InstallerConfig();
    const PreInstallCheck check = RunPreInstallChecks(folder, config.m_InsNew);
    switch (check.verdict) {
        case PreInstallVerdict::kUninstallerRunning:
            ShowBox(check.dialog, check.message.c_str(), check.caption.c_str());
            if (record_.m_HasExistingInstall) RequestClose();
            return;
        case PreInstallVerdict::kProductRunning:
            ShowBox(check.dialog, check.message.c_str(), check.caption.c_str());
            RequestClose();
            return;
        default:
            break;
    }
    if (customeInstallBtn_) customeInstallBtn_->SetEnabled(false);
    if (!check.Passed()) {
        ShowBox(check.dialog, check.message.c_str(), check.caption.c_str());
        SendInstallNotify(false, false);
        return;
    }

    record_.m_InstalledDir = folder;
    const std::string uninstaller =
        record_.KeepsPreviousInstall(folder) ? std::string() : record_.m_RecordedUninstallerPath;
    m_pInstaller->SetInstallParams(config.m_DownloadUrl, record_.m_RecordedInstallDir, uninstaller,
                                   folder, createDesktopShortcut, createQuickLaunch,
                                   record_.m_IsAdminAccount, record_.m_IsElevated,
                                   GetLanguageCode());
    if (config.m_IsCheckNet) {
        if (m_pCheckNetThread) m_pCheckNetThread->Join();
        m_pCheckNetThread =
            std::make_unique<Utils::Thread>("ABDEF", [this] { CheckNetworkThread(); });
        m_pCheckNetThread->Resume();
    } else {
        SendInstallNotify(true, true);
    }
}

void CMainWnd::CheckNetworkThread() {
    const uint32_t verdict = Utils::CheckNetwork();
    skinui::Notification notification;
    notification.type = "checknet";
    notification.sender = GetPaintManager().GetRoot();
    notification.timestamp = platform::TickCountMs();
    notification.wParam = verdict;
    GetPaintManager().SendNotify(std::move(notification), true);
}

void CMainWnd::OnCheckNetwork(uint32_t verdict) {
    const bool poor = (verdict >> 16) != 0;
    if (poor) ShowBox("MessageBox2Wnd.xml", kPoorNetworkText, kCheckCaption);
    SendInstallNotify(!poor, false);
}

void CMainWnd::SendInstallNotify(bool usable, bool async) {
    skinui::Notification notification;
    notification.type = "install";
    notification.sender = GetPaintManager().GetRoot();
    notification.timestamp = platform::TickCountMs();
    notification.wParam = usable ? 1 : 0;
    GetPaintManager().SendNotify(std::move(notification), async);
}

void CMainWnd::OnInstallNotify(bool networkUsable) {
    if (networkUsable) {
        m_PrevPage = CurrentPage();
        SelectPage(kInstallingPage);
        m_pInstaller->Start();
    }
    if (customeInstallBtn_) customeInstallBtn_->SetEnabled(true);
}
