#include "skinui/headless_host.h"

#include <cstdio>

#include "skinui/window_base.h"

namespace skinui {

namespace {

class HeadlessWindow : public NativeWindow {
  public:
    explicit HeadlessWindow(WindowBase& window) : window_(window) {}

    Rect GetWindowRect() const override { return rect_; }
    void Move(Point position) override {
        rect_ = rect_.Offset(position.x - rect_.left, position.y - rect_.top);
        Send(Message::kMove, 0, PackPoint(position));
    }
    void Resize(Size size) override {
        rect_.right = rect_.left + size.cx;
        rect_.bottom = rect_.top + size.cy;
        Send(Message::kSize, kSizeRestored, PackSize(size));
    }
    void Show(bool activate) override {
        if (visible_ || destroyed_) return;
        visible_ = true;
        Send(Message::kShowWindow, 1, 0);
        if (activate) Send(Message::kActivate, 1, 0);
    }
    void Hide() override {
        if (!visible_ || destroyed_) return;
        visible_ = false;
        Send(Message::kShowWindow, 0, 0);
    }
    bool IsVisible() const override { return visible_; }
    void Minimize() override {
        minimized_ = true;
        Send(Message::kSize, kSizeMinimized, 0);
    }
    void Maximize() override {
        maximized_ = true;
        minimized_ = false;
        restored_ = rect_;
        rect_ = HeadlessHost::WorkArea();
        Send(Message::kSize, kSizeMaximized, PackSize({rect_.Width(), rect_.Height()}));
    }
    void Restore() override {
        if (maximized_) rect_ = restored_;
        maximized_ = minimized_ = false;
        Send(Message::kSize, kSizeRestored, PackSize({rect_.Width(), rect_.Height()}));
    }
    bool IsMinimized() const override { return minimized_; }
    bool IsMaximized() const override { return maximized_; }
    void Invalidate(const Rect&) override {}
    void SetShape(const WindowShape&) override {}
    Rect GetWorkArea() const override { return HeadlessHost::WorkArea(); }
    void SetSensitive(bool sensitive) override { sensitive_ = sensitive; }
    void BeginMoveDrag(Point) override {}
    void Destroy() override {
        if (destroyed_) return;
        if (visible_) Hide();
        destroyed_ = true;
        Send(Message::kDestroy, 0, 0);
        Send(Message::kNcDestroy, 0, 0);
    }
    bool IsDestroyed() const override { return destroyed_; }
    void SetIcon(cairo_surface_t*) override {}

  private:
    void Send(Message type, uintptr_t wParam, intptr_t lParam) {
        window_.DispatchMessage({type, wParam, lParam, 0});
    }

    WindowBase& window_;
    Rect rect_;
    Rect restored_;
    bool visible_ = false;
    bool minimized_ = false;
    bool maximized_ = false;
    bool sensitive_ = true;
    bool destroyed_ = false;
};

class HeadlessPopup : public LayeredPopup {
  public:
    ~HeadlessPopup() override {
        if (pixels_) cairo_surface_destroy(pixels_);
    }
    void Update(const Rect& rect, cairo_surface_t* pixels) override {
        rect_ = rect;
        if (pixels_) cairo_surface_destroy(pixels_);
        pixels_ = cairo_surface_reference(pixels);
    }
    void Move(Point position) override {
        rect_ = rect_.Offset(position.x - rect_.left, position.y - rect_.top);
    }
    void Show() override { visible_ = exists_; }
    void Hide() override { visible_ = false; }
    bool IsVisible() const override { return visible_; }
    Rect GetRect() const override { return rect_; }
    bool Exists() const override { return exists_; }
    cairo_surface_t* Pixels() const { return pixels_; }
    void Destroy() override { exists_ = visible_ = false; }

  private:
    Rect rect_;
    cairo_surface_t* pixels_ = nullptr;
    bool visible_ = false;
    bool exists_ = true;
};

}  // namespace

std::unique_ptr<NativeWindow> HeadlessHost::CreateNativeWindow(WindowBase& window, NativeWindow*) {
    return std::make_unique<HeadlessWindow>(window);
}

std::unique_ptr<LayeredPopup> HeadlessHost::CreateLayeredPopup(NativeWindow&) {
    return std::make_unique<HeadlessPopup>();
}

void HeadlessHost::ShowErrorBox(const std::string& text, const std::string& caption) {
    std::fprintf(stderr, "[%s] %s\n", caption.c_str(), text.c_str());
    std::fflush(stderr);
    errorBoxes_.push_back(caption + ": " + text);
}

cairo_surface_t* HeadlessHost::PopupPixels(LayeredPopup& popup) {
    auto* headless = dynamic_cast<HeadlessPopup*>(&popup);
    return headless ? headless->Pixels() : nullptr;
}

cairo_surface_t* HeadlessHost::Render(WindowBase& window) {
    // What a system would send before painting.
    window.DispatchMessage({Message::kPaint, 0, 0, 0});
    PaintManager& manager = window.GetPaintManager();
    const Size size = manager.GetClientSize();
    cairo_surface_t* surface = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, size.cx, size.cy);
    cairo_t* cr = cairo_create(surface);
    manager.Paint(cr, {0, 0, size.cx, size.cy});
    cairo_destroy(cr);
    cairo_surface_flush(surface);
    return surface;
}

bool HeadlessHost::RenderToPng(WindowBase& window, const std::string& path) {
    cairo_surface_t* surface = Render(window);
    const bool ok = cairo_surface_write_to_png(surface, path.c_str()) == CAIRO_STATUS_SUCCESS;
    cairo_surface_destroy(surface);
    return ok;
}

}  // namespace skinui
