#pragma once

#include <cairo.h>

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "skinui/geometry.h"
#include "skinui/notification.h"

namespace skinui {

class PaintManager;

// The base of every windowless control, and itself the plain spacer
// `Control`: a rectangle with a name, an optional fixed size, padding, a
// background colour and image, a border, and text properties that subclasses
// draw. A control without a fixed size takes the space its layout leaves.
class Control {
  public:
    Control() = default;
    virtual ~Control();
    Control(const Control&) = delete;
    Control& operator=(const Control&) = delete;

    virtual std::string_view GetClass() const { return "Control"; }

    const std::string& GetName() const { return name_; }
    void SetName(std::string name) { name_ = std::move(name); }
    Control* GetParent() const { return parent_; }
    PaintManager* GetManager() const { return manager_; }
    virtual void SetManager(PaintManager* manager, Control* parent);

    // Layout.
    int GetFixedWidth() const { return fixedWidth_; }
    int GetFixedHeight() const { return fixedHeight_; }
    void SetFixedWidth(int width);
    void SetFixedHeight(int height);
    const Rect& GetPadding() const { return padding_; }
    void SetPadding(const Rect& padding);
    // The size the control asks its layout for; 0 on an axis means "what is left".
    virtual Size EstimateSize(Size available) const;
    virtual void SetPos(const Rect& rect);
    const Rect& GetPos() const { return rect_; }

    bool IsVisible() const { return visible_; }
    virtual void SetVisible(bool visible);
    bool IsEnabled() const { return enabled_; }
    virtual void SetEnabled(bool enabled);
    bool IsFocused() const { return focused_; }
    void SetFocused(bool focused) {
        focused_ = focused;
        Invalidate();
    }

    // Text and its look.
    const std::string& GetText() const { return text_; }
    virtual void SetText(std::string text);
    int GetFont() const { return font_; }
    void SetFont(int id) {
        font_ = id;
        Invalidate();
    }
    uint32_t GetTextColor() const { return textColor_; }
    void SetTextColor(uint32_t argb) {
        textColor_ = argb;
        Invalidate();
    }
    const std::string& GetUserData() const { return userData_; }
    void SetUserData(std::string data) { userData_ = std::move(data); }

    // Background and border.
    const std::string& GetBkImage() const { return bkImage_; }
    void SetBkImage(std::string image) {
        bkImage_ = std::move(image);
        Invalidate();
    }
    std::optional<uint32_t> GetBkColor() const { return bkColor_; }
    void SetBkColor(uint32_t argb) {
        bkColor_ = argb;
        Invalidate();
    }

    // Sets one layout attribute; names this control does not know are ignored.
    virtual void SetAttribute(std::string_view name, std::string_view value);

    // Called once the whole tree exists and belongs to a window.
    virtual void DoInit() {}
    // Input and timer events; the default turns timers into "timer" notifications.
    virtual void DoEvent(ControlEvent& event);

    virtual void Paint(cairo_t* cr, const Rect& dirty);

    // The visible, enabled-or-not control under a point (this one or a child).
    virtual Control* FindControlAt(Point point);
    virtual Control* FindControl(std::string_view name);
    // Whether a mouse press on this control belongs to it (not to the caption drag).
    virtual bool WantsMouse() const { return false; }

    void Invalidate();
    // The parent lays its children out again (a size or visibility change).
    void NeedParentUpdate();

  protected:
    virtual void PaintBkColor(cairo_t* cr);
    virtual void PaintBkImage(cairo_t* cr);
    virtual void PaintStatusImage(cairo_t* cr) { (void)cr; }
    virtual void PaintText(cairo_t* cr) { (void)cr; }
    virtual void PaintBorder(cairo_t* cr);
    // Draws an image attribute into the control; false when the image is missing.
    bool DrawImage(cairo_t* cr, std::string_view imageAttribute);
    // Sends a notification from this control at once.
    void SendNotify(const char* type, uintptr_t wParam = 0, intptr_t lParam = 0,
                    bool async = false);

    std::string name_;
    PaintManager* manager_ = nullptr;
    Control* parent_ = nullptr;
    Rect rect_;
    Rect padding_;
    int fixedWidth_ = 0;
    int fixedHeight_ = 0;
    bool visible_ = true;
    bool enabled_ = true;
    bool focused_ = false;
    std::string text_;
    int font_ = -1;
    uint32_t textColor_ = 0xFF000000;
    std::string userData_;
    std::string bkImage_;
    std::optional<uint32_t> bkColor_;
    std::optional<uint32_t> borderColor_;
    int borderSize_ = 0;
    Size borderRound_;
};

}  // namespace skinui
