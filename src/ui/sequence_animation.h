#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace skinui {
class Control;
}

// The frame stepper behind the animated label and button: a numbered series
// of skin images named by a pattern with one "%d", played forwards or
// forwards and back, once or endlessly, one frame per tick of a control timer.
class SequenceAnimation {
public:
    static constexpr unsigned kTimerId = 2100;

    SequenceAnimation(int spanMs, bool round) : round_(round), span_(spanMs) {}

    // Takes the animation's layout attributes; false for any other name.
    bool SetAttribute(std::string_view name, std::string_view value);

    // Moves to the next frame and sets it as the control's background image.
    // Does nothing without a pattern; kills the control's timer when a
    // sequence that does not loop has ended.
    void Step(skinui::Control& control);
    // Rewinds to frame 0 and arms the control's timer with the span.
    void Start(skinui::Control& control);
    void Arm(skinui::Control& control) const;

    const std::string& GetPattern() const { return pattern_; }
    void SetPattern(std::string pattern) { pattern_ = std::move(pattern); }
    uint32_t GetCount() const { return count_; }
    void SetCount(uint32_t count) { count_ = count; }
    int GetSpan() const { return span_; }
    void SetSpan(int spanMs) { span_ = spanMs; }
    bool AutoStart() const { return autostart_; }
    uint32_t GetIndex() const { return index_; }

    // The image name of one frame.
    std::string FrameImage(uint32_t frame) const;

private:
    std::string pattern_;
    bool autostart_ = false;
    bool loop_ = true;
    bool forward_ = true;
    bool round_;
    uint32_t index_ = 0;
    uint32_t count_ = 0;
    int span_;
};
