#include "scheduler/rate_trigger.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "scheduler/messages.h"
#include "scheduler/power_action.h"
#include "support/recording_launcher.h"

namespace {

using ::testing::ElementsAre;
using ::testing::IsEmpty;

// The middle panel's buttons in the order of their names: Option5 休眠 .. Option8 关机.
constexpr PanelOptions kNoOption{};
constexpr PanelOptions kShutdown{false, false, false, true};
constexpr PanelOptions kRestart{false, false, true, false};
constexpr PanelOptions kSleep{false, true, false, false};

constexpr double kKilobyte = 1024;
constexpr int kLongestDuration = 32767;

std::string commandLineOf(ActionKind kind) {
    return std::string(powerCommandLine(kind).value());
}

class RateTriggerTest : public ::testing::Test {
  protected:
    // One Timer3 tick at a download rate of the given KB per second.
    std::optional<std::string> tickAt(double kilobytes) {
        tops = {kilobytes * kKilobyte, 0};
        ++ticks;
        return trigger.Timer3_Timer();
    }

    // Ticks at each rate in turn and returns the numbers (counted from 1 over the whole test)
    // of the ticks that started a command line.
    std::vector<int> startsAt(const std::vector<double>& rates) {
        std::vector<int> starts;
        for (const double rate : rates) {
            const std::size_t before = launcher.attempts().size();
            tickAt(rate);
            if (launcher.attempts().size() != before) {
                starts.push_back(ticks);
            }
        }
        return starts;
    }

    // How many command lines the given number of low ticks start.
    std::size_t startsDuringLowTicks(int count) {
        const std::size_t before = launcher.attempts().size();
        for (int tick = 0; tick < count; ++tick) {
            tickAt(10);
        }
        return launcher.attempts().size() - before;
    }

