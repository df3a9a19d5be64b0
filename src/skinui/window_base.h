#pragma once

#include <glib.h>

#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "skinui/host.h"
#include "skinui/notification.h"
#include "skinui/paint_manager.h"
#include "skinui/window_message.h"

namespace skinui {

// Where a window's layout comes from.
enum class ResourceKind {
    kFile = 1,         // the skin file below the resource folder and skin folder
    kZipResource = 4,  // the skin package in the program resource ("ZIPRES", id)
};

// Sees every message of a window before the window handles it (the drop shadow
// follows its parent this way).
class MessageObserver {
  public:
    virtual ~MessageObserver() = default;
    virtual void OnParentMessage(const WindowMessage& message) = 0;
};

// The base of every skinned window. Subclasses answer which layout to build
// and react through the hooks; the base builds the controls, routes input and
// notifications, drags the window by its caption band, shapes its corners,
// centres it and runs it modally.
class WindowBase : public NotifyListener {
  public:
    WindowBase();
    ~WindowBase() override;
    WindowBase(const WindowBase&) = delete;
    WindowBase& operator=(const WindowBase&) = delete;

    // --- Hooks ---------------------------------------------------------------
    virtual std::string GetWindowClassName() const = 0;
    virtual std::string GetSkinFolder() const { return {}; }
    virtual std::string GetSkinFile() const = 0;
    virtual ResourceKind GetResourceType() const { return ResourceKind::kFile; }
    virtual int GetResourceID() const { return 0; }
    // Called once the controls exist.
    virtual void InitWindow() {}
    // The default turns "click" into OnClick and handles the title buttons.
    void Notify(Notification& notification) override;
    virtual void OnClick(Notification& notification);
    // Sees every message first; true when it was handled and goes nowhere else.
    virtual bool MessageFilter(const WindowMessage& message);
    // Window-procedure hook; true when handled (the default handling is skipped).
    virtual bool HandleMessage(const WindowMessage& message);
    virtual void HandleCustomMessage(const WindowMessage& message) { (void)message; }
    // Asked for element names the framework does not know.
    virtual std::unique_ptr<Control> CreateControl(std::string_view className);
    // After the last message; the object may delete itself here.
    virtual void OnFinalMessage() {}

    // --- Life ---------------------------------------------------------------
    // Creates the system window and its controls. A layout that cannot be read
    // shows "加载资源文件失败" and ends the process with exit code 1.
    bool Create(Host& host, WindowBase* owner = nullptr);
    void ShowWindow(bool show = true, bool activate = true);
    // Shows the window, disables the owner and runs a nested main loop until
    // the window closes; returns the close code.
    int ShowModal();
    // Closes with a code (handed back by ShowModal).
    void Close(int code = 1);
    void CenterWindow();
    void Minimize();
    void Maximize();
    void Restore();
    // Sets the window icon from the program's PNG resource ("ICON", id);
    // false when there is no such picture.
    bool SetIcon(int resourceId);
    // Posts a custom message to the window thread; safe from any thread.
    void PostCustomMessage(unsigned id, uintptr_t wParam = 0, intptr_t lParam = 0);

    // --- State --------------------------------------------------------------
    PaintManager& GetPaintManager() { return manager_; }
    NativeWindow* GetNative() const { return native_.get(); }
    Host* GetHost() const { return host_; }
    WindowBase* GetOwner() const { return owner_; }
    bool IsWindow() const { return native_ && !native_->IsDestroyed(); }
    int GetCloseCode() const { return closeCode_; }
    // The window's outline: its size and the layout's "roundcorner".
    WindowShape GetShape() const;
    void AddMessageObserver(MessageObserver* observer);
    void RemoveMessageObserver(MessageObserver* observer);

    // Called by hosts with everything that happens to the window.
    void DispatchMessage(const WindowMessage& message);

  private:
    void DefaultHandling(const WindowMessage& message);
    static gboolean OnPosted(gpointer data);

    PaintManager manager_;
    std::unique_ptr<NativeWindow> native_;
    Host* host_ = nullptr;
    WindowBase* owner_ = nullptr;
    std::vector<MessageObserver*> observers_;
    int closeCode_ = 0;
    GMainLoop* modalLoop_ = nullptr;
    GMainContext* context_;
    std::shared_ptr<bool> alive_;
};

}  // namespace skinui
