#pragma once

#include <optional>
#include <string>

#include "ui/skin_frame.h"

namespace skinui {
class Host;
class Control;
}  // namespace skinui

// One modal dialog of the installer: its layout decides how it looks, whether
// it shows a text and a caption of the caller's ("textLbl", "captionLbl"), and
// which answer buttons it has. The result tells how it was left.
class CMessageBoxWnd : public CSkinFrame {
public:
    static constexpr int kResultOk = 0;      // "okBtn"
    static constexpr int kResultCancel = 1;  // "cancelBtn", or closed without a click
    static constexpr int kResultOther = 2;   // any other clickable control ("closebtn")

    explicit CMessageBoxWnd(SkinDescriptor descriptor) : CSkinFrame(std::move(descriptor)) {}

    void InitWindow() override;
    void OnClick(skinui::Notification& notification) override;

    int GetResult() const { return result_; }
    skinui::Control* GetTextLabel() const { return textLabel_; }
    skinui::Control* GetCaptionLabel() const { return captionLabel_; }
    // The innermost dialog ShowMessageBox is running on this thread, or nullptr.
    static CMessageBoxWnd* Showing();
    static void SetShowing(CMessageBoxWnd* dialog);

private:
    int result_ = kResultCancel;
    skinui::Control* okButton_ = nullptr;
    skinui::Control* cancelButton_ = nullptr;
    skinui::Control* textLabel_ = nullptr;
    skinui::Control* captionLabel_ = nullptr;
};

// Shows the dialog of a layout modally over owner, with a text and a caption
// when given (otherwise the layout's own stay), and returns its result once
// it has closed.
int ShowMessageBox(skinui::Host& host, const std::string& layoutFile, skinui::WindowBase* owner,
                   const std::optional<std::string>& text = std::nullopt,
                   const std::optional<std::string>& caption = std::nullopt);
// The same on the owner's host.
int ShowMessageBox(const std::string& layoutFile, skinui::WindowBase& owner,
                   const std::optional<std::string>& text = std::nullopt,
                   const std::optional<std::string>& caption = std::nullopt);
