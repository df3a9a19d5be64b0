// The orchestrator's events on the window thread: the progress display,
// failures and their dialogs, and the finish with its timers.

#include <glib.h>

#include <cmath>
#include <limits>

#include "app/debug_log.h"
#include "app/installer_config.h"
#include "install/download_installer.h"
#include "install/pre_install_checks.h"
#include "platform/file_system.h"
#include "platform/shell_open.h"
#include "records/analytics_state.h"
#include "records/failure_diagnostics.h"
#include "skinui/check_box.h"
#include "skinui/paint_manager.h"
#include "skinui/progress.h"
#include "ui/main_wnd.h"
#include "ui/message_box.h"
#include "ui/product_texts.h"

namespace {

constexpr const char* kPatientText = "正在安装中:%d%%，请耐心等待...";
constexpr const char* kWaitText = "正在安装中:%d%%，请稍候...";
constexpr const char* kResetText = "正在安装中:0%，请稍候...";
constexpr const char* kInstallFailedText = "安装失败";
constexpr const char* kPackageMessageCaption = "消息";
constexpr const char* kFinishedForeImage = "res\\mainWnd\\installPrg3.png";
constexpr size_t kMaxProgressText = 249;
constexpr double kPatienceSeconds = 60.0;
constexpr int kResetThreshold = 70;
constexpr uint32_t kLongestTimer = 2147483647u;
constexpr size_t kShortestStartAddress = 6;

// A reported delay as a count of milliseconds; what does not fit is clamped.
uint32_t ToDelay(double value) {
    if (!(value > 0)) return 0;
    if (value >= static_cast<double>(std::numeric_limits<uint32_t>::max())) {
        return std::numeric_limits<uint32_t>::max();
    }
    return static_cast<uint32_t>(value);
}

int32_t ToStyle(double value) {
    if (!std::isfinite(value) || std::fabs(value) > 1e9) return 0;
    return static_cast<int32_t>(value);
}

}  // namespace

std::string CMainWnd::FormatProgressText(const std::string& format, int percent) {
    std::string text;
    bool numberPlaced = false;
    for (size_t i = 0; i < format.size(); ++i) {
        if (format[i] == '%' && i + 1 < format.size()) {
            if (format[i + 1] == '%') {
                text += '%';
                ++i;
                continue;
            }
            if (format[i + 1] == 'd' && !numberPlaced) {
                text += std::to_string(percent);
                numberPlaced = true;
                ++i;
                continue;
            }
        }
        text += format[i];
    }
    if (text.size() > kMaxProgressText) {
        // Cut on a character boundary.
        size_t cut = kMaxProgressText;
        while (cut > 0 && (static_cast<unsigned char>(text[cut]) & 0xC0) == 0x80) --cut;
        text.resize(cut);
    }
    return text;
}

void CMainWnd::PostInstallEvent(int32_t code, double value, std::string_view text) {
    {
        std::lock_guard<std::mutex> lock(eventsMutex_);
        events_.push_back(InstallEvent{code, value, std::string(text)});
    }
    PostCustomMessage(WM_INSTALL_EVENT);
}

void CMainWnd::ShowPercent(int percent) {
    percent = InstallProgress::Clamp(percent);
    std::string format = progressLb_ ? progressLb_->GetUserData() : std::string();
    if (format.empty()) format = m_Clock.Seconds() > kPatienceSeconds ? kPatientText : kWaitText;
    if (progressLb_) progressLb_->SetText(FormatProgressText(format, percent));
    if (installPrg_) installPrg_->SetValue(percent);
}

void CMainWnd::OnWorkerEvent(const InstallEvent& event) {
    switch (event.code) {
        case DL_CODE_START:
            m_Clock.Start();
            break;
        case DL_CODE_PROGRESS:
            ShowPercent(m_Progress.OnDownloadProgress(event.value));
            break;
        case DL_CODE_FAIL:
            OnDownloadFailed(event);
            break;
        case DL_CODE_MESSAGE:
            FailureDiagnostics::BuildErrorSummary(event.value, event.text);
            break;
        case IST_CODE_START:
            AnalyticsState::WriteSetIni(record_.m_InstalledDir);
            break;
        case IST_CODE_PROGRESS:
            ShowPercent(m_Progress.OnInstallProgress(event.value));
            break;
        case IST_CODE_SUCCESS:
            OnInstallSucceeded();
            break;
        case IST_CODE_FAIL:
            OnInstallFailed(event);
            break;
        case IST_INFO_INSTPATH:
            record_.m_InstalledDir = event.text;
            break;
        case IST_INFO_EXEPATH:
            m_ExePath = event.text;
            break;
        case IST_INFO_UNINSTEP:
            record_.m_ReportedUninstallerPath = event.text;
            break;
        case IST_INFO_STARTURL:
            m_StartUrl = event.text;
            break;
        case IST_INFO_STARTUPSTYLE:
            m_StartupStyle = ToStyle(event.value);
            break;
        case IST_INFO_TOPSHOW:
            m_TopShowDelay = ToDelay(event.value);
            break;
        case IST_INFO_FINISHCLOSE:
            m_FinishCloseDelay = ToDelay(event.value);
            break;
        case IST_INFO_MESSAGE:
            ShowMessageBox("MessageBox1Wnd.xml", *this, event.text,
                           std::string(kPackageMessageCaption));
            break;
        case UNIST_CODE_FAIL:
        case UNIST_CODE_ERROR:
            ShowBox("MessageBox1Wnd.xml", kProductRunningText, kCheckCaption);
            SelectPage(m_PrevPage);
            if (record_.m_HasExistingInstall) RequestClose();
            break;
        default:
            break;
    }
}

