#include "ui/window_shadow.h"

#include <algorithm>
#include <vector>

#include "app/debug_log.h"
#include "skinui/image_painter.h"

namespace {

skinui::Host* g_host = nullptr;
std::vector<std::pair<skinui::WindowBase*, CWindowShadow*>> g_parents;

}  // namespace

bool CWindowShadow::Initialize(skinui::Host& host) {
    if (g_host) return false;
    if (!host.SupportsLayeredPopups()) {
        DEBUG_LOG("no translucent popups; windows go without shadows");
        return false;
    }
    g_host = &host;
    return true;
}

bool CWindowShadow::IsInitialized() {
    return g_host != nullptr;
}

size_t CWindowShadow::ParentCount() {
    return g_parents.size();
}

CWindowShadow::~CWindowShadow() {
    if (popup_ && popup_->Exists()) popup_->Destroy();
    if (parent_) parent_->RemoveMessageObserver(this);
    std::erase_if(g_parents, [this](const auto& entry) { return entry.second == this; });
}

void CWindowShadow::Create(skinui::WindowBase* parent) {
    if (!g_host || !parent || !parent->GetNative() || popup_) return;
    popup_ = g_host->CreateLayeredPopup(*parent->GetNative());
    if (!popup_) return;
    parent_ = parent;
    g_parents.emplace_back(parent, this);
    skinui::NativeWindow* native = parent->GetNative();
    if (!native->IsVisible()) {
        status_ = SS_ENABLED;
    } else if (native->IsMinimized() || native->IsMaximized()) {
        status_ = SS_ENABLED | SS_PARENTVISIBLE;
    } else {
        status_ = SS_ENABLED | SS_VISIBLE | SS_PARENTVISIBLE;
        popup_->Show();
        Update();
    }
    parent->AddMessageObserver(this);
}

bool CWindowShadow::SetSize(int size) {
    if (size < -20 || size > 20) return false;
    settings_.size = size;
    UpdateIfVisible();
    return true;
}

bool CWindowShadow::SetSharpness(int sharpness) {
    if (sharpness < 0 || sharpness > 20) return false;
    settings_.sharpness = sharpness;
    UpdateIfVisible();
    return true;
}

bool CWindowShadow::SetDarkness(int darkness) {
    if (darkness < 0 || darkness > 255) return false;
    settings_.darkness = darkness;
    UpdateIfVisible();
    return true;
}

bool CWindowShadow::SetPosition(int x, int y) {
    if (x < -20 || x > 20 || y < -20 || y > 20) return false;
    settings_.xOffset = x;
    settings_.yOffset = y;
    UpdateIfVisible();
    return true;
}

bool CWindowShadow::SetColor(uint32_t color) {
    settings_.color = color;
    UpdateIfVisible();
    return true;
}

bool CWindowShadow::SetImage(const std::string& image, const skinui::Rect& corner,
                             const skinui::Rect& holeOffset) {
    if (!parent_) return false;
    cairo_surface_t* loaded = parent_->GetPaintManager().GetImage(image);
    if (!loaded) return false;
    image_ = loaded;
    corner_ = corner;
    holeOffset_ = holeOffset;
    UpdateIfVisible();
    return true;
}

void CWindowShadow::UpdateIfVisible() {
    if (status_ & SS_VISIBLE) Update();
}

skinui::Point CWindowShadow::ShadowPosition() const {
    const skinui::Rect rect = parent_->GetNative()->GetWindowRect();
    if (image_) return {rect.left - corner_.left, rect.top - corner_.top};
    return {rect.left + settings_.xOffset - settings_.size,
            rect.top + settings_.yOffset - settings_.size};
}

void CWindowShadow::Update() {
    if (!popup_ || !popup_->Exists() || !parent_ || !parent_->GetNative()) return;
    const skinui::Rect rect = parent_->GetNative()->GetWindowRect();
    const int W = rect.Width(), H = rect.Height();
    const int width = image_ ? W + corner_.left + corner_.right : W + 2 * settings_.size;
    const int height = image_ ? H + corner_.top + corner_.bottom : H + 2 * settings_.size;
    if (width <= 0 || height <= 0) return;

    cairo_surface_t* pixels = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, width, height);
    if (image_) {
        skinui::ImageAttributes attributes;
        attributes.corner = {corner_.left + holeOffset_.left, corner_.top + holeOffset_.top,
                       corner_.right + holeOffset_.right, corner_.bottom + holeOffset_.bottom};
        attributes.hole = true;
        cairo_t* cr = cairo_create(pixels);
        skinui::PaintImage(cr, image_, {0, 0, width, height}, attributes);
        cairo_destroy(cr);
    } else {
        // ARGB32 rows are exactly width * 4 bytes, so the data is one pixel array.
        cairo_surface_flush(pixels);
        auto* data = reinterpret_cast<uint32_t*>(cairo_image_surface_get_data(pixels));
        MakeShadow({data, static_cast<size_t>(width) * height}, settings_, W, H,
                   parent_->GetShape().RowSpans());
        cairo_surface_mark_dirty(pixels);
    }
    const skinui::Point at = ShadowPosition();
    popup_->Update({at.x, at.y, at.x + width, at.y + height}, pixels);
    cairo_surface_destroy(pixels);
}

void CWindowShadow::OnParentMessage(const skinui::WindowMessage& message) {
    using skinui::Message;
    switch (message.type) {
        case Message::kDestroy:
            if (popup_) popup_->Destroy();
            break;
        case Message::kMove:
            if ((status_ & SS_VISIBLE) && popup_) popup_->Move(ShadowPosition());
            break;
        case Message::kSize:
            if (!(status_ & SS_ENABLED) || !popup_) break;
            if (message.wParam == skinui::kSizeMaximized ||
                message.wParam == skinui::kSizeMinimized) {
                popup_->Hide();
                status_ &= static_cast<uint8_t>(~SS_VISIBLE);
            } else if (status_ & SS_PARENTVISIBLE) {
                const skinui::Size now = skinui::UnpackSize(message.lParam);
                const skinui::Size last = skinui::UnpackSize(lastParentSize_);
                if (now.cx <= last.cx && now.cy <= last.cy) {
                    Update();
                } else {
                    // A growing window has its outline only after its next layout.
                    updatePending_ = true;
                }
                if (!(status_ & SS_VISIBLE)) {
                    popup_->Show();
                    status_ |= SS_VISIBLE;
                }
            }
            lastParentSize_ = static_cast<uint32_t>(message.lParam);
            break;
        case Message::kActivate:
        case Message::kExitSizeMove:
            if (status_ & SS_VISIBLE) Update();
            break;
        case Message::kPaint:
            if (updatePending_) {
                Update();
                updatePending_ = false;
            }
            break;
        case Message::kShowWindow:
            if (!(status_ & SS_ENABLED) || !popup_) break;
            if (message.wParam == 0) {
                popup_->Hide();
                status_ &= static_cast<uint8_t>(~(SS_VISIBLE | SS_PARENTVISIBLE));
            } else if (!(status_ & SS_PARENTVISIBLE)) {
                updatePending_ = true;
                popup_->Show();
                status_ |= SS_VISIBLE | SS_PARENTVISIBLE;
            }
            break;
        case Message::kNcDestroy:
            if (parent_) parent_->RemoveMessageObserver(this);
            std::erase_if(g_parents, [this](const auto& entry) { return entry.second == this; });
            parent_ = nullptr;
            break;
        default:
            break;
    }
}
