#pragma once

#include <string>
#include <vector>

#include "skinui/window_base.h"

namespace skinui::testing {

// A bare skinned window for tests: a layout from the skin package (or a file)
// and a record of the notifications it got.
class TestWindow : public WindowBase {
  public:
    explicit TestWindow(std::string skinFile, ResourceKind kind = ResourceKind::kZipResource)
        : skinFile_(std::move(skinFile)), kind_(kind) {}

    std::string GetWindowClassName() const override { return "TestWindow"; }
    std::string GetSkinFile() const override { return skinFile_; }
    ResourceKind GetResourceType() const override { return kind_; }
    int GetResourceID() const override { return 147; }

    void Notify(Notification& notification) override {
        notifications.push_back(notification);
        WindowBase::Notify(notification);
    }

    std::vector<Notification> notifications;

  private:
    std::string skinFile_;
    ResourceKind kind_;
};

}  // namespace skinui::testing
