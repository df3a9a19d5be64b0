#pragma once

#include <string>

#include "skinui/button.h"
#include "skinui/label.h"
#include "skinui/paint_manager.h"
#include "ui/sequence_animation.h"

// What a label and a button with an animated background share: the
// animation's attributes, its timer, and starting it when the control is
// initialised.
template <typename Base>
class SequenceControl : public Base {
public:
    SequenceControl(int defaultSpanMs, bool defaultBackAndForth)
        : animation_(defaultSpanMs, defaultBackAndForth) {}
    ~SequenceControl() override {
        if (auto* manager = this->GetManager()) manager->KillTimer(this, SequenceAnimation::kTimerId);
    }

    void SetAttribute(std::string_view name, std::string_view value) override {
        if (!animation_.SetAttribute(name, value)) Base::SetAttribute(name, value);
    }
    void DoInit() override {
        Base::DoInit();
        if (animation_.AutoStart()) animation_.Arm(*this);
    }
    void DoEvent(skinui::ControlEvent& event) override {
        Base::DoEvent(event);
        if (event.type == skinui::EventType::kTimer && event.wParam == SequenceAnimation::kTimerId) {
            animation_.Step(*this);
        }
    }

    void SetSequenceBkImage(std::string pattern) { animation_.SetPattern(std::move(pattern)); }
    const std::string& GetSequenceBkImage() const { return animation_.GetPattern(); }
    void SetSequenceCount(uint32_t count) { animation_.SetCount(count); }
    uint32_t GetSequenceCount() const { return animation_.GetCount(); }
    void SetSequenceSpan(int spanMs) { animation_.SetSpan(spanMs); }
    int GetSequenceSpan() const { return animation_.GetSpan(); }

protected:
    SequenceAnimation animation_;
};

// `SequenceLabel`: a label whose background plays a numbered series of skin
// images (the installing page's animation).
class CSequenceLabelUI : public SequenceControl<skinui::Label> {
public:
    static constexpr const char* kClassName = "SequenceLabel";

    CSequenceLabelUI() : SequenceControl(30, false) {}
    std::string_view GetClass() const override { return kClassName; }

    // Plays from frame 0; the direction stays as it is.
    void Start() { animation_.Start(*this); }
};

// `SequenceButton`: a button whose background plays a numbered series of
// skin images, by default forwards and back.
class CSequenceButtonUI : public SequenceControl<skinui::Button> {
public:
    static constexpr const char* kClassName = "SequenceButton";

    CSequenceButtonUI() : SequenceControl(60, true) {}
    std::string_view GetClass() const override { return kClassName; }
};
