#include "skinui/paint_manager.h"

#include <algorithm>

#include "platform/process_info.h"
#include "skinui/attribute_values.h"
#include "skinui/container.h"
#include "skinui/text_table.h"

namespace skinui {

namespace {

std::string ExecutableFolder() {
    const std::string path = platform::ExecutablePath();
    const size_t slash = path.rfind('/');
    return slash == std::string::npos ? std::string() : path.substr(0, slash + 1);
}

}  // namespace

PaintManager::PaintManager() : resourceFolder_(ExecutableFolder()) {
    context_ = g_main_context_ref_thread_default();
    images_.SetResourceFolder(resourceFolder_);
}

PaintManager::~PaintManager() {
    {
        std::lock_guard lock(queueMutex_);
        if (queueSource_) {
            g_source_destroy(queueSource_);
            g_source_unref(queueSource_);
            queueSource_ = nullptr;
        }
        queue_.clear();
    }
    for (auto& [key, source] : timers_) {
        g_source_destroy(source);
        g_source_unref(source);
    }
    timers_.clear();
    // Controls forget their manager as the tree goes away.
    root_.reset();
    g_main_context_unref(context_);
}

void PaintManager::AttachRoot(std::unique_ptr<Control> root) {
    root_ = std::move(root);
    if (!root_) return;
    root_->SetManager(this, nullptr);
    if (auto* container = dynamic_cast<Container*>(root_.get())) {
        container->ForEach([](Control* control) { control->DoInit(); });
    } else {
        root_->DoInit();
    }
    NeedLayout();
}

Control* PaintManager::FindControl(std::string_view name) const {
    return root_ && !name.empty() ? root_->FindControl(name) : nullptr;
}

Control* PaintManager::FindControlAt(Point point) const {
    return root_ ? root_->FindControlAt(point) : nullptr;
}

void PaintManager::ForgetControl(Control* control) {
    KillTimers(control);
    if (hot_ == control) hot_ = nullptr;
    if (captured_ == control) captured_ = nullptr;
    if (focus_ == control) focus_ = nullptr;
    std::lock_guard lock(queueMutex_);
    std::erase_if(queue_, [control](const Notification& n) { return n.sender == control; });
}

void PaintManager::SetWindowAttribute(std::string_view name, std::string_view value) {
    const std::string key = AsciiLower(name);
    windowAttributes_[key] = std::string(value);
    if (key == "size") {
        initSize_ = ParseSize(value);
    } else if (key == "caption") {
        caption_ = ParseRect(value);
    } else if (key == "roundcorner") {
        roundCorner_ = ParseSize(value);
    }
}

std::string PaintManager::GetWindowAttribute(std::string_view name) const {
    const auto it = windowAttributes_.find(AsciiLower(name));
    return it == windowAttributes_.end() ? std::string() : it->second;
}

bool PaintManager::HasWindowAttribute(std::string_view name) const {
    return windowAttributes_.count(AsciiLower(name)) != 0;
}

void PaintManager::SetResourceFolder(std::string folder) {
    if (!folder.empty() && folder.back() != '/') folder += '/';
    resourceFolder_ = std::move(folder);
    images_.SetResourceFolder(resourceFolder_);
}

void PaintManager::SetArchive(const SkinArchive* archive) {
    archive_ = archive;
    images_.SetArchive(archive);
}

cairo_surface_t* PaintManager::GetImage(std::string_view name, std::optional<uint32_t> mask) {
    return images_.Get(name, mask);
}

std::vector<std::string> PaintManager::GetMissingImages() const {
    std::vector<std::pair<int, std::string>> ordered;
    for (const auto& [name, order] : images_.Missing()) ordered.emplace_back(order, name);
    std::sort(ordered.begin(), ordered.end());
    std::vector<std::string> names;
    for (auto& [order, name] : ordered) names.push_back(std::move(name));
    return names;
}

Size PaintManager::MeasureText(std::string_view text, int fontId, const TextStyle& style,
                               int width) const {
    return skinui::MeasureText(TextTable::Instance().Substitute(text), fonts_.Get(fontId), style,
                               width);
}

void PaintManager::SetClientSize(Size size) {
    if (size == clientSize_) return;
    clientSize_ = size;
    NeedLayout();
}

void PaintManager::NeedLayout() {
    needLayout_ = true;
    Invalidate({0, 0, clientSize_.cx, clientSize_.cy});
}

void PaintManager::LayoutIfNeeded() {
    if (!needLayout_ || !root_) return;
    const Rect& pad = root_->GetPadding();
    root_->SetPos({pad.left, pad.top, clientSize_.cx - pad.right, clientSize_.cy - pad.bottom});
    needLayout_ = false;
}

void PaintManager::SetInvalidateHandler(std::function<void(const Rect&)> handler) {
    invalidate_ = std::move(handler);
}

void PaintManager::Invalidate(const Rect& rect) {
    if (invalidate_ && !rect.IsEmpty()) invalidate_(rect);
}

void PaintManager::Paint(cairo_t* cr, const Rect& dirty) {
    LayoutIfNeeded();
    if (root_) root_->Paint(cr, dirty);
}

}  // namespace skinui
