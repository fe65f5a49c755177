#include "scheduler/action_kind.h"

#include <gtest/gtest.h>

namespace {

// On screen every panel reads 关机, 重启, 睡眠, 休眠 from left to right; the middle panel's
// buttons are named from right to left.
TEST(ChosenKindTest, EachButtonSelectsTheKindShownBesideIt) {
    const std::pair<const std::array<ActionKind, 4>*, std::array<ActionKind, 4>> panels[] = {
        {&kLeftPanelKinds, {1, 2, 3, 4}},
        {&kMiddlePanelKinds, {4, 3, 2, 1}},
        {&kRightPanelKinds, {1, 2, 3, 4}}};
    for (const auto& [panel, kinds] : panels) {
        for (std::size_t button = 0; button < kinds.size(); ++button) {
            PanelOptions options{};
            options[button] = true;
            EXPECT_EQ(chosenKind(options, *panel, 3), kinds[button]) << "button " << button;
        }
    }
}

}  // namespace
