#pragma once

#include <memory>
#include <string>

#include "skinui/window_base.h"
#include "ui/skin_descriptor.h"
#include "ui/window_shadow.h"

// The frame every installer window shares: builds the window from its layout
// in the skin package, swallows the Escape key so that it closes nothing,
// and gives the window a drop shadow when the layout's `Window` element asks
// for one ("showshadow" and the other "shadow…" attributes).
class CSkinFrame : public skinui::WindowBase {
  public:
    explicit CSkinFrame(SkinDescriptor descriptor);

    std::string GetWindowClassName() const override { return descriptor_.windowClassName; }
    std::string GetSkinFolder() const override { return descriptor_.skinFolder; }
    std::string GetSkinFile() const override { return descriptor_.skinFile; }
    skinui::ResourceKind GetResourceType() const override;
    int GetResourceID() const override { return descriptor_.resourceId; }

    // Subclasses call this first from their own InitWindow.
    void InitWindow() override;
    bool MessageFilter(const skinui::WindowMessage& message) override;

    const SkinDescriptor& GetDescriptor() const { return descriptor_; }
    CWindowShadow& GetShadow() { return shadow_; }
    bool HasShadow() const { return shadowOn_; }

  private:
    void ConfigureShadow();

    SkinDescriptor descriptor_;
    CWindowShadow shadow_;
    bool shadowOn_ = false;
};
