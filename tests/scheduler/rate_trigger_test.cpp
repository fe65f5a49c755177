#include "scheduler/rate_trigger.h"

#include <gmock/gmock.h>

#include "scheduler/messages.h"
#include "support/recording_launcher.h"

namespace {

using ::testing::ElementsAre;

// The middle panel's buttons in the order of their names: Option5 休眠 .. Option8 关机.
constexpr PanelOptions kShutdown{false, false, false, true};
constexpr PanelOptions kRestart{false, false, true, false};
constexpr PanelOptions kSleep{false, true, false, false};

constexpr double kKilobyte = 1024;
constexpr double kUnread = -1;

class RateTriggerTest : public ::testing::Test {
  protected:
    // One Timer3 tick at each download rate in KB/s, kUnread for a second in which the
    // monitor measured nothing and left the tops as they were; returns the numbers (from 1)
    // of the ticks that started a command line.
    std::vector<int> startsAt(const std::vector<double>& rates) {
        std::vector<int> starts;
        for (std::size_t tick = 0; tick < rates.size(); ++tick) {
            const std::size_t before = launcher.attempts().size();
            if (rates[tick] != kUnread) {
                tops.sinceRateTick = {rates[tick] * kKilobyte, 0, true};
            }
            trigger.Timer3_Timer();
            if (launcher.attempts().size() != before) {
                starts.push_back(static_cast<int>(tick) + 1);
            }
        }
        return starts;
    }

    std::size_t lowStarts(std::size_t n) { return startsAt(std::vector<double>(n, 10)).size(); }

    RecordingLauncher launcher;
    RateTops tops;
    RateTrigger trigger{launcher, tops};
};

// Armed for 3 ticks below 50 KB/s; each row arms afresh, so its count starts from zero.
// Mended: a second without a reading is no low second.
TEST_F(RateTriggerTest, StartsAtTheThirdConsecutiveTickBelowTheThreshold) {
    const std::pair<std::vector<double>, std::vector<int>> rows[] = {
        {{10, 10, 50, 10, 10, 10}, {6}},  // equal to the threshold is not low: starts afresh
        {{10, kUnread, 10, kUnread, kUnread, 10}, {6}},  // unread: no count, no restart
    };
    for (const auto& [rates, starts] : rows) {
        ASSERT_EQ(trigger.Command4_Click(kShutdown, "3", "50"), kArmedMessage);
        EXPECT_EQ(startsAt(rates), starts);
    }
}

TEST_F(RateTriggerTest, NoOptionReArmsThePreviousKindAndIsRefusedBeforeThereIsOne) {
    EXPECT_EQ(trigger.Command4_Click(PanelOptions{}, "3", "50"), kChooseActionMessage);
    trigger.Command4_Click(kSleep, "300", "50");
    EXPECT_EQ(trigger.Command4_Click(PanelOptions{}, "2", "20"), kArmedMessage);
    EXPECT_THAT(startsAt({30, 10, 10}), ElementsAre(3));
    EXPECT_THAT(launcher.attempts(), ElementsAre(commandLineOf(3)));
}

// Mended: a duration that is not a whole number from 1 to 32767 or a threshold not above 0
// is refused and leaves what was armed. Armed for shutdown after 3 low ticks below 50 and two
// low ticks later, a click chooses restart with these fields.
TEST_F(RateTriggerTest, ARefusedFieldKeepsEverythingArmedBefore) {
    const std::tuple<const char*, const char*, bool> rows[] = {
        {"0", "50", false},  {"32768", "50", false}, {"1.5", "50", false},   {"", "50", false},
        {"３", "50", false}, {"1e3", "50", false},   {"3 0", "50", false},   {"3", "0", false},
        {"3", "-5", false},  {"3", "abc", false},    {"3.0", "10.01", true}, {" 3 ", "\t50 ", true},
    };
    for (const auto& [duration, threshold, accepted] : rows) {
        SCOPED_TRACE(::testing::Message() << '"' << duration << "\" \"" << threshold << '"');
        ASSERT_EQ(trigger.Command4_Click(kShutdown, "3", "50"), kArmedMessage);
        EXPECT_EQ(lowStarts(2), 0u);
        EXPECT_EQ(trigger.Command4_Click(kRestart, duration, threshold),
                  accepted ? kArmedMessage : kNotAValidNumberMessage);
        const int lowTicksLeft = accepted ? 3 : 1;
        ASSERT_THAT(startsAt(std::vector<double>(lowTicksLeft, 10)), ElementsAre(lowTicksLeft));
        EXPECT_EQ(launcher.attempts().back(), commandLineOf(accepted ? 2 : 1));
    }
}

// Mended: the count stops at its maximum instead of overflowing after about nine hours, so
// it reaches the longest duration once and only a high tick starts it again.
TEST_F(RateTriggerTest, TheLongestDurationStartsOnceAndTheCountStopsAtItsMaximum) {
    ASSERT_EQ(trigger.Command4_Click(kShutdown, "32767", "50"), kArmedMessage);
    EXPECT_EQ(lowStarts(32766), 0u);
    EXPECT_EQ(lowStarts(70000), 1u);
    startsAt({60});
    EXPECT_EQ(lowStarts(32767), 1u);
}

// Each top in KB rounded to hundredths, halves to the even neighbour, before the two are
// added: 1000 and 24 bytes are 0.98 + 0.02.
TEST_F(RateTriggerTest, ShowsTheRateOfTheTwoTops) {
    const std::tuple<double, double, const char*> rows[] = {
        {1000, 24, "1"}, {128, 0, "0.12"}, {5, 5, "0"}, {1024.0 * 1024 * 1024, 0, "1048576"}};
    for (const auto& [download, upload, shown] : rows) {
        tops.sinceRateTick = {download, upload};
        EXPECT_EQ(trigger.Command3_Click(), shown);
    }
}

}  // namespace
