// The animated label and button, stepped by their timer events.

#include <gtest/gtest.h>

#include "skinui/layout_builder.h"
#include "skinui/paint_manager.h"
#include "ui/main_wnd.h"
#include "ui/sequence_controls.h"

namespace {

using skinui::Control;

// Builds one control from a layout snippet through the main window's factory.
class SequenceControlsTest : public ::testing::Test {
protected:
    Control* Build(const std::string& element) {
        manager_ = std::make_unique<skinui::PaintManager>();
        auto root = skinui::BuildLayout(
            "<Window><VerticalLayout>" + element + "</VerticalLayout></Window>", *manager_,
            [this](std::string_view name) { return factory_.CreateControl(name); });
        EXPECT_NE(root, nullptr);
        manager_->AttachRoot(std::move(root));
        return manager_->FindControl("anim");
    }
    bool Running(Control* control) const {
        return manager_->HasTimer(control, SequenceAnimation::kTimerId);
    }
    // The frame numbers shown over a number of ticks.
    std::vector<int> Tick(Control* control, int ticks) {
        std::vector<int> frames;
        for (int i = 0; i < ticks; ++i) {
            skinui::ControlEvent tick{skinui::EventType::kTimer, {}, SequenceAnimation::kTimerId};
            control->DoEvent(tick);
            const std::string& image = control->GetBkImage();
            const size_t slash = image.rfind('\\');
            frames.push_back(image.empty() ? -1 : std::stoi(image.substr(slash + 1)));
        }
        return frames;
    }

    std::unique_ptr<skinui::PaintManager> manager_;
    CMainWnd factory_;
};

TEST_F(SequenceControlsTest, PlaysTheFramesInTheOrderItsAttributesAsk) {
    const struct {
        const char* attributes;
        int ticks;
        std::vector<int> frames;
        bool stillRunning;
    } cases[] = {
        {R"(sequencecount="3")", 7, {0, 1, 2, 0, 1, 2, 0}, true},
        // A sequence that does not loop stops on its last frame shown.
        {R"(sequencecount="3" sequenceloop="false")", 4, {0, 1, 2, 2}, false},
        {R"(sequencecount="3" sequenceround="true")", 7, {0, 1, 2, 1, 0, 1, 2}, true},
        {R"(sequencecount="3" sequenceround="true" sequenceloop="false")",
         5,
         {0, 1, 2, 1, 1},
         false},
        {R"(sequencecount="2" sequenceround="true")", 5, {0, 1, 0, 1, 0}, true},
        // Only the exact lower-case "false" switches off.
        {R"(sequencecount="2" SEQUENCELOOP="False")", 4, {0, 1, 0, 1}, true},
        // An empty sequence shows nothing, and one frame played round stays on it.
        {R"(sequencecount="0")", 2, {-1, -1}, false},
        {R"(sequencecount="1" sequenceround="true")", 3, {0, 0, 0}, true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.attributes);
        Control* label = Build(std::string(R"(<SequenceLabel name="anim" autostart="true" )") +
                               R"(sequencebkimage="res\anim\%d.png" )" + c.attributes + "/>");
        ASSERT_NE(label, nullptr);
        EXPECT_EQ(label->GetClass(), "SequenceLabel");
        EXPECT_TRUE(Running(label));
        EXPECT_EQ(Tick(label, c.ticks), c.frames);
        EXPECT_EQ(Running(label), c.stillRunning);
    }
}

TEST_F(SequenceControlsTest, ButtonPlaysRoundByDefaultAndOddNamesGoToTheBase) {
    Control* button = Build(R"(<sequencebutton name="anim" sequencebkimage="f\%d.png" )"
                            R"(sequencecount="3" SequenceBkImage="other" bkimage="still.png"/>)");
    ASSERT_NE(button, nullptr);
    auto* sequence = dynamic_cast<CSequenceButtonUI*>(button);
    ASSERT_NE(sequence, nullptr);
    EXPECT_EQ(sequence->GetSequenceBkImage(), "f\\%d.png");
    EXPECT_EQ(sequence->GetSequenceSpan(), 60);
    EXPECT_EQ(button->GetBkImage(), "still.png");
    // Without autostart nothing runs until started; the frames then turn at the end.
    EXPECT_FALSE(Running(button));
    EXPECT_EQ(Tick(button, 5), (std::vector<int>{0, 1, 2, 1, 0}));
}

TEST_F(SequenceControlsTest, StartRewindsAndAnEmptyPatternChangesNothing) {
    auto* label = dynamic_cast<CSequenceLabelUI*>(
        Build(R"(<SequenceLabel name="anim" sequencebkimage="a\%d.png" sequencecount="63" )"
              R"(sequencespan="63" bkimage="keep.png"/>)"));
    ASSERT_NE(label, nullptr);
    EXPECT_EQ(label->GetSequenceSpan(), 63);
    Tick(label, 62);
    EXPECT_EQ(Tick(label, 2), (std::vector<int>{62, 0}));
    label->Start();
    EXPECT_TRUE(Running(label));
    EXPECT_EQ(Tick(label, 1), std::vector<int>{0});
    label->SetSequenceBkImage("");
    label->SetBkImage("keep.png");
    skinui::ControlEvent tick{skinui::EventType::kTimer, {}, SequenceAnimation::kTimerId};
    label->DoEvent(tick);
    EXPECT_EQ(label->GetBkImage(), "keep.png");
}

}  // namespace
