#include "ui/message_box.h"

#include "app/debug_log.h"
#include "skinui/control.h"
#include "skinui/host.h"

namespace {

thread_local CMessageBoxWnd* showing = nullptr;
// Every dialog has this title, whatever its layout.
constexpr const char* kDialogTitle = "消息框";

}  // namespace

void CMessageBoxWnd::InitWindow() {
    CSkinFrame::InitWindow();
    okButton_ = GetPaintManager().FindControl("okBtn");
    cancelButton_ = GetPaintManager().FindControl("cancelBtn");
    textLabel_ = GetPaintManager().FindControl("textLbl");
    captionLabel_ = GetPaintManager().FindControl("captionLbl");
}

void CMessageBoxWnd::OnClick(skinui::Notification& notification) {
    if (notification.sender && notification.sender == okButton_) {
        result_ = kResultOk;
        Close(1);
    } else if (notification.sender && notification.sender == cancelButton_) {
        result_ = kResultCancel;
        Close(1);
    } else {
        CSkinFrame::OnClick(notification);
        result_ = kResultOther;
    }
}

CMessageBoxWnd* CMessageBoxWnd::Showing() {
    return showing;
}

void CMessageBoxWnd::SetShowing(CMessageBoxWnd* dialog) {
    showing = dialog;
}

int ShowMessageBox(skinui::Host& host, const std::string& layoutFile, skinui::WindowBase* owner,
                   const std::optional<std::string>& text,
                   const std::optional<std::string>& caption) {
    CMessageBoxWnd dialog(SkinDescriptor::ForSkinFile(layoutFile));
    if (!dialog.Create(host, owner)) {
        DEBUG_LOG("cannot open the dialog %s", layoutFile.c_str());
        return dialog.GetResult();
    }
    dialog.GetNative()->SetTitle(kDialogTitle);
    if (text && dialog.GetTextLabel()) dialog.GetTextLabel()->SetText(*text);
    if (caption && dialog.GetCaptionLabel()) dialog.GetCaptionLabel()->SetText(*caption);
    dialog.CenterWindow();
    CMessageBoxWnd* const outer = CMessageBoxWnd::Showing();
    CMessageBoxWnd::SetShowing(&dialog);
    dialog.ShowModal();
    CMessageBoxWnd::SetShowing(outer);
    return dialog.GetResult();
}

int ShowMessageBox(const std::string& layoutFile, skinui::WindowBase& owner,
                   const std::optional<std::string>& text,
                   const std::optional<std::string>& caption) {
    return ShowMessageBox(*owner.GetHost(), layoutFile, &owner, text, caption);
}
