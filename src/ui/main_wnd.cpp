// The main window's set-up, its pages and its messages.

#include "ui/main_wnd.h"

#include <strings.h>

#include "app/debug_log.h"
#include "app/installer_config.h"
#include "install/download_installer.h"
#include "install/find_process.h"
#include "install/pre_install_checks.h"
#include "platform/file_system.h"
#include "platform/shell_open.h"
#include "skinui/check_box.h"
#include "skinui/label.h"
#include "skinui/paint_manager.h"
#include "skinui/progress.h"
#include "skinui/tab_layout.h"
#include "ui/message_box.h"
#include "ui/product_texts.h"
#include "ui/sequence_controls.h"

namespace {

constexpr int kIconResource = 145;

struct PageLook {
    const char* background;
    int titlePage;  // -1: the title stays as it is
};
constexpr PageLook kPageLooks[] = {
    {"res\\mainWnd\\bg1.png", 1},
    {"res\\mainWnd\\bg2.png", 1},
    {"res\\mainWnd\\bg3.png", -1},
    {"res\\mainWnd\\bg4.png", 2},
};
constexpr PageLook kOtherPageLook = {"res\\mainWnd\\bg1.png", 0};

CSequenceLabelUI* AsSequenceLabel(skinui::Control* control) {
    if (!control || control->GetClass() != CSequenceLabelUI::kClassName) return nullptr;
    return static_cast<CSequenceLabelUI*>(control);
}

}  // namespace

CMainWnd::CMainWnd()
    : CSkinFrame(SkinDescriptor::ForSkinFile("MainWnd.xml")),
      m_StartUrl(kTutorialPageAddress),
      m_Progress(InstallerConfig().m_DownloadScale) {}

CMainWnd::~CMainWnd() {
    // The orchestrator waits for a running package or removal; after it no
    // worker posts to us any more.
    m_pInstaller.reset();
    if (m_pCheckNetThread) m_pCheckNetThread->Join();
    m_pCheckNetThread.reset();
}

std::unique_ptr<skinui::Control> CMainWnd::CreateControl(std::string_view className) {
    if (strncasecmp(className.data(), CSequenceButtonUI::kClassName, className.size()) == 0 &&
        className.size() == std::string_view(CSequenceButtonUI::kClassName).size()) {
        return std::make_unique<CSequenceButtonUI>();
    }
    if (strncasecmp(className.data(), CSequenceLabelUI::kClassName, className.size()) == 0 &&
        className.size() == std::string_view(CSequenceLabelUI::kClassName).size()) {
        return std::make_unique<CSequenceLabelUI>();
    }
    return nullptr;
}

void CMainWnd::BindControls() {
    skinui::PaintManager& pm = GetPaintManager();
    const auto find = [&pm](const char* name) { return pm.FindControl(name); };
    const auto tab = [&find](const char* name) {
        skinui::Control* control = find(name);
        return control && control->GetClass() == "TabLayout"
                   ? static_cast<skinui::TabLayout*>(control)
                   : nullptr;
    };
    const auto check = [&find](const char* name) {
        return dynamic_cast<skinui::CheckBox*>(find(name));
    };
    winCtn_ = find("winCtn");
    titleTab_ = tab("titleTabLt");
    mainTab_ = tab("mainTabLt");
    defaultInstallBtn_ = find("defaultInstallBtn");
    customeInstallBtn_ = find("customeInstallBtn");
    customeBtn_ = find("customeBtn");
    treatyBtn_ = find("treatyBtn");
    backBtn_ = find("backBtn");
    treatyCb_ = check("treatyCb");
    serviceCb_ = check("serviceCb");
    chDirBtn_ = find("chDirBtn");
    installDirEdit_ = find("installDirEdit");
    openProduceBtn_ = find("openProduceBtn");
    progressLb_ = find("progressLb");
    titleGrpCtn_ = find("titleGrpCtn");
    createDSCb_ = check("createDSCb");
    createQSCb_ = check("createQSCb");
    progressAnLb_ = find("progressAnLb");
    finishedLbl_ = find("finishedLbl");
    installPrg_ = dynamic_cast<skinui::Progress*>(find("installPrg"));
    tipLbl_ = find("tipLbl");
    softNameLbl_ = find("softNameLbl");
    installLogo_ = find("installLogo");
    if (!mainTab_ || !treatyCb_ || !treatyBtn_ || !customeBtn_ || !customeInstallBtn_ ||
        !installDirEdit_ || !createDSCb_ || !createQSCb_ || !progressLb_ || !installPrg_) {
        DEBUG_LOG("the layout %s lacks controls the window needs", GetSkinFile().c_str());
    }
}

void CMainWnd::FitLabelsToProductName() {
    for (const char* name : {"softNameLbl", "bTitleLbl1", "bTitleLbl2", "bTitleLbl3"}) {
        auto* label = dynamic_cast<skinui::Label*>(GetPaintManager().FindControl(name));
        if (!label) continue;
        const skinui::Size size = GetPaintManager().MeasureText(
            kProductDisplayName, label->GetFont(), label->GetTextStyle(), 0);
        label->SetFixedWidth(size.cx);
        label->SetText(kProductDisplayName);
    }
}

