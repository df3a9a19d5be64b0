#pragma once

#include <string>

#include "skinui/button.h"
#include "skinui/label.h"
#include "ui/sequence_animation.h"

// `SequenceLabel`: a label whose background plays a numbered series of skin
// images (the installing page's animation).
class CSequenceLabelUI : public skinui::Label {
public:
    static constexpr const char* kClassName = "SequenceLabel";

    CSequenceLabelUI() : animation_(30, false) {}
    ~CSequenceLabelUI() override;

    std::string_view GetClass() const override { return kClassName; }
    void SetAttribute(std::string_view name, std::string_view value) override;
    void DoInit() override;
    void DoEvent(skinui::ControlEvent& event) override;

    // Plays from frame 0; the direction stays as it is.
    void Start() { animation_.Start(*this); }
    void SetSequenceBkImage(std::string pattern) { animation_.SetPattern(std::move(pattern)); }
    const std::string& GetSequenceBkImage() const { return animation_.GetPattern(); }
    void SetSequenceCount(uint32_t count) { animation_.SetCount(count); }
    uint32_t GetSequenceCount() const { return animation_.GetCount(); }
    void SetSequenceSpan(int spanMs) { animation_.SetSpan(spanMs); }
    int GetSequenceSpan() const { return animation_.GetSpan(); }

private:
    SequenceAnimation animation_;
};

// `SequenceButton`: a button whose background plays a numbered series of
// skin images, by default forwards and back.
class CSequenceButtonUI : public skinui::Button {
public:
    static constexpr const char* kClassName = "SequenceButton";

    CSequenceButtonUI() : animation_(60, true) {}
    ~CSequenceButtonUI() override;

    std::string_view GetClass() const override { return kClassName; }
    void SetAttribute(std::string_view name, std::string_view value) override;
    void DoInit() override;
    void DoEvent(skinui::ControlEvent& event) override;

    void SetSequenceBkImage(std::string pattern) { animation_.SetPattern(std::move(pattern)); }
    const std::string& GetSequenceBkImage() const { return animation_.GetPattern(); }
    void SetSequenceCount(uint32_t count) { animation_.SetCount(count); }
    uint32_t GetSequenceCount() const { return animation_.GetCount(); }
    void SetSequenceSpan(int spanMs) { animation_.SetSpan(spanMs); }
    int GetSequenceSpan() const { return animation_.GetSpan(); }

private:
    SequenceAnimation animation_;
};
