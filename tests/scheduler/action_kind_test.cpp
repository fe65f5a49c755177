#include "scheduler/action_kind.h"

#include <gtest/gtest.h>

#include <string>

namespace {

struct OptionCase {
    const char* option;
    const std::array<ActionKind, 4>* panel;
    std::size_t position;  // of the button among its panel's four, in the order of the names
    ActionKind kind;
};

void PrintTo(const OptionCase& row, std::ostream* out) {
    *out << row.option;
}

std::string caseName(const ::testing::TestParamInfo<OptionCase>& row) {
    return row.param.option;
}

PanelOptions onlyChosen(std::size_t position) {
    PanelOptions options{};
    options[position] = true;
    return options;
}

class OptionMappingTest : public ::testing::TestWithParam<OptionCase> {};

TEST_P(OptionMappingTest, TheChosenButtonSelectsItsKindWhateverWasArmedBefore) {
    const OptionCase& row = GetParam();
    for (const ActionKind armedBefore : {0, 1, 2, 3, 4}) {
        EXPECT_EQ(chosenKind(onlyChosen(row.position), *row.panel, armedBefore), row.kind)
            << "armed before: " << armedBefore;
    }
}

// On screen every panel reads 关机, 重启, 睡眠, 休眠 from left to right; the middle panel's
// buttons are named from right to left.
INSTANTIATE_TEST_SUITE_P(EveryOptionButton, OptionMappingTest,
                         ::testing::Values(OptionCase{"Option1", &kLeftPanelKinds, 0, 1},
                                           OptionCase{"Option2", &kLeftPanelKinds, 1, 2},
                                           OptionCase{"Option3", &kLeftPanelKinds, 2, 3},
                                           OptionCase{"Option4", &kLeftPanelKinds, 3, 4},
                                           OptionCase{"Option5", &kMiddlePanelKinds, 0, 4},
                                           OptionCase{"Option6", &kMiddlePanelKinds, 1, 3},
                                           OptionCase{"Option7", &kMiddlePanelKinds, 2, 2},
                                           OptionCase{"Option8", &kMiddlePanelKinds, 3, 1},
                                           OptionCase{"Option9", &kRightPanelKinds, 0, 1},
                                           OptionCase{"Option10", &kRightPanelKinds, 1, 2},
                                           OptionCase{"Option11", &kRightPanelKinds, 2, 3},
                                           OptionCase{"Option12", &kRightPanelKinds, 3, 4}),
                         caseName);

TEST(ChosenKindTest, WithNothingChosenTheKindArmedBeforeStays) {
    for (const auto* panel : {&kLeftPanelKinds, &kMiddlePanelKinds, &kRightPanelKinds}) {
        EXPECT_EQ(chosenKind(PanelOptions{}, *panel, 3), 3);
        EXPECT_EQ(chosenKind(PanelOptions{}, *panel, kNoAction), kNoAction);
    }
}

}  // namespace