    RecordingLauncher launcher;
    RateTops tops;
    RateTrigger trigger{launcher, tops};
    int ticks = 0;
};

TEST_F(RateTriggerTest, StartsAtTheThirdConsecutiveLowTick) {
    ASSERT_EQ(trigger.Command4_Click(kShutdown, "3", "50"), kArmedMessage);
    EXPECT_THAT(startsAt({60, 10, 10, 10}), ElementsAre(4));
    EXPECT_THAT(launcher.attempts(), ElementsAre(commandLineOf(1)));
}

TEST_F(RateTriggerTest, AHighTickStartsTheCountAgain) {
    trigger.Command4_Click(kShutdown, "3", "50");
    EXPECT_THAT(startsAt({10, 10, 60, 10, 10, 10}), ElementsAre(6));
}

TEST_F(RateTriggerTest, StartsNoSecondTimeWhileTheRateStaysLow) {
    trigger.Command4_Click(kShutdown, "3", "50");
    EXPECT_THAT(startsAt({60, 10, 10, 10}), ElementsAre(4));
    EXPECT_EQ(startsDuringLowTicks(1000), 0U);
}

TEST_F(RateTriggerTest, StartsAgainAfterOneHighTickAndThreeLowOnes) {
    trigger.Command4_Click(kShutdown, "3", "50");
    EXPECT_THAT(startsAt({10, 10, 10, 10, 10, 60, 10, 10, 10}), ElementsAre(3, 9));
}

TEST_F(RateTriggerTest, ARateEqualToTheThresholdIsNotLow) {
    trigger.Command4_Click(kShutdown, "3", "50");
    EXPECT_THAT(startsAt({10, 10, 50, 10, 10, 49.99, 50.01}), ElementsAre(6));
}

TEST_F(RateTriggerTest, NothingStartsBeforeAnyArming) {
    EXPECT_THAT(startsAt({0, 0, 0, 0, 0}), IsEmpty());
    EXPECT_EQ(trigger.Command4_Click(kNoOption, "3", "50"), kChooseActionMessage);
    EXPECT_THAT(startsAt({0, 0, 0, 0, 0}), IsEmpty());
}

TEST_F(RateTriggerTest, NoOptionChosenReArmsWithThePreviousKind) {
    trigger.Command4_Click(kSleep, "300", "50");
    EXPECT_EQ(trigger.Command4_Click(kNoOption, "2", "20"), kArmedMessage);
    EXPECT_THAT(startsAt({30, 10, 10}), ElementsAre(3));
    EXPECT_THAT(launcher.attempts(), ElementsAre(commandLineOf(3)));
}

TEST_F(RateTriggerTest, ANewArmingStartsTheCountFromZero) {
    trigger.Command4_Click(kShutdown, "3", "50");
    startsAt({10, 10});
    trigger.Command4_Click(kRestart, "3", "50");
    EXPECT_THAT(startsAt({10, 10, 10}), ElementsAre(5));
    EXPECT_THAT(launcher.attempts(), ElementsAre(commandLineOf(2)));
}

TEST_F(RateTriggerTest, TheOptionsStandForTheirKinds) {
    const std::pair<PanelOptions, ActionKind> options[] = {
        {{true, false, false, false}, 4},
        {{false, true, false, false}, 3},
        {{false, false, true, false}, 2},
        {{false, false, false, true}, 1},
    };
    for (const auto& [chosen, kind] : options) {
        trigger.Command4_Click(chosen, "1", "50");
        startsAt({10, 60});
        EXPECT_EQ(launcher.attempts().back(), commandLineOf(kind));
    }
}

struct FieldTexts {
    const char* duration;
    const char* threshold;
};

// Armed for shutdown after 3 low ticks below 50; two low ticks have passed when a click
// with a refused field chooses restart.
TEST_F(RateTriggerTest, ARefusedFieldKeepsEverythingArmedBefore) {
    const FieldTexts refused[] = {
        {"0", "50"},   {"-1", "50"},     {"32768", "50"}, {"1.5", "50"}, {"", "50"},
        {"abc", "50"}, {"３００", "50"}, {"1e3", "50"},   {"3 0", "50"}, {"3s", "50"},
        {"300", "0"},  {"300", "-5"},    {"300", "abc"},  {"300", ""},   {"300", "0.0"},
        {"300", "-0"}, {"300", "５０"},  {"300", "5e1"},  {"", ""},
    };
    for (const FieldTexts& fields : refused) {
        SCOPED_TRACE(::testing::Message()
                     << '"' << fields.duration << "\" \"" << fields.threshold << '"');
        ASSERT_EQ(trigger.Command4_Click(kShutdown, "3", "50"), kArmedMessage);
        EXPECT_EQ(startsDuringLowTicks(2), 0U);
        EXPECT_EQ(trigger.Command4_Click(kRestart, fields.duration, fields.threshold),
                  kNotAValidNumberMessage);
        ASSERT_EQ(startsDuringLowTicks(1), 1U);
        EXPECT_EQ(launcher.attempts().back(), commandLineOf(1));
    }
}

TEST_F(RateTriggerTest, ARefusedFieldBeforeAnyArmingArmsNothing) {
    EXPECT_EQ(trigger.Command4_Click(kShutdown, "0", "50"), kNotAValidNumberMessage);
    EXPECT_EQ(trigger.Command4_Click(kNoOption, "3", "50"), kChooseActionMessage);
    EXPECT_EQ(trigger.Command4_Click(kNoOption, "abc", "abc"), kChooseActionMessage);
    EXPECT_EQ(startsDuringLowTicks(100), 0U);
}

TEST_F(RateTriggerTest, AcceptsEveryWayOfWritingTheSameWholeNumber) {
    const FieldTexts accepted[] = {
        {"3", "50"},  {" 3 ", "50"},   {"3.0", "50"}, {"03", "50"},
        {"+3", "50"}, {"\t3", " 50 "}, {"3", "50.0"}, {"3", "10.01"},
    };
    for (const FieldTexts& fields : accepted) {
        SCOPED_TRACE(::testing::Message()
                     << '"' << fields.duration << "\" \"" << fields.threshold << '"');
        ASSERT_EQ(trigger.Command4_Click(kShutdown, fields.duration, fields.threshold),
                  kArmedMessage);
        const int first = ticks + 1;
        EXPECT_THAT(startsAt({10, 10, 10, 10}), ElementsAre(first + 2));
    }
}

TEST_F(RateTriggerTest, TheLongestDurationStartsOnceAtItsLastTick) {
    ASSERT_EQ(trigger.Command4_Click(kShutdown, "32767", "50"), kArmedMessage);
    EXPECT_EQ(startsDuringLowTicks(kLongestDuration - 1), 0U);
    EXPECT_EQ(startsDuringLowTicks(1), 1U);
    EXPECT_EQ(startsDuringLowTicks(5000), 0U);
}

TEST_F(RateTriggerTest, TheCounterStopsAtItsMaximum) {
    trigger.Command4_Click(kShutdown, "3", "50");
    EXPECT_EQ(startsDuringLowTicks(70000), 1U);
    EXPECT_THAT(startsAt({60, 10, 10, 10}), ElementsAre(70000 + 4));
}

TEST_F(RateTriggerTest, ACommandThatCannotStartIsReportedAtTheTickThatStartedIt) {
    launcher.failStarts(true);
    trigger.Command4_Click(kShutdown, "2", "50");
    EXPECT_EQ(tickAt(10), std::nullopt);
    EXPECT_EQ(tickAt(10), std::string(kCannotStartPrefix) + commandLineOf(1));
    EXPECT_EQ(tickAt(10), std::nullopt);
}

struct RateOfTops {
    double downloadBytes;
    double uploadBytes;
    const char* shown;
};

TEST_F(RateTriggerTest, ShowsTheRateOfTheTwoTops) {
    const RateOfTops rates[] = {
        {1500 * kKilobyte, 0, "1500"},
        {1000, 24, "1"},  // 0.98 + 0.02
        {1000, 0, "0.98"},
        {0, 0, "0"},
        {128, 0, "0.12"},    // 0.125: the half goes to the even neighbour
        {384, 0, "0.38"},    // 0.375
        {640, 640, "1.24"},  // 0.625 twice
        {5, 5, "0"},         // each top rounds to 0 before the two are added
        {1536, 2560, "4"},
        {1024.0 * 1024 * 1024, 0, "1048576"},
    };
    for (const RateOfTops& rate : rates) {
        SCOPED_TRACE(rate.shown);
        tops = {rate.downloadBytes, rate.uploadBytes};
        EXPECT_EQ(trigger.Command3_Click(), rate.shown);
    }
}

TEST_F(RateTriggerTest, TheSumOfTheRoundedTopsIsComparedExactly) {
    trigger.Command4_Click(kShutdown, "1", "1");
    tops = {1000, 24};
    trigger.Timer3_Timer();
    EXPECT_THAT(launcher.attempts(), IsEmpty());
    trigger.Command4_Click(kShutdown, "1", "1.01");
    trigger.Timer3_Timer();
    EXPECT_THAT(launcher.attempts(), ElementsAre(commandLineOf(1)));
}

}  // namespace
