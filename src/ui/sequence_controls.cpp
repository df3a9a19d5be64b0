#include "ui/sequence_controls.h"

#include "skinui/paint_manager.h"

namespace {

void KillSequenceTimer(skinui::Control& control) {
    if (auto* manager = control.GetManager()) {
        manager->KillTimer(&control, SequenceAnimation::kTimerId);
    }
}

}  // namespace

CSequenceLabelUI::~CSequenceLabelUI() {
    KillSequenceTimer(*this);
}

void CSequenceLabelUI::SetAttribute(std::string_view name, std::string_view value) {
    if (!animation_.SetAttribute(name, value)) Label::SetAttribute(name, value);
}

void CSequenceLabelUI::DoInit() {
    Label::DoInit();
    if (animation_.AutoStart()) animation_.Arm(*this);
}

void CSequenceLabelUI::DoEvent(skinui::ControlEvent& event) {
    Label::DoEvent(event);
    if (event.type == skinui::EventType::kTimer && event.wParam == SequenceAnimation::kTimerId) {
        animation_.Step(*this);
    }
}

CSequenceButtonUI::~CSequenceButtonUI() {
    KillSequenceTimer(*this);
}

void CSequenceButtonUI::SetAttribute(std::string_view name, std::string_view value) {
    if (!animation_.SetAttribute(name, value)) Button::SetAttribute(name, value);
}

void CSequenceButtonUI::DoInit() {
    Button::DoInit();
    if (animation_.AutoStart()) animation_.Arm(*this);
}

void CSequenceButtonUI::DoEvent(skinui::ControlEvent& event) {
    Button::DoEvent(event);
    if (event.type == skinui::EventType::kTimer && event.wParam == SequenceAnimation::kTimerId) {
        animation_.Step(*this);
    }
}
