#include "scheduler/clock_trigger.h"

#include <gmock/gmock.h>

#include "scheduler/messages.h"
#include "scheduler/power_action.h"
#include "support/fake_clock.h"
#include "support/recording_launcher.h"

namespace {

using ::testing::ElementsAre;

constexpr PanelOptions kNoOption{};
constexpr PanelOptions kShutdown{true, false, false, false};
constexpr PanelOptions kRestart{false, true, false, false};
constexpr PanelOptions kSleep{false, false, true, false};

std::string commandLineOf(ActionKind kind) {
    return std::string(*powerCommandLine(kind));
}

// The panel's fields for a time on 5 December 2026.
ClockFieldTexts onTheFifth(std::string_view hour, std::string_view minute) {
    return {.year = "2026", .month = "12", .day = "5", .hour = hour, .minute = minute};
}

class ClockTriggerTest : public ::testing::Test {
  protected:
    // Closing the box of a refused click must arm nothing.
    std::string clickAndCloseBox(const PanelOptions& options, const ClockFieldTexts& fields) {
        const ClockClickResult result = trigger.Command1_Click(options, fields);
        trigger.acceptPendingTarget();
        return result.message;
    }

    // Ticks Timer1 every 4 seconds up to a time on the fifth; returns the ticks that started.
    std::vector<DateTimeFields> tickUntil(int hour, int minute) {
        std::vector<DateTimeFields> starts;
        while (clock.now() < dateOf({2026, 12, 5, hour, minute, 0})) {
            clock.advanceSeconds(4);
            const std::size_t before = launcher.attempts().size();
            trigger.Timer1_Timer();
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
};

// Mended: it fires once and disarms; firing at every later tick would send a machine woken
// from sleep straight back and pile up shutdown commands.
TEST_F(ClockTriggerTest, NothingFiresBeforeASuccessfulClickAndTheNextMinuteFiresOnce) {
    EXPECT_EQ(clickAndCloseBox(kNoOption, onTheFifth("23", "00")), kChooseActionMessage);
    EXPECT_EQ(clickAndCloseBox(kShutdown, onTheFifth("22", "58")), kNotLaterThanNowMessage);
    clock.set({2026, 12, 5, 22, 58, 0});
    EXPECT_EQ(clickAndCloseBox(kShutdown, onTheFifth("22", "58")), kNotLaterThanNowMessage);
    EXPECT_EQ(clickAndCloseBox(kShutdown, onTheFifth("x", "00")), kNotADateTimeMessage);
    EXPECT_EQ(clickAndCloseBox(kShutdown, onTheFifth("22", "59")), kArmedMessage);
    // A tick falls on 22:59:00 itself, when the target has not yet passed.
    EXPECT_THAT(tickUntil(23, 30), ElementsAre(DateTimeFields{2026, 12, 5, 22, 59, 4}));
    EXPECT_THAT(launcher.attempts(), ElementsAre(commandLineOf(1)));
}

// Armed for 23:00, a click with letters and one for 22:00 are refused but take their kind
// (the 23:00 example); a click with nothing chosen then re-arms with the kind taken last.
TEST_F(ClockTriggerTest, RefusedClicksChangeTheKindButNotTheTarget) {
    clickAndCloseBox(kShutdown, onTheFifth("23", "00"));
    const ClockClickResult letters = trigger.Command1_Click(
        kSleep, {.year = "2026", .month = "Dec", .day = "5", .hour = "23", .minute = "05"});
    EXPECT_EQ(letters.message, kNotADateTimeMessage);
    EXPECT_EQ(letters.Text6, "2026/Dec/5 23:05");
    EXPECT_EQ(clickAndCloseBox(kRestart, onTheFifth("22", "00")), kNotLaterThanNowMessage);
    EXPECT_THAT(tickUntil(23, 1), ElementsAre(DateTimeFields{2026, 12, 5, 23, 0, 2}));
    EXPECT_EQ(clickAndCloseBox(kNoOption, onTheFifth("23", "10")), kArmedMessage);
    tickUntil(23, 30);
    EXPECT_THAT(launcher.attempts(), ElementsAre(commandLineOf(2), commandLineOf(2)));
}

TEST_F(ClockTriggerTest, TheNewTargetIsTakenOnlyWhenTheBoxIsClosed) {
    clickAndCloseBox(kShutdown, onTheFifth("23", "00"));
    ASSERT_TRUE(trigger.Command1_Click(kSleep, onTheFifth("23", "05")).targetPending);
    // The box stays open past 23:00: the target armed before still holds, with the new kind.
    EXPECT_THAT(tickUntil(23, 1), ElementsAre(DateTimeFields{2026, 12, 5, 23, 0, 2}));
    trigger.acceptPendingTarget();
    EXPECT_THAT(tickUntil(23, 30), ElementsAre(DateTimeFields{2026, 12, 5, 23, 5, 2}));
    EXPECT_THAT(launcher.attempts(), ElementsAre(commandLineOf(3), commandLineOf(3)));
}

TEST_F(ClockTriggerTest, ACommandThatCannotStartIsReportedOnce) {
    launcher.failStarts(true);
    clickAndCloseBox(kShutdown, onTheFifth("23", "00"));
    clock.set({2026, 12, 5, 23, 0, 2});
    EXPECT_EQ(trigger.Timer1_Timer(), std::string(kCannotStartPrefix) + commandLineOf(1));
    EXPECT_EQ(trigger.Timer1_Timer(), std::nullopt);
}

// A tick that leaves the tops must not stop later ticks from clearing them.
TEST_F(ClockTriggerTest, ATickClearsBothTopsOnlyWhenTheDownloadTopIsNotZero) {
    tops = {0, 500};
    trigger.Timer1_Timer();
    EXPECT_EQ(tops.dblUploadSpeedTop, 500);
    tops = {0.5, 7};
    trigger.Timer1_Timer();
    EXPECT_EQ(tops.dblDownloadSpeedTop, 0);
    EXPECT_EQ(tops.dblUploadSpeedTop, 0);
}

}  // namespace
