#pragma once

#include <cairo.h>

#include <cstdint>
#include <memory>
#include <string>

#include "skinui/host.h"
#include "skinui/window_base.h"
#include "ui/make_shadow.h"

// The soft drop shadow around a frameless window: a click-through translucent
// popup kept just behind and around its parent. The picture is either drawn
// from the parent's outline (size, sharpness, darkness, offset, colour) or
// stretched from a nine-patch image. It follows the parent's messages: moves
// with it, is rebuilt when the parent is activated or resized, and hides while
// the parent is hidden, minimised or maximised.
class CWindowShadow : public skinui::MessageObserver {
  public:
    static constexpr uint8_t SS_ENABLED = 1;        // created and active
    static constexpr uint8_t SS_VISIBLE = 2;        // shadow shown
    static constexpr uint8_t SS_PARENTVISIBLE = 4;  // parent shown

    CWindowShadow() = default;
    virtual ~CWindowShadow();
    CWindowShadow(const CWindowShadow&) = delete;
    CWindowShadow& operator=(const CWindowShadow&) = delete;

    // Once per process, at start-up. False when already done or when the
    // host has no translucent popups; shadows are then left out.
    static bool Initialize(skinui::Host& host);
    static bool IsInitialized();
    // How many parents have a shadow in this process.
    static size_t ParentCount();

    // Makes the shadow window for `parent` and starts following it. Does
    // nothing when Initialize() did not succeed.
    void Create(skinui::WindowBase* parent);

    // Each returns false and changes nothing for a value out of range.
    bool SetSize(int size);            // -20..20
    bool SetSharpness(int sharpness);  // 0..20
    bool SetDarkness(int darkness);    // 0..255
    bool SetPosition(int x, int y);    // each -20..20
    bool SetColor(uint32_t color);     // low byte red, then green, then blue
    // Image mode: the image stretched around the parent with `corner` margins
    // (and `corner` + `holeOffset` as nine-patch margins). False when the
    // image cannot be loaded.
    bool SetImage(const std::string& image, const skinui::Rect& corner,
                  const skinui::Rect& holeOffset);

    // Rebuilds the picture and puts it in place.
    void Update();

    uint8_t GetStatus() const { return status_; }
    const ShadowSettings& GetSettings() const { return settings_; }
    skinui::LayeredPopup* GetPopup() const { return popup_.get(); }

    void OnParentMessage(const skinui::WindowMessage& message) override;

  private:
    // Where the shadow window goes for the parent's current rectangle.
    skinui::Point ShadowPosition() const;
    void UpdateIfVisible();

    std::unique_ptr<skinui::LayeredPopup> popup_;
    skinui::WindowBase* parent_ = nullptr;
    uint8_t status_ = 0;
    ShadowSettings settings_{0, 5, 150, 5, 5, 0};
    uint32_t lastParentSize_ = 0;
    bool updatePending_ = false;
    cairo_surface_t* image_ = nullptr;  // owned by the parent's image cache
    skinui::Rect corner_;
    skinui::Rect holeOffset_;
};
