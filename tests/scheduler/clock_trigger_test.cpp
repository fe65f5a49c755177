#include "scheduler/clock_trigger.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "scheduler/messages.h"
#include "scheduler/power_action.h"
#include "support/fake_clock.h"
#include "support/recording_launcher.h"

namespace {

using ::testing::ElementsAre;
using ::testing::IsEmpty;

constexpr PanelOptions kNoOption{};
constexpr PanelOptions kShutdown{true, false, false, false};
constexpr PanelOptions kRestart{false, true, false, false};
constexpr PanelOptions kSleep{false, false, true, false};

std::string commandLineOf(ActionKind kind) {
    return std::string(powerCommandLine(kind).value());
}

// The panel's fields for a time on 5 December 2026.
ClockFieldTexts onTheFifth(std::string_view hour, std::string_view minute) {
    return {.year = "2026", .month = "12", .day = "5", .hour = hour, .minute = minute};
}

class ClockTriggerTest : public ::testing::Test {
  protected:
    // Clicks Command1 and closes the message box the way the window does.
    std::string clickAndCloseBox(const PanelOptions& options, const ClockFieldTexts& fields) {
        const ClockClickResult result = trigger.Command1_Click(options, fields);
        if (result.targetPending) {
            trigger.acceptPendingTarget();
        }
        return result.message;
    }

    // Ticks Timer1 every 4 seconds up to the given time of 5 December 2026 and returns the
    // times of the ticks that started a command line.
    std::vector<DateTimeFields> tickUntil(int hour, int minute, int second = 0) {
        std::vector<DateTimeFields> starts;
        const double end = dateOf({2026, 12, 5, hour, minute, second});
        while (clock.now() < end) {
            clock.advanceSeconds(4);
            const std::size_t before = launcher.attempts().size();
            messages.push_back(trigger.Timer1_Timer());
            if (launcher.attempts().size() != before) {
                starts.push_back(fieldsOfAutomationDate(clock.now()));
            }
        }
        return starts;
    }

