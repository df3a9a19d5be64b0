#pragma once

#include <cairo.h>

#include <memory>
#include <string>

#include "skinui/geometry.h"
#include "skinui/window_shape.h"

namespace skinui {

class WindowBase;

// The system window behind a skinned window. Hosts report what happens to it
// through WindowBase::DispatchMessage and paint it with the window's paint manager.
class NativeWindow {
  public:
    virtual ~NativeWindow() = default;
    // Screen coordinates.
    virtual Rect GetWindowRect() const = 0;
    virtual void Move(Point position) = 0;
    virtual void Resize(Size size) = 0;
    virtual void Show(bool activate) = 0;
    virtual void Hide() = 0;
    virtual bool IsVisible() const = 0;
    virtual void Minimize() = 0;
    virtual void Maximize() = 0;
    virtual void Restore() = 0;
    virtual bool IsMinimized() const = 0;
    virtual bool IsMaximized() const = 0;
    virtual void Invalidate(const Rect& rect) = 0;
    virtual void SetShape(const WindowShape& shape) = 0;
    // The work area of the monitor the window is on.
    virtual Rect GetWorkArea() const = 0;
    // A window that is not sensitive takes no input (the owner of a modal window).
    virtual void SetSensitive(bool sensitive) = 0;
    virtual void BeginMoveDrag(Point screenPoint) = 0;
    virtual void Destroy() = 0;
    virtual bool IsDestroyed() const = 0;
    // Sets the window's icon from a decoded picture.
    virtual void SetIcon(cairo_surface_t* picture) = 0;
    // The title the system shows for the window (task bar, window lists).
    virtual void SetTitle(const std::string& title) { (void)title; }
};

// A window of per-pixel translucent pixels that takes no input and never takes
// focus, kept above its owner: the drop shadow's surface.
class LayeredPopup {
  public:
    virtual ~LayeredPopup() = default;
    // Moves and resizes the popup to `rect` and shows `pixels` (premultiplied ARGB32 of that size).
    virtual void Update(const Rect& rect, cairo_surface_t* pixels) = 0;
    virtual void Move(Point position) = 0;
    virtual void Show() = 0;
    virtual void Hide() = 0;
    virtual bool IsVisible() const = 0;
    virtual Rect GetRect() const = 0;
    virtual bool Exists() const = 0;
    virtual void Destroy() = 0;
};

// Makes the system windows: GTK for the real program, headless for tests.
class Host {
  public:
    virtual ~Host() = default;
    virtual std::unique_ptr<NativeWindow> CreateNativeWindow(WindowBase& window,
                                                             NativeWindow* owner) = 0;
    virtual bool SupportsLayeredPopups() const = 0;
    // nullptr when the system has no translucent popups.
    virtual std::unique_ptr<LayeredPopup> CreateLayeredPopup(NativeWindow& owner) = 0;
    // A modal system message box with an error icon.
    virtual void ShowErrorBox(const std::string& text, const std::string& caption) = 0;
};

}  // namespace skinui