void CMainWnd::OnDownloadFailed(const InstallEvent& event) {
    FailureDiagnostics::BuildFailureDiagnostics(event.value, event.text,
                                                m_pInstaller->PackagePath());
    const int result = ShowMessageBox("NetworkTipWnd.xml", *this);
    if (result == CMessageBoxWnd::kResultCancel) {
        if (record_.m_HasExistingInstall) RequestClose();
    } else if (result == CMessageBoxWnd::kResultOk) {
        if (m_PrevPage == kWelcomePage) {
            StartInstall(record_.GetDefaultInstallDir(), true, true);
        } else if (m_PrevPage == kCustomPage) {
            StartInstall(CustomInstallDir(), IsChecked(createDSCb_), IsChecked(createQSCb_));
        }
    }
    SelectPage(m_PrevPage);
}

void CMainWnd::OnInstallFailed(const InstallEvent& event) {
    FailureDiagnostics::BuildErrorSummary(event.value, event.text);
    ShowMessageBox("MessageBox2Wnd.xml", *this,
                   event.text.empty() ? std::string(kInstallFailedText) : event.text,
                   std::string(kCheckCaption));
    if (installPrg_ && installPrg_->GetValue() >= kResetThreshold) {
        if (progressLb_) progressLb_->SetText(kResetText);
        installPrg_->SetValue(0);
    }
    SelectPage(kWelcomePage);
}

void CMainWnd::OnInstallSucceeded() {
    if (installPrg_) {
        installPrg_->SetValue(100);
        std::string onDisk = GetPaintManager().GetResourceFolder() + kFinishedForeImage;
        for (char& c : onDisk) {
            if (c == '\\') c = '/';
        }
        if (platform::PathExists(onDisk) && !platform::IsDirectory(onDisk)) {
            installPrg_->SetForeImage(kFinishedForeImage);
        }
    }
    if (softNameLbl_) {
        softNameLbl_->SetText(kProductDisplayName);
        softNameLbl_->SetVisible(true);
    }
    SelectPage(kFinishedPage);
    FinishInstall();
}

void CMainWnd::FinishInstall() {
    record_.WriteInstallRecord();
    AnalyticsState::WriteSetIni(record_.m_InstalledDir);
    if (m_StartupStyle == 1) OpenProduct();
    if (m_TopShowDelay != 0) ArmTimer(TIMER_TOP_SHOW, m_TopShowDelay);
    if (m_FinishCloseDelay != 0) ArmTimer(TIMER_FINISH_CLOSE, m_FinishCloseDelay);
}

void CMainWnd::ArmTimer(unsigned id, uint32_t delayMs) {
    if (skinui::Control* root = GetPaintManager().GetRoot()) {
        GetPaintManager().SetTimer(root, id, std::min(delayMs, kLongestTimer));
    }
}

void CMainWnd::OnTimer(unsigned id) {
    skinui::Control* root = GetPaintManager().GetRoot();
    if (id == TIMER_TOP_SHOW) {
        GetPaintManager().KillTimer(root, TIMER_TOP_SHOW);
        ShowWindow(true, true);
    } else if (id == TIMER_FINISH_CLOSE) {
        GetPaintManager().KillTimer(root, TIMER_FINISH_CLOSE);
        RequestClose();
    }
}

void CMainWnd::OpenProduct() {
    if (static_cast<size_t>(g_utf8_strlen(m_StartUrl.c_str(), -1)) >= kShortestStartAddress) {
        platform::OpenAddress(m_StartUrl);
    }
    if (!m_ExePath.empty() && platform::PathExists(m_ExePath) &&
        !platform::IsDirectory(m_ExePath)) {
        // Let the window draw its finished page before the product takes the screen.
        while (g_main_context_iteration(nullptr, FALSE)) {
        }
        if (!platform::StartProgramDetached(m_ExePath)) {
            DEBUG_LOG("cannot start %s", m_ExePath.c_str());
        }
    }
}
