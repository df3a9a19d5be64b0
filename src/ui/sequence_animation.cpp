#include "ui/sequence_animation.h"

#include <charconv>

#include "skinui/control.h"
#include "skinui/paint_manager.h"

namespace {

constexpr size_t kMaxImageName = 259;

bool EqualsNoCase(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (size_t i = 0; i < a.size(); ++i) {
        const auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? char(c - 'A' + 'a') : c; };
        if (lower(a[i]) != lower(b[i])) return false;
    }
    return true;
}

// Leading decimal digits, as the C library's atoi reads them; 0 when none.
long long DecimalValue(std::string_view text) {
    while (!text.empty() && (text.front() == ' ' || text.front() == '\t')) text.remove_prefix(1);
    long long value = 0;
    const bool negative = !text.empty() && text.front() == '-';
    if (!text.empty() && (text.front() == '-' || text.front() == '+')) text.remove_prefix(1);
    std::from_chars(text.data(), text.data() + text.size(), value);
    return negative ? -value : value;
}

}  // namespace

bool SequenceAnimation::SetAttribute(std::string_view name, std::string_view value) {
    if (name == "sequencebkimage") {
        pattern_ = std::string(value);
    } else if (EqualsNoCase(name, "sequencecount")) {
        count_ = static_cast<uint32_t>(DecimalValue(value));
    } else if (EqualsNoCase(name, "sequencespan")) {
        span_ = static_cast<int>(DecimalValue(value));
    } else if (EqualsNoCase(name, "sequenceloop")) {
        loop_ = value != "false";
    } else if (EqualsNoCase(name, "autostart")) {
        autostart_ = value != "false";
    } else if (EqualsNoCase(name, "sequenceround")) {
        round_ = value != "false";
    } else {
        return false;
    }
    return true;
}

std::string SequenceAnimation::FrameImage(uint32_t frame) const {
    std::string image;
    const size_t mark = pattern_.find("%d");
    if (mark == std::string::npos) {
        image = pattern_;
    } else {
        image = pattern_.substr(0, mark) + std::to_string(frame) + pattern_.substr(mark + 2);
    }
    if (image.size() > kMaxImageName) image.resize(kMaxImageName);
    return image;
}

void SequenceAnimation::Arm(skinui::Control& control) const {
    if (auto* manager = control.GetManager()) {
        manager->SetTimer(&control, kTimerId, static_cast<unsigned>(span_ > 0 ? span_ : 1));
    }
}

void SequenceAnimation::Start(skinui::Control& control) {
    index_ = 0;
    Arm(control);
}

void SequenceAnimation::Step(skinui::Control& control) {
    if (pattern_.empty()) return;
    const auto stop = [&control] {
        if (auto* manager = control.GetManager()) manager->KillTimer(&control, kTimerId);
    };
    // Counts too small for the chosen play never leave frames 0 to count - 1:
    // an empty sequence shows nothing, and a round trip over one frame stays on it.
    if (count_ == 0) {
        stop();
        return;
    }
    if (forward_ && index_ > count_ - 1) {
        if (round_ && count_ >= 2) {
            forward_ = false;
            index_ = count_ - 2;
        } else {
            index_ = 0;
            if (!loop_) {
                stop();
                return;
            }
        }
    }
    if (!forward_ && index_ == 0) {
        if (round_) forward_ = true;
        index_ = 0;
        if (!loop_) {
            stop();
            return;
        }
    }
    const uint32_t frame = index_;
    if (forward_) {
        ++index_;
    } else {
        --index_;
    }
    control.SetBkImage(FrameImage(frame));
}
