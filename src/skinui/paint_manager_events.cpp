// Notifications, timers and input routing of PaintManager.

#include <algorithm>

#include "platform/clock.h"
#include "skinui/paint_manager.h"

namespace skinui {

struct PaintManager::Timer {
    PaintManager* manager;
    Control* control;
    unsigned id;
};

// --- Notifications -----------------------------------------------------------

void PaintManager::AddNotifier(NotifyListener* listener) {
    if (std::find(listeners_.begin(), listeners_.end(), listener) == listeners_.end()) {
        listeners_.push_back(listener);
    }
}

void PaintManager::RemoveNotifier(NotifyListener* listener) {
    std::erase(listeners_, listener);
}

void PaintManager::SendNotify(Control* sender, std::string_view type, uintptr_t wParam,
                              intptr_t lParam, bool async) {
    Notification notification;
    notification.type = std::string(type);
    notification.sender = sender;
    notification.wParam = wParam;
    notification.lParam = lParam;
    SendNotify(std::move(notification), async);
}

void PaintManager::SendNotify(Notification notification, bool async) {
    notification.timestamp = platform::TickCountMs();
    if (!async) {
        notification.point = mouse_;
        Deliver(notification);
        return;
    }
    // The mouse point is taken on the window thread, when it is delivered.
    std::lock_guard lock(queueMutex_);
    queue_.push_back(std::move(notification));
    if (!queueSource_) {
        queueSource_ = g_idle_source_new();
        g_source_set_callback(queueSource_, &PaintManager::OnQueued, this, nullptr);
        g_source_attach(queueSource_, context_);
    }
}

gboolean PaintManager::OnQueued(gpointer data) {
    static_cast<PaintManager*>(data)->DeliverQueued();
    return G_SOURCE_REMOVE;
}

void PaintManager::DeliverQueued() {
    // Deliver what was waiting when this round started, one at a time, so that
    // a control destroyed by a listener drops its own waiting notifications.
    size_t count = 0;
    {
        std::lock_guard lock(queueMutex_);
        count = queue_.size();
        if (queueSource_) {
            g_source_unref(queueSource_);
            queueSource_ = nullptr;
        }
    }
    for (size_t i = 0; i < count; ++i) {
        Notification next;
        {
            std::lock_guard lock(queueMutex_);
            if (queue_.empty()) return;
            next = std::move(queue_.front());
            queue_.erase(queue_.begin());
        }
        next.point = mouse_;
        Deliver(next);
    }
}

void PaintManager::Deliver(Notification& notification) {
    // A copy: listeners may add or remove listeners while being told.
    const std::vector<NotifyListener*> listeners = listeners_;
    for (NotifyListener* listener : listeners) {
        if (std::find(listeners_.begin(), listeners_.end(), listener) != listeners_.end()) {
            listener->Notify(notification);
        }
    }
}

// --- Timers ------------------------------------------------------------------

bool PaintManager::SetTimer(Control* control, unsigned id, unsigned periodMs) {
    if (!control) return false;
    KillTimer(control, id);
    GSource* source = g_timeout_source_new(periodMs);
    auto* timer = new Timer{this, control, id};
    g_source_set_callback(source, &PaintManager::OnTimer, timer,
                          [](gpointer data) { delete static_cast<Timer*>(data); });
    g_source_attach(source, context_);
    timers_[{control, id}] = source;
    return true;
}

bool PaintManager::KillTimer(Control* control, unsigned id) {
    const auto it = timers_.find({control, id});
    if (it == timers_.end()) return false;
    GSource* source = it->second;
    timers_.erase(it);
    g_source_destroy(source);
    g_source_unref(source);
    return true;
}

void PaintManager::KillTimers(Control* control) {
    for (auto it = timers_.begin(); it != timers_.end();) {
        if (it->first.first == control) {
            g_source_destroy(it->second);
            g_source_unref(it->second);
            it = timers_.erase(it);
        } else {
            ++it;
        }
    }
}

bool PaintManager::HasTimer(Control* control, unsigned id) const {
    return timers_.count({control, id}) != 0;
}

gboolean PaintManager::OnTimer(gpointer data) {
    const Timer timer = *static_cast<Timer*>(data);
    ControlEvent event{EventType::kTimer, timer.manager->mouse_, timer.id, platform::TickCountMs()};
    timer.control->DoEvent(event);
    return G_SOURCE_CONTINUE;
}

// --- Input -------------------------------------------------------------------

void PaintManager::MouseMove(Point point) {
    mouse_ = point;
    LayoutIfNeeded();
    Control* over = FindControlAt(point);
    if (captured_) {
        ControlEvent move{EventType::kMouseMove, point, 0, platform::TickCountMs()};
        captured_->DoEvent(move);
    }
    if (over == hot_) return;
    if (hot_) {
        ControlEvent leave{EventType::kMouseLeave, point, 0, platform::TickCountMs()};
        hot_->DoEvent(leave);
    }
    hot_ = over;
    if (hot_) {
        ControlEvent enter{EventType::kMouseEnter, point, 0, platform::TickCountMs()};
        hot_->DoEvent(enter);
    }
}

void PaintManager::MouseLeave() {
    if (hot_) {
        ControlEvent leave{EventType::kMouseLeave, mouse_, 0, platform::TickCountMs()};
        Control* was = hot_;
        hot_ = nullptr;
        was->DoEvent(leave);
    }
}

Control* PaintManager::ButtonDown(Point point) {
    MouseMove(point);
    Control* target = FindControlAt(point);
    while (target && !target->WantsMouse()) target = target->GetParent();
    if (!target || !target->IsEnabled()) return nullptr;
    SetFocus(target);
    captured_ = target;
    ControlEvent down{EventType::kButtonDown, point, 0, platform::TickCountMs()};
    target->DoEvent(down);
    return target;
}

void PaintManager::ButtonUp(Point point) {
    mouse_ = point;
    Control* target = captured_;
    captured_ = nullptr;
    if (!target) return;
    ControlEvent up{EventType::kButtonUp, point, 0, platform::TickCountMs()};
    target->DoEvent(up);
}

void PaintManager::KeyDown(unsigned key) {
    if (!focus_) return;
    ControlEvent event{EventType::kKeyDown, mouse_, key, platform::TickCountMs()};
    focus_->DoEvent(event);
}

void PaintManager::Char(unsigned character) {
    if (!focus_) return;
    ControlEvent event{EventType::kChar, mouse_, character, platform::TickCountMs()};
    focus_->DoEvent(event);
}

void PaintManager::SetFocus(Control* control) {
    if (focus_ == control) return;
    if (focus_) focus_->SetFocused(false);
    focus_ = control;
    if (focus_) focus_->SetFocused(true);
}

}  // namespace skinui
