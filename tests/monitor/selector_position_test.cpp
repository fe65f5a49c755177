#include "monitor/selector_position.h"

#include <gtest/gtest.h>

#include "support/fake_settings_store.h"

namespace {

// Below -1, or in an empty selector, no position can be taken: the program must still start,
// with nothing selected.
TEST(SelectorPositionFromSetting, PicksThePositionTheStoredTextNames) {
    EXPECT_EQ(selectorPositionFromSetting("3", 3), 0);
    EXPECT_EQ(selectorPositionFromSetting("-1", 3), kNoSelection);
    EXPECT_EQ(selectorPositionFromSetting("abc", 3), 0);
    EXPECT_EQ(selectorPositionFromSetting("1.5", 3), 2);
    EXPECT_EQ(selectorPositionFromSetting("2xyz", 3), 2);
    EXPECT_EQ(selectorPositionFromSetting("2.5", 4), 2);
    EXPECT_EQ(selectorPositionFromSetting("-2", 3), kNoSelection);
    EXPECT_EQ(selectorPositionFromSetting("-1e300", 3), kNoSelection);
    EXPECT_EQ(selectorPositionFromSetting("0", 0), kNoSelection);
}

// That a stored Connection is read is pinned through the window, in form1_monitor_test.cpp.
TEST(PreferredSelectorPosition, TakesTheFirstPositionWhereNothingIsStored) {
    EXPECT_EQ(preferredSelectorPosition(FakeSettingsStore{}, 3), 0);
}

}  // namespace
