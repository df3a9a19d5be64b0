#pragma once

#include <cairo.h>
#include <glib.h>

#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "skinui/control.h"
#include "skinui/font_table.h"
#include "skinui/image_cache.h"
#include "skinui/text_painter.h"

namespace skinui {

class SkinArchive;

// The heart of one skinned window: owns its control tree, its images and
// fonts, lays the tree out and paints it, routes mouse and keyboard input to
// the control under the mouse or with the focus, runs the controls' timers and
// delivers their notifications to the window's listeners, at once or queued
// onto the window thread's GLib main context.
class PaintManager {
  public:
    PaintManager();
    ~PaintManager();
    PaintManager(const PaintManager&) = delete;
    PaintManager& operator=(const PaintManager&) = delete;

    // --- The control tree ---------------------------------------------------
    void AttachRoot(std::unique_ptr<Control> root);
    Control* GetRoot() const { return root_.get(); }
    Control* FindControl(std::string_view name) const;
    Control* FindControlAt(Point point) const;
    // A control going away: its timers, queued notifications and input state go too.
    void ForgetControl(Control* control);

    // --- The layout's `Window` element ---------------------------------------
    void SetWindowAttribute(std::string_view name, std::string_view value);
    // The attribute's value; empty when absent. Names ignore letter case.
    std::string GetWindowAttribute(std::string_view name) const;
    bool HasWindowAttribute(std::string_view name) const;
    Size GetInitSize() const { return initSize_; }
    const Rect& GetCaptionRect() const { return caption_; }
    Size GetRoundCorner() const { return roundCorner_; }

    // --- Resources -----------------------------------------------------------
    void SetResourceFolder(std::string folder);
    const std::string& GetResourceFolder() const { return resourceFolder_; }
    void SetArchive(const SkinArchive* archive);
    const SkinArchive* GetArchive() const { return archive_; }
    cairo_surface_t* GetImage(std::string_view name, std::optional<uint32_t> mask = {});
    // Image names that were asked for but are not in the skin.
    std::vector<std::string> GetMissingImages() const;
    FontTable& Fonts() { return fonts_; }
    const FontSpec& GetFont(int id) const { return fonts_.Get(id); }
    // Text size in a font of this window; tokens "%{n}" are replaced first.
    Size MeasureText(std::string_view text, int fontId, const TextStyle& style, int width) const;

    // --- Layout and painting -------------------------------------------------
    void SetClientSize(Size size);
    Size GetClientSize() const { return clientSize_; }
    void NeedLayout();
    void LayoutIfNeeded();
    // Called with each rectangle that needs painting again.
    void SetInvalidateHandler(std::function<void(const Rect&)> handler);
    void Invalidate(const Rect& rect);
    void Paint(cairo_t* cr, const Rect& dirty);

    // --- Notifications -------------------------------------------------------
    void AddNotifier(NotifyListener* listener);
    void RemoveNotifier(NotifyListener* listener);
    // Sends a notification from `sender`: at once, or (async) later on the
    // window thread. Safe to call async from other threads.
    void SendNotify(Control* sender, std::string_view type, uintptr_t wParam = 0,
                    intptr_t lParam = 0, bool async = false);
    void SendNotify(Notification notification, bool async = false);

    // --- Timers --------------------------------------------------------------
    // Every `periodMs` the control gets a timer event, which it turns into a
    // "timer" notification (wParam = id). Setting an existing id restarts it.
    bool SetTimer(Control* control, unsigned id, unsigned periodMs);
    bool KillTimer(Control* control, unsigned id);
    void KillTimers(Control* control);
    bool HasTimer(Control* control, unsigned id) const;

    // --- Input (window coordinates) -----------------------------------------
    void MouseMove(Point point);
    void MouseLeave();
    // The control that took the press, or nullptr.
    Control* ButtonDown(Point point);
    void ButtonUp(Point point);
    void KeyDown(unsigned key);
    void Char(unsigned character);
    Control* GetFocus() const { return focus_; }
    void SetFocus(Control* control);

  private:
    struct Timer;
    static gboolean OnTimer(gpointer data);
    static gboolean OnQueued(gpointer data);
    void DeliverQueued();
    void Deliver(Notification& notification);

    std::unique_ptr<Control> root_;
    std::map<std::string, std::string> windowAttributes_;  // lower-case names
    Size initSize_;
    Rect caption_;
    Size roundCorner_;

    std::string resourceFolder_;
    const SkinArchive* archive_ = nullptr;
    ImageCache images_;
    FontTable fonts_;

    Size clientSize_;
    bool needLayout_ = true;
    std::function<void(const Rect&)> invalidate_;

    std::vector<NotifyListener*> listeners_;
    GMainContext* context_;
    std::map<std::pair<Control*, unsigned>, GSource*> timers_;

    mutable std::mutex queueMutex_;
    std::vector<Notification> queue_;
    GSource* queueSource_ = nullptr;

    Control* hot_ = nullptr;
    Control* captured_ = nullptr;
    Control* focus_ = nullptr;
    Point mouse_;
};

}  // namespace skinui
