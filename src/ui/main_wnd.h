#pragma once

#include <cstdint>
#include <deque>
#include <memory>
#include <mutex>
#include <string>
#include <string_view>

#include "app/elapsed_clock.h"
#include "app/thread.h"
#include "install/install_progress.h"
#include "records/install_record.h"
#include "ui/skin_frame.h"

class CDownloadInstaller;

namespace skinui {
class CheckBox;
class Control;
class Progress;
class TabLayout;
}  // namespace skinui

// One progress event of the orchestrator, copied off its worker thread.
struct InstallEvent {
    int32_t code = 0;
    double value = 0.0;
    std::string text;
};

// The installer's main window: leads the user from the welcome page (quick
// install, terms) or the custom page (folder, shortcuts) through the
// installing page to the finished page, runs the checks before an
// installation, drives the orchestrator and shows its progress, and records
// and starts the product when the package has succeeded.
class CMainWnd : public CSkinFrame {
public:
    // The message that brings an orchestrator event onto the window thread.
    static constexpr unsigned WM_INSTALL_EVENT = 0x0400 + 1000;
    // Posted to close the window; refused while the installing page shows.
    static constexpr unsigned kCloseRequest = 0x0400 + 1001;
    static constexpr unsigned TIMER_TOP_SHOW = 10;
    static constexpr unsigned TIMER_FINISH_CLOSE = 11;

    enum Page { kWelcomePage = 0, kCustomPage = 1, kInstallingPage = 2, kFinishedPage = 3 };

    CMainWnd();
    ~CMainWnd() override;

    void InitWindow() override;
    void Notify(skinui::Notification& notification) override;
    void OnClick(skinui::Notification& notification) override;
    bool HandleMessage(const skinui::WindowMessage& message) override;
    void HandleCustomMessage(const skinui::WindowMessage& message) override;
    std::unique_ptr<skinui::Control> CreateControl(std::string_view className) override;

    void StartInstall(const std::string& folder, bool createDesktopShortcut,
                      bool createQuickLaunch);
    void OnInstallNotify(bool networkUsable);
    // The orchestrator's event receiver; runs on worker threads and only posts.
    void PostInstallEvent(int32_t code, double value, std::string_view text);
    void OnWorkerEvent(const InstallEvent& event);
    void OpenProduct();
    void FinishInstall();
    // Posts a close request with code 1.
    void RequestClose();

    int CurrentPage() const;
    std::string GetLanguageCode() const { return {}; }
    const InstallRecord& Record() const { return record_; }
    // The folder a chosen folder stands for: the product's folder inside it.
    static std::string ProductFolderIn(const std::string& chosen);
    // A progress text from a format with one "%d" ("%%" for a per cent sign).
    static std::string FormatProgressText(const std::string& format, int percent);

private:
    // Set-up and pages.
    void BindControls();
    void FitLabelsToProductName();
    void HandleExistingInstall();
    void OnPageSelected();
    void SelectPage(int page);
    // Consent and clicks.
    void OnConsentChanged(skinui::Control* sender);
    void ChooseFolder();
    void ConfirmExit();
    // Starting an installation.
    void CheckNetworkThread();
    void OnCheckNetwork(uint32_t verdict);
    void SendInstallNotify(bool usable, bool async);
    // Worker events and finish.
    void ShowPercent(int percent);
    void OnDownloadFailed(const InstallEvent& event);
    void OnInstallFailed(const InstallEvent& event);
    void OnInstallSucceeded();
    void OnTimer(unsigned id);
    void ArmTimer(unsigned id, uint32_t delayMs);
    bool IsChecked(skinui::Control* control) const;
    std::string CustomInstallDir();
    int ShowBox(const std::string& layout, const char* text, const char* caption);

    std::string m_ExePath;
    std::string m_StartUrl;
    int32_t m_StartupStyle = 0;
    uint32_t m_TopShowDelay = 3000;
    uint32_t m_FinishCloseDelay = 4294967295u;
    std::unique_ptr<CDownloadInstaller> m_pInstaller;
    ElapsedClock m_Clock;
    std::unique_ptr<Utils::Thread> m_pCheckNetThread;
    int32_t m_PrevPage = 0;
    InstallProgress m_Progress;
    InstallRecord record_;

    std::mutex eventsMutex_;
    std::deque<InstallEvent> events_;

    skinui::Control* winCtn_ = nullptr;
    skinui::TabLayout* titleTab_ = nullptr;
    skinui::TabLayout* mainTab_ = nullptr;
    skinui::Control* defaultInstallBtn_ = nullptr;
    skinui::Control* customeInstallBtn_ = nullptr;
    skinui::Control* customeBtn_ = nullptr;
    skinui::Control* treatyBtn_ = nullptr;
    skinui::Control* backBtn_ = nullptr;
    skinui::CheckBox* treatyCb_ = nullptr;
    skinui::CheckBox* serviceCb_ = nullptr;
    skinui::Control* chDirBtn_ = nullptr;
    skinui::Control* installDirEdit_ = nullptr;
    skinui::Control* openProduceBtn_ = nullptr;
    skinui::Control* progressLb_ = nullptr;
    skinui::Control* titleGrpCtn_ = nullptr;
    skinui::CheckBox* createDSCb_ = nullptr;
    skinui::CheckBox* createQSCb_ = nullptr;
    skinui::Control* progressAnLb_ = nullptr;
    skinui::Control* finishedLbl_ = nullptr;
    skinui::Progress* installPrg_ = nullptr;
    skinui::Control* tipLbl_ = nullptr;
    skinui::Control* softNameLbl_ = nullptr;
    skinui::Control* installLogo_ = nullptr;
};