void CMainWnd::InitWindow() {
    CSkinFrame::InitWindow();
    if (GetNative()) GetNative()->SetTitle(kProductDisplayName);
    SetIcon(kIconResource);
    BindControls();
    FitLabelsToProductName();
    m_pInstaller = std::make_unique<CDownloadInstaller>(
        [this](int32_t code, double value, std::string_view text) {
            PostInstallEvent(code, value, text);
        },
        "", "", "", true, true, true);
    record_.ReadInstallRecord();
    const std::string defaultFolder = record_.GetDefaultInstallDir();
    if (installDirEdit_) installDirEdit_->SetText(defaultFolder);
    CenterWindow();
    if (record_.m_HasExistingInstall) HandleExistingInstall();
}

void CMainWnd::HandleExistingInstall() {
    const std::string& folder = record_.m_RecordedInstallDir;
    if (InstallerConfig().m_InsNew) {
        StartInstall(folder, true, true);
        return;
    }
    if (Utils::FindProcess(kProductExecutableName) != 0) {
        ShowBox("MessageBox1Wnd.xml", kProductRunningText, kCheckCaption);
        RequestClose();
        return;
    }
    switch (ShowMessageBox("InstalledPathTipWnd.xml", *this)) {
        case CMessageBoxWnd::kResultOk:
            StartInstall(folder, true, true);
            break;
        case CMessageBoxWnd::kResultCancel:
            m_ExePath = folder + "/" + kProductExecutableName;
            platform::StartProgramDetached(m_ExePath);
            RequestClose();
            break;
        default:
            RequestClose();
            break;
    }
}

int CMainWnd::CurrentPage() const {
    return mainTab_ ? mainTab_->GetCurSel() : -1;
}

void CMainWnd::SelectPage(int page) {
    if (mainTab_) mainTab_->SelectItem(page, true);
}

void CMainWnd::OnPageSelected() {
    const int page = CurrentPage();
    const PageLook& look = page >= 0 && page < 4 ? kPageLooks[page] : kOtherPageLook;
    if (winCtn_) winCtn_->SetBkImage(look.background);
    // Quietly: a "tabselect" from the title would only bring us back here.
    if (titleTab_ && look.titlePage >= 0) titleTab_->SelectItem(look.titlePage, false);
    if (page == kInstallingPage) {
        if (CSequenceLabelUI* animation = AsSequenceLabel(progressAnLb_)) animation->Start();
    } else if (page == kFinishedPage) {
        if (AsSequenceLabel(progressAnLb_)) {
            GetPaintManager().KillTimer(progressAnLb_, SequenceAnimation::kTimerId);
        }
        if (CSequenceLabelUI* animation = AsSequenceLabel(finishedLbl_)) animation->Start();
    }
    if (titleGrpCtn_) titleGrpCtn_->SetVisible(page != kInstallingPage);
    if (installLogo_) installLogo_->SetVisible(page == kInstallingPage);
    if (backBtn_) backBtn_->SetVisible(page == kCustomPage);
}

void CMainWnd::Notify(skinui::Notification& notification) {
    const std::string& type = notification.type;
    if (type == skinui::kNotifyTabSelect) {
        OnPageSelected();
    } else if (type == skinui::kNotifySelectChanged) {
        OnConsentChanged(notification.sender);
    } else if (type == "checknet") {
        OnCheckNetwork(static_cast<uint32_t>(notification.wParam));
    } else if (type == "install") {
        OnInstallNotify(notification.wParam != 0);
    } else if (type == skinui::kNotifyTimer && notification.sender &&
               notification.sender == GetPaintManager().GetRoot()) {
        OnTimer(static_cast<unsigned>(notification.wParam));
    }
    CSkinFrame::Notify(notification);
}

bool CMainWnd::HandleMessage(const skinui::WindowMessage& message) {
    if (message.type == skinui::Message::kClose && CurrentPage() == kInstallingPage) return true;
    return CSkinFrame::HandleMessage(message);
}

void CMainWnd::HandleCustomMessage(const skinui::WindowMessage& message) {
    if (message.customId == WM_INSTALL_EVENT) {
        InstallEvent event;
        {
            std::lock_guard<std::mutex> lock(eventsMutex_);
            if (events_.empty()) return;
            event = std::move(events_.front());
            events_.pop_front();
        }
        OnWorkerEvent(event);
    } else if (message.customId == kCloseRequest) {
        if (CurrentPage() == kInstallingPage) return;  // the installation runs on
        Close(static_cast<int>(message.wParam));
    } else {
        CSkinFrame::HandleCustomMessage(message);
    }
}

void CMainWnd::RequestClose() {
    PostCustomMessage(kCloseRequest, 1);
}

int CMainWnd::ShowBox(const std::string& layout, const char* text, const char* caption) {
    return ShowMessageBox(layout, *this, std::string(text), std::string(caption));
}
