#include "platform/selector_position.h"

#include <gtest/gtest.h>

#include <climits>
#include <string_view>

#include "support/fake_settings_store.h"

namespace {

TEST(SelectorPositionFromSetting, PicksThePositionTheStoredTextNames) {
    const struct {
        std::string_view stored;
        int itemCount;
        int expected;
    } cases[] = {
        {"0", 3, 0},
        {"2", 3, 2},
        {"3", 3, 0},
        {"-1", 3, kNoSelection},
        {"abc", 3, 0},
        {"", 3, 0},
        {"1.5", 3, 2},
        {"2xyz", 3, 2},
        {" 2", 3, 2},
        {"2,5", 3, 2},
        {"2.5", 3, 0},
        {"2.5", 4, 2},
        {"0.5", 3, 0},
        {"1.4", 3, 1},
        {"1.6", 3, 2},
        {"-0", 3, 0},
        {"-0.5", 3, 0},
        {"-0.6", 3, kNoSelection},
        {"1e1", 20, 10},
        {"0", 1, 0},
        {"0.5", 1, 0},
        {"2147483646", INT_MAX, 2'147'483'646},
        {"2147483647", INT_MAX, 0},
        {"1e300", 3, 0},
    };
    for (const auto& row : cases) {
        EXPECT_EQ(selectorPositionFromSetting(row.stored, row.itemCount), row.expected)
            << '"' << row.stored << "\" with " << row.itemCount << " items";
    }
}

// A selector refuses positions below -1; the program must still start, with nothing selected.
TEST(SelectorPositionFromSetting, PositionsNoSelectorTakesGiveNoSelection) {
    for (const std::string_view stored : {"-2", "-1.5", "-1.2", "-3", "-1e300", "-2147483649"}) {
        EXPECT_EQ(selectorPositionFromSetting(stored, 3), kNoSelection) << '"' << stored << '"';
    }
}

TEST(SelectorPositionFromSetting, AnEmptySelectorHasNoSelection) {
    for (const std::string_view stored : {"0", "-1", "5", "abc", "-2"}) {
        EXPECT_EQ(selectorPositionFromSetting(stored, 0), kNoSelection) << '"' << stored << '"';
    }
    EXPECT_EQ(selectorPositionFromSetting("0", -1), kNoSelection);
}

TEST(PreferredSelectorPosition, WithoutAStoredSettingSelectsTheFirst) {
    const FakeSettingsStore settings;
    EXPECT_EQ(preferredSelectorPosition(settings, 3), 0);
    EXPECT_EQ(settings.reads(), 1);
}

TEST(PreferredSelectorPosition, ReadsConnectionOfSettingOfTheApplication) {
    FakeSettingsStore settings;
    settings.store("蓝禾自动关机", "Setting", "Connection", "2");
    settings.store("蓝禾自动关机", "Setting", "Other", "1");
    settings.store("other", "Setting", "Connection", "1");
    EXPECT_EQ(preferredSelectorPosition(settings, 3), 2);
}

TEST(PreferredSelectorPosition, AStoredPositionBelowMinusOneSelectsNothing) {
    FakeSettingsStore settings;
    settings.store("蓝禾自动关机", "Setting", "Connection", "-7");
    EXPECT_EQ(preferredSelectorPosition(settings, 3), kNoSelection);
}

}  // namespace
