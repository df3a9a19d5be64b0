#pragma once

#include <cairo.h>

#include <string>
#include <vector>

#include "skinui/host.h"

namespace skinui {

// A host without a display: windows are rectangles on an imagined screen
// (work area 0,0 to 1920,1040), report the messages a real window would, and
// paint into images on request. For tests and for screenshots of layouts.
class HeadlessHost : public Host {
  public:
    std::unique_ptr<NativeWindow> CreateNativeWindow(WindowBase& window,
                                                     NativeWindow* owner) override;
    bool SupportsLayeredPopups() const override { return true; }
    std::unique_ptr<LayeredPopup> CreateLayeredPopup(NativeWindow& owner) override;
    // Writes the box to standard error and remembers it.
    void ShowErrorBox(const std::string& text, const std::string& caption) override;

    const std::vector<std::string>& ErrorBoxes() const { return errorBoxes_; }
    static Rect WorkArea() { return {0, 0, 1920, 1040}; }

    // The picture a popup shows (premultiplied ARGB), or nullptr.
    static cairo_surface_t* PopupPixels(LayeredPopup& popup);

    // Lays the window out and paints it into a new ARGB image of its client size.
    static cairo_surface_t* Render(WindowBase& window);
    // Render() written as a PNG; false when it cannot be written.
    static bool RenderToPng(WindowBase& window, const std::string& path);

  private:
    std::vector<std::string> errorBoxes_;
};

}  // namespace skinui
