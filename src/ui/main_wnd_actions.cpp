// What the main window does with the user's clicks and ticks.

#include <gtk/gtk.h>

#include "platform/shell_open.h"
#include "skinui/check_box.h"
#include "skinui/gtk_host.h"
#include "skinui/paint_manager.h"
#include "skinui/tab_layout.h"
#include "ui/main_wnd.h"
#include "ui/message_box.h"
#include "ui/product_texts.h"

namespace {

constexpr size_t kMaxChosenPath = 260;
constexpr size_t kMaxFolderPath = 259;
constexpr const char* kFolderChooserTitle = "选择一个文件夹";

}  // namespace

bool CMainWnd::IsChecked(skinui::Control* control) const {
    auto* box = dynamic_cast<skinui::CheckBox*>(control);
    return box && box->GetCheck();
}

std::string CMainWnd::CustomInstallDir() {
    return record_.GetInstallDir(installDirEdit_ ? installDirEdit_->GetText() : std::string());
}

void CMainWnd::OnConsentChanged(skinui::Control* sender) {
    if (!sender) return;
    auto* treatyLink = dynamic_cast<skinui::CheckBox*>(treatyBtn_);
    if (sender == treatyCb_) {
        const bool terms = treatyCb_->GetCheck();
        const bool service = serviceCb_ ? serviceCb_->GetCheck() : true;
        if (treatyLink) treatyLink->SetCheck(terms, true);
        if (customeBtn_) customeBtn_->SetEnabled(terms && service);
        if (terms && service && tipLbl_) tipLbl_->SetVisible(false);
    } else if (sender == serviceCb_) {
        const bool service = serviceCb_->GetCheck();
        if (customeBtn_) customeBtn_->SetEnabled(service && IsChecked(treatyCb_));
        if (defaultInstallBtn_) defaultInstallBtn_->SetEnabled(service);
    } else if (sender == treatyBtn_ && treatyLink) {
        // The link opens the terms; its tick always mirrors the terms box.
        treatyLink->SetCheck(IsChecked(treatyCb_), false);
    }
}

void CMainWnd::OnClick(skinui::Notification& notification) {
    skinui::Control* sender = notification.sender;
    if (!sender) return;
    if (sender == defaultInstallBtn_) {
        if (IsChecked(treatyCb_)) {
            StartInstall(record_.GetDefaultInstallDir(), true, true);
        } else if (tipLbl_) {
            tipLbl_->SetVisible(true);
        }
    } else if (sender == customeBtn_) {
        SelectPage(kCustomPage);
        if (customeInstallBtn_) GetPaintManager().SetFocus(customeInstallBtn_);
    } else if (sender == treatyBtn_) {
        platform::OpenAddress(kTermsPageAddress);
    } else if (sender == backBtn_) {
        SelectPage(kWelcomePage);
    } else if (sender == chDirBtn_) {
        ChooseFolder();
    } else if (sender == customeInstallBtn_) {
        StartInstall(CustomInstallDir(), IsChecked(createDSCb_), IsChecked(createQSCb_));
    } else if (sender == openProduceBtn_) {
        if (m_StartupStyle == 2) OpenProduct();
        RequestClose();
    } else if (sender->GetName() == "closebtn") {
        ConfirmExit();
    } else {
        CSkinFrame::OnClick(notification);
    }
}

void CMainWnd::ConfirmExit() {
    if (CurrentPage() == kFinishedPage) {
        RequestClose();
        return;
    }
    if (ShowMessageBox("ExitTipWnd.xml", *this) == CMessageBoxWnd::kResultOk) RequestClose();
}

std::string CMainWnd::ProductFolderIn(const std::string& chosen) {
    std::string folder = chosen;
    if (folder.empty() || folder.back() != '/') folder += '/';
    folder += kProductIdentifier;
    if (folder.size() > kMaxFolderPath) folder.resize(kMaxFolderPath);
    return folder;
}

void CMainWnd::ChooseFolder() {
    GtkWidget* owner = skinui::GtkHost::WidgetOf(GetNative());
    if (!owner) return;  // no display to browse on
    GtkWidget* chooser =
        gtk_file_chooser_dialog_new(kFolderChooserTitle, owner ? GTK_WINDOW(owner) : nullptr,
                                    GTK_FILE_CHOOSER_ACTION_SELECT_FOLDER, "取消",
                                    GTK_RESPONSE_CANCEL, "确定", GTK_RESPONSE_ACCEPT, nullptr);
    gtk_window_set_modal(GTK_WINDOW(chooser), TRUE);
    std::string chosen;
    if (gtk_dialog_run(GTK_DIALOG(chooser)) == GTK_RESPONSE_ACCEPT) {
        if (gchar* path = gtk_file_chooser_get_filename(GTK_FILE_CHOOSER(chooser))) {
            chosen = path;
            g_free(path);
        }
    }
    gtk_widget_destroy(chooser);
    if (chosen.empty() || chosen.size() > kMaxChosenPath || !installDirEdit_) return;
    installDirEdit_->SetText(ProductFolderIn(chosen));
}