    FakeClock clock{{2026, 12, 5, 22, 58, 30}};
    RecordingLauncher launcher;
    RateTops tops;
    ClockTrigger trigger{clock, launcher, tops};
    std::vector<std::optional<std::string>> messages;
};

TEST_F(ClockTriggerTest, ThePresentMinuteIsNotLaterThanNow) {
    const ClockClickResult result = trigger.Command1_Click(kShutdown, onTheFifth("22", "58"));
    EXPECT_EQ(result.message, kNotLaterThanNowMessage);
    EXPECT_EQ(result.Text6, "2026/12/5 22:58");
    EXPECT_FALSE(result.targetPending);
    clock.set({2026, 12, 5, 22, 58, 0});
    EXPECT_EQ(clickAndCloseBox(kShutdown, onTheFifth("22", "58")), kNotLaterThanNowMessage);
    EXPECT_THAT(tickUntil(23, 30), IsEmpty());
}

TEST_F(ClockTriggerTest, NextMinuteFiresOnceAtTheFirstTickAfterItBegan) {
    clock.set({2026, 12, 5, 22, 58, 0});
    EXPECT_EQ(clickAndCloseBox(kShutdown, onTheFifth("22", "59")), kArmedMessage);
    // A tick falls on 22:59:00 itself, when the target has not yet passed.
    EXPECT_THAT(tickUntil(23, 30), ElementsAre(DateTimeFields{2026, 12, 5, 22, 59, 4}));
    EXPECT_THAT(launcher.attempts(), ElementsAre(commandLineOf(1)));
}

TEST_F(ClockTriggerTest, FiresAgainOnlyAfterANewSuccessfulClick) {
    clickAndCloseBox(kShutdown, onTheFifth("22", "59"));
    tickUntil(23, 0);
    EXPECT_EQ(clickAndCloseBox(kSleep, onTheFifth("23", "10")), kArmedMessage);
    EXPECT_THAT(tickUntil(23, 30), ElementsAre(DateTimeFields{2026, 12, 5, 23, 10, 2}));
    EXPECT_THAT(launcher.attempts(), ElementsAre(commandLineOf(1), commandLineOf(3)));
}

TEST_F(ClockTriggerTest, LettersAreNoDateTakeTheKindAndKeepTheEarlierTarget) {
    clickAndCloseBox(kShutdown, onTheFifth("23", "00"));
    const ClockClickResult result = trigger.Command1_Click(
        kRestart, {.year = "2026", .month = "Dec", .day = "5", .hour = "23", .minute = "05"});
    EXPECT_EQ(result.message, kNotADateTimeMessage);
    EXPECT_EQ(result.Text6, "2026/Dec/5 23:05");
    EXPECT_FALSE(result.targetPending);
    EXPECT_THAT(tickUntil(23, 30), ElementsAre(DateTimeFields{2026, 12, 5, 23, 0, 2}));
    EXPECT_THAT(launcher.attempts(), ElementsAre(commandLineOf(2)));
}

TEST_F(ClockTriggerTest, AFailedClickChangesTheKindButNotTheTarget) {
    clickAndCloseBox(kShutdown, onTheFifth("23", "00"));
    EXPECT_EQ(clickAndCloseBox(kRestart, onTheFifth("22", "00")), kNotLaterThanNowMessage);
    EXPECT_THAT(tickUntil(23, 30), ElementsAre(DateTimeFields{2026, 12, 5, 23, 0, 2}));
    EXPECT_THAT(launcher.attempts(), ElementsAre(commandLineOf(2)));
}

TEST_F(ClockTriggerTest, NothingFiresBeforeASuccessfulClick) {
    EXPECT_EQ(clickAndCloseBox(kShutdown, onTheFifth("22", "00")), kNotLaterThanNowMessage);
    EXPECT_EQ(clickAndCloseBox(kShutdown, onTheFifth("x", "00")), kNotADateTimeMessage);
    EXPECT_THAT(tickUntil(23, 59), IsEmpty());
}

TEST_F(ClockTriggerTest, NoKindChosenOrArmedAsksForOne) {
    const ClockClickResult result = trigger.Command1_Click(kNoOption, onTheFifth("23", "00"));
    EXPECT_EQ(result.message, kChooseActionMessage);
    EXPECT_FALSE(result.Text6.has_value());
    EXPECT_FALSE(result.targetPending);
    trigger.acceptPendingTarget();
    EXPECT_THAT(tickUntil(23, 30), IsEmpty());
}

TEST_F(ClockTriggerTest, NoOptionChosenReArmsWithThePreviousKind) {
    clickAndCloseBox(kSleep, onTheFifth("22", "00"));
    EXPECT_EQ(clickAndCloseBox(kNoOption, onTheFifth("23", "00")), kArmedMessage);
    tickUntil(23, 30);
    EXPECT_THAT(launcher.attempts(), ElementsAre(commandLineOf(3)));
}

TEST_F(ClockTriggerTest, TheNewTargetIsTakenOnlyWhenTheBoxIsClosed) {
    clickAndCloseBox(kShutdown, onTheFifth("23", "00"));
    const ClockClickResult result = trigger.Command1_Click(kRestart, onTheFifth("23", "05"));
    ASSERT_TRUE(result.targetPending);
    // The box stays open past 23:00: the target armed before still holds, with the new kind.
    EXPECT_THAT(tickUntil(23, 1), ElementsAre(DateTimeFields{2026, 12, 5, 23, 0, 2}));
    trigger.acceptPendingTarget();
    EXPECT_THAT(tickUntil(23, 30), ElementsAre(DateTimeFields{2026, 12, 5, 23, 5, 2}));
    EXPECT_THAT(launcher.attempts(), ElementsAre(commandLineOf(2), commandLineOf(2)));
}

TEST_F(ClockTriggerTest, ATargetWhoseBoxWasNeverClosedIsNotArmed) {
    ASSERT_TRUE(trigger.Command1_Click(kShutdown, onTheFifth("23", "00")).targetPending);
    EXPECT_THAT(tickUntil(23, 30), IsEmpty());
}

TEST_F(ClockTriggerTest, ClosingABoxOfARefusedClickArmsNothing) {
    clickAndCloseBox(kShutdown, onTheFifth("23", "00"));
    trigger.Command1_Click(kShutdown, onTheFifth("22", "00"));
    trigger.acceptPendingTarget();
    EXPECT_THAT(tickUntil(23, 30), ElementsAre(DateTimeFields{2026, 12, 5, 23, 0, 2}));
}

TEST_F(ClockTriggerTest, ACommandThatCannotStartIsReportedOnce) {
    launcher.failStarts(true);
    clickAndCloseBox(kShutdown, onTheFifth("23", "00"));
    tickUntil(23, 30);
    std::vector<std::string> shown;
    for (const std::optional<std::string>& message : messages) {
        if (message) {
            shown.push_back(*message);
        }
    }
    EXPECT_THAT(shown, ElementsAre(std::string(kCannotStartPrefix) + commandLineOf(1)));
    EXPECT_EQ(launcher.attempts().size(), 1U);
}

struct TopsAtTick {
    double download;
    double upload;
    double downloadAfter;
    double uploadAfter;
};

TEST_F(ClockTriggerTest, ATickClearsBothTopsOnlyWhenTheDownloadTopIsNotZero) {
    const TopsAtTick ticks[] = {
        {0, 500, 0, 500}, {100, 0, 0, 0}, {100, 200, 0, 0},
        {0.5, 7, 0, 0},   {0, 0, 0, 0},   {3000, 1, 0, 0},
    };
    // One trigger through every row: a tick that leaves the tops must not stop later ticks.
    for (const TopsAtTick& tick : ticks) {
        tops = {tick.download, tick.upload};
        EXPECT_EQ(trigger.Timer1_Timer(), std::nullopt);
        EXPECT_EQ(tops.dblDownloadSpeedTop, tick.downloadAfter);
        EXPECT_EQ(tops.dblUploadSpeedTop, tick.uploadAfter);
    }
}

}  // namespace
