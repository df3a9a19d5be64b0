#include "skinui/window_base.h"

#include <algorithm>
#include <cstdlib>

#include "app/debug_log.h"
#include "platform/embedded_resources.h"
#include "platform/file_contents.h"
#include "skinui/layout_builder.h"
#include "skinui/skin_archive.h"

namespace skinui {

namespace {

constexpr const char* kLoadFailedText = "加载资源文件失败";
constexpr const char* kLoadFailedCaption = "SkinUI";

struct PostedMessage {
    std::weak_ptr<bool> alive;
    WindowBase* window;
    WindowMessage message;
};

}  // namespace

WindowBase::WindowBase()
    : context_(g_main_context_ref_thread_default()), alive_(std::make_shared<bool>(true)) {}

WindowBase::~WindowBase() {
    alive_.reset();
    if (native_ && !native_->IsDestroyed()) native_->Destroy();
    native_.reset();
    if (modalLoop_) g_main_loop_quit(modalLoop_);
    g_main_context_unref(context_);
}

std::unique_ptr<Control> WindowBase::CreateControl(std::string_view) {
    return nullptr;
}

bool WindowBase::Create(Host& host, WindowBase* owner) {
    host_ = &host;
    owner_ = owner;
    native_ = host.CreateNativeWindow(*this, owner ? owner->GetNative() : nullptr);
    if (!native_) return false;
    // Controls that change ask the system window to draw them again.
    manager_.SetInvalidateHandler([this](const Rect& rect) {
        if (native_ && !native_->IsDestroyed()) native_->Invalidate(rect);
    });

    // The layout: from the skin package in the program, or from a file.
    std::string layout;
    bool haveSource = true;
    if (GetResourceType() == ResourceKind::kZipResource) {
        const SkinArchive* archive = SkinArchive::Shared("ZIPRES", GetResourceID());
        if (!archive) {
            DEBUG_LOG("no skin package %d; %s gets no controls", GetResourceID(),
                      GetWindowClassName().c_str());
            haveSource = false;
        } else {
            manager_.SetArchive(archive);
            if (const auto* bytes = archive->Find(GetSkinFolder() + GetSkinFile())) {
                layout.assign(bytes->begin(), bytes->end());
            }
        }
    } else {
        // A skin folder is below the resource folder unless it is absolute.
        const std::string skinFolder = GetSkinFolder();
        const std::string folder = !skinFolder.empty() && skinFolder.front() == '/'
                                       ? skinFolder
                                       : manager_.GetResourceFolder() + skinFolder;
        manager_.SetResourceFolder(folder);
        layout = platform::ReadFileContents(folder + GetSkinFile()).value_or("");
    }
    if (!haveSource) return true;

    auto root = BuildLayout(layout, manager_,
                            [this](std::string_view name) { return CreateControl(name); });
    if (!root) {
        DEBUG_LOG("cannot build %s", GetSkinFile().c_str());
        host.ShowErrorBox(kLoadFailedText, kLoadFailedCaption);
        std::exit(1);
    }
    const Size size = manager_.GetInitSize();
    if (size.cx > 0 && size.cy > 0) native_->Resize(size);
    const Rect rect = native_->GetWindowRect();
    manager_.SetClientSize({rect.Width(), rect.Height()});
    native_->SetShape(GetShape());
    manager_.AttachRoot(std::move(root));
    manager_.AddNotifier(this);
    InitWindow();
    return true;
}

WindowShape WindowBase::GetShape() const {
    const Rect rect = native_ ? native_->GetWindowRect() : Rect{};
    return WindowShape{{rect.Width(), rect.Height()}, manager_.GetRoundCorner()};
}

void WindowBase::Notify(Notification& notification) {
    if (notification.type == kNotifyClick) OnClick(notification);
}

void WindowBase::OnClick(Notification& notification) {
    if (!notification.sender) return;
    const std::string& name = notification.sender->GetName();
    if (name == "closebtn") {
        Close(1);
    } else if (name == "minbtn") {
        Minimize();
    } else if (name == "maxbtn") {
        Maximize();
    } else if (name == "restorebtn") {
        Restore();
    }
}

bool WindowBase::MessageFilter(const WindowMessage&) {
    return false;
}

bool WindowBase::HandleMessage(const WindowMessage&) {
    return false;
}

void WindowBase::DispatchMessage(const WindowMessage& message) {
    const std::weak_ptr<bool> alive = alive_;
    if (MessageFilter(message)) return;
    const std::vector<MessageObserver*> observers = observers_;
    for (MessageObserver* observer : observers) {
        if (std::find(observers_.begin(), observers_.end(), observer) != observers_.end()) {
            observer->OnParentMessage(message);
        }
    }
    if (message.type == Message::kCustom) {
        HandleCustomMessage(message);
        return;
    }
    if (HandleMessage(message) || alive.expired()) return;
    DefaultHandling(message);
}

void WindowBase::DefaultHandling(const WindowMessage& message) {
    switch (message.type) {
        case Message::kClose:
            Close(closeCode_);
            break;
        case Message::kSize:
            if (message.wParam != kSizeMinimized) {
                manager_.SetClientSize(UnpackSize(message.lParam));
                if (native_) native_->SetShape(GetShape());
            }
            break;
        case Message::kMouseMove:
            manager_.MouseMove(UnpackPoint(message.lParam));
            break;
        case Message::kMouseLeave:
            manager_.MouseLeave();
            break;
        case Message::kButtonDown: {
            const Point point = UnpackPoint(message.lParam);
            if (manager_.ButtonDown(point)) break;
            // Presses on the caption band that no control takes drag the window.
            const Rect& caption = manager_.GetCaptionRect();
            const Size client = manager_.GetClientSize();
            const Rect band{caption.left, caption.top, client.cx - caption.right, caption.bottom};
            if (native_ && band.Contains(point)) {
                const Rect rect = native_->GetWindowRect();
                native_->BeginMoveDrag({rect.left + point.x, rect.top + point.y});
            }
            break;
        }
        case Message::kButtonUp:
            manager_.ButtonUp(UnpackPoint(message.lParam));
            break;
        case Message::kKeyDown:
            manager_.KeyDown(static_cast<unsigned>(message.wParam));
            break;
        case Message::kChar:
            manager_.Char(static_cast<unsigned>(message.wParam));
            break;
        case Message::kDestroy:
            if (owner_ && owner_->GetNative()) owner_->GetNative()->SetSensitive(true);
            if (modalLoop_) g_main_loop_quit(modalLoop_);
            break;
        case Message::kNcDestroy:
            OnFinalMessage();
            break;
        default:
            break;
    }
}

void WindowBase::ShowWindow(bool show, bool activate) {
    if (!native_) return;
    if (show) {
        native_->Show(activate);
    } else {
        native_->Hide();
    }
}

int WindowBase::ShowModal() {
    if (!IsWindow()) return -1;
    NativeWindow* owner = owner_ ? owner_->GetNative() : nullptr;
    if (owner) owner->SetSensitive(false);
    native_->Show(true);
    GMainLoop* loop = g_main_loop_new(context_, FALSE);
    GMainLoop* outer = modalLoop_;
    modalLoop_ = loop;
    const std::weak_ptr<bool> alive = alive_;
    if (IsWindow()) g_main_loop_run(loop);
    g_main_loop_unref(loop);
    if (alive.expired()) return -1;
    modalLoop_ = outer;
    if (owner) owner->SetSensitive(true);
    return closeCode_;
}

void WindowBase::Close(int code) {
    closeCode_ = code;
    if (IsWindow()) native_->Destroy();
}

void WindowBase::CenterWindow() {
    if (!native_) return;
    const Rect rect = native_->GetWindowRect();
    const Rect work = native_->GetWorkArea();
    const Rect around = owner_ && owner_->GetNative() && owner_->GetNative()->IsVisible() &&
                                !owner_->GetNative()->IsMinimized()
                            ? owner_->GetNative()->GetWindowRect()
                            : work;
    int x = around.left + (around.Width() - rect.Width()) / 2;
    int y = around.top + (around.Height() - rect.Height()) / 2;
    // Keep the window on the work area.
    x = std::max(work.left, std::min(x, work.right - rect.Width()));
    y = std::max(work.top, std::min(y, work.bottom - rect.Height()));
    native_->Move({x, y});
}

void WindowBase::Minimize() {
    if (native_) native_->Minimize();
}

void WindowBase::Maximize() {
    if (native_) native_->Maximize();
}

void WindowBase::Restore() {
    if (native_) native_->Restore();
}

bool WindowBase::SetIcon(int resourceId) {
    const auto bytes = platform::FindResource("ICON", resourceId);
    if (!native_ || bytes.empty()) return false;
    cairo_surface_t* picture = ImageCache::DecodePng(bytes.data(), bytes.size());
    if (!picture) return false;
    native_->SetIcon(picture);
    cairo_surface_destroy(picture);
    return true;
}

void WindowBase::PostCustomMessage(unsigned id, uintptr_t wParam, intptr_t lParam) {
    // Always through the loop, even from the window thread itself.
    auto* posted = new PostedMessage{alive_, this, {Message::kCustom, wParam, lParam, id}};
    GSource* source = g_idle_source_new();
    g_source_set_priority(source, G_PRIORITY_DEFAULT);
    g_source_set_callback(source, &WindowBase::OnPosted, posted,
                          [](gpointer data) { delete static_cast<PostedMessage*>(data); });
    g_source_attach(source, context_);
    g_source_unref(source);
}

gboolean WindowBase::OnPosted(gpointer data) {
    auto* posted = static_cast<PostedMessage*>(data);
    if (!posted->alive.expired()) posted->window->DispatchMessage(posted->message);
    return G_SOURCE_REMOVE;
}

void WindowBase::AddMessageObserver(MessageObserver* observer) {
    observers_.push_back(observer);
}

void WindowBase::RemoveMessageObserver(MessageObserver* observer) {
    std::erase(observers_, observer);
}

}  // namespace skinui
