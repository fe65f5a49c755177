// The left panel through the window: Text1 to Text5 and the chosen option armed by 确定, the
// target taken once the box is closed, and fired once by Timer1.
#include <cstdio>
#include <tuple>
#include <utility>

#include "form1_fixture.h"
#include "time/automation_date.h"

namespace {

using ::testing::ElementsAre;

class LeftPanel : public Form1Test {
  protected:
    // 7 March 2026 at 8:minute: Text1 to Text4 show the date and hour since start-up.
    void arm(const char* option, const QString& minute) {
        typeInto("Text5", minute);
        click(option);
        click("Command1");
    }
    // Ticks Timer1 every 4 seconds for 3 real hours, none while asleep (from `asleepAt` to
    // `wokenAt` seconds on), the zone from `zoneMovedAt` seconds on `offset` seconds ahead of
    // UTC; returns each tick that started a command or said, and logged as `logged`, that the
    // target was missed, with the local time it showed.
    std::vector<std::string> outcomesOver3Hours(int asleepAt = 0, int wokenAt = 0,
                                                const std::string& logged = "", int zoneMovedAt = 0,
                                                int offset = 0) {
        std::vector<std::string> outcomes;
        log_.clear();
        messages_.clear();
        for (int elapsed = 0; elapsed < 3 * 3600;) {
            const int next =
                elapsed + 4 > asleepAt && elapsed + 4 < wokenAt ? wokenAt : elapsed + 4;
            if (elapsed < zoneMovedAt && zoneMovedAt <= next) {
                clock_.setZone({{.offsetSeconds = offset}});
            }
            clock_.advanceSeconds(next - std::exchange(elapsed, next));
            const std::size_t started = launcher_.attempts().size();
            tick("Timer1");
            const DateTimeFields at = fieldsOfAutomationDate(clock_.now());
            char shown[16];
            std::snprintf(shown, sizeof shown, "%02d:%02d:%02d", at.hour, at.minute, at.second);
            if (launcher_.attempts().size() != started) {
                outcomes.push_back(std::string("fired ") + shown);
            }
            for (const QString& message : std::exchange(messages_, {})) {
                const bool missed = message == QStringLiteral("已错过设定时间，未执行所选操作！") &&
                                    log_.size() == 1 && log_[0].ends_with(logged);
                outcomes.push_back((missed ? "missed " : message.toStdString() + " ") + shown);
            }
        }
        return outcomes;
    }
};

// Armed at 8:05:00 for 8:06: the tick at 8:06:00 is not yet after the target.
TEST_F(LeftPanel, EachOptionFiresItsKindOnceAtTheFirstTickAfterTheMinuteBegan) {
    for (const auto& [option, kind] : {std::pair{"Option1", 1}, std::pair{"Option2", 2},
                                       std::pair{"Option3", 3}, std::pair{"Option4", 4}}) {
        SCOPED_TRACE(option);
        clock_.set({2026, 3, 7, 8, 5, 0});
        arm(option, "6");
        ASSERT_THAT(outcomesOver3Hours(), ElementsAre("fired 08:06:04"));
        EXPECT_EQ(launcher_.attempts().back(), commandLineOf(kind));
    }
}

// With nothing chosen nothing arms; the present minute and letters are refused, each taking
// its kind while the target armed before holds.
TEST_F(LeftPanel, ARefusedTimeTakesTheKindButKeepsTheTarget) {
    click("Command1");
    arm("Option1", "7");
    arm("Option3", "5");
    arm("Option2", "abc");

    EXPECT_THAT(messages_, ElementsAre(QStringLiteral("请选择执行内容！"), kArmed,
                                       QStringLiteral("请输入正确的时间!"),
                                       QStringLiteral("!请输入正确的时间!")));
    EXPECT_EQ(control<QLineEdit>("Text6")->text(), QStringLiteral("2026/3/7 8:abc"));
    EXPECT_THAT(outcomesOver3Hours(), ElementsAre("fired 08:07:04"));
    EXPECT_THAT(launcher_.attempts(), ElementsAre(commandLineOf(2)));
}

// The box's own event loop lets Timer1 tick while it is open.
TEST_F(LeftPanel, TheNewTargetReplacesTheOldOnlyOnceTheBoxIsClosed) {
    arm("Option1", "10");
    whileMessageShown_ = [this] {
        clock_.set({2026, 3, 7, 8, 6, 4});
        tick("Timer1");
    };
    arm("Option3", "6");
    whileMessageShown_ = nullptr;
    EXPECT_THAT(outcomesOver3Hours(), ElementsAre("fired 08:06:08"));
    EXPECT_THAT(launcher_.attempts(), ElementsAre(commandLineOf(3)));
}

// Berlin in 2026: daylight saving from 29 March 2:00 (clocks jump to 3:00) until 25 October
// 3:00 (clocks go back to 2:00, which shows 2:00 to 2:59 twice).
const FakeClock::Zone kBerlin2026{{.offsetSeconds = 3600},
                                  {utcInstantOf({2026, 3, 29, 1, 0, 0}), 7200},
                                  {utcInstantOf({2026, 10, 25, 1, 0, 0}), 3600}};

// Mended: lateness is counted in real seconds from the instant the clock first reached the
// target after the click. A time the clock skips starts the action at the first tick after the
// jump; a time shown twice counts from its first showing after the click; 5 minutes late, as
// after sleep, starts nothing, is said once and logged. Mended too: a change of time zone is
// taken as the jump is, counted from where the target fell under the zone before it. Each fires
// or is missed once only. Each night: armed at a time (its second showing when so flagged) for
// that day's hour:minute with 关机, then asleep (or the clock set forward) from and to the
// seconds given after the click, and the zone moved to the offset given at the second given.
TEST_F(LeftPanel, ActsOnceWithinFiveRealMinutesOfTheTargetOnEveryKindOfNight) {
    constexpr int kShanghai = 8 * 3600;
    const std::tuple<DateTimeFields, bool, int, int, int, int, int, int, const char*> nights[] = {
        // A night like any other; woken 299, 300 and 301 seconds after the target.
        {{2026, 3, 7, 1, 59, 50}, false, 2, 30, 0, 0, 0, 0, "fired 02:30:02"},
        {{2026, 3, 7, 1, 50, 0}, false, 2, 30, 8, 2699, 0, 0, "fired 02:34:59"},
        {{2026, 3, 7, 1, 50, 0}, false, 2, 30, 8, 2700, 0, 0, "fired 02:35:00"},
        {{2026, 3, 7, 1, 50, 0}, false, 2, 30, 8, 2701, 0, 0, "missed 02:35:01"},
        // 2:30 skipped; woken 4 and 6 minutes after the jump.
        {{2026, 3, 29, 1, 59, 50}, false, 2, 30, 0, 0, 0, 0, "fired 03:00:02"},
        {{2026, 3, 29, 1, 50, 0}, false, 2, 30, 8, 840, 0, 0, "fired 03:04:00"},
        {{2026, 3, 29, 1, 50, 0}, false, 2, 30, 8, 960, 0, 0, "missed 03:06:00"},
        // Shown twice: armed before the first showing, in the second, and asleep through the
        // first until the second.
        {{2026, 10, 25, 1, 50, 0}, false, 2, 30, 0, 0, 0, 0, "fired 02:30:04"},
        {{2026, 10, 25, 2, 10, 0}, true, 2, 30, 0, 0, 0, 0, "fired 02:30:04"},
        {{2026, 10, 25, 1, 50, 0}, false, 2, 10, 8, 4920, 0, 0, "missed 02:12:00"},
        // The zone moved past 2:30 (CET) 1 and 10 minutes after the click; while asleep until 299
        // and 301 seconds after 2:30 (CET); and to UTC, which leaves 2:30 ahead.
        {{2026, 3, 7, 1, 50, 0}, false, 2, 30, 0, 0, 58, kShanghai, "fired 08:51:00"},
        {{2026, 3, 7, 1, 50, 0}, false, 2, 30, 0, 0, 598, kShanghai, "fired 09:00:00"},
        {{2026, 3, 7, 1, 50, 0}, false, 2, 30, 8, 2699, 1000, kShanghai, "fired 09:34:59"},
        {{2026, 3, 7, 1, 50, 0}, false, 2, 30, 8, 2701, 1000, kShanghai, "missed 09:35:01"},
        {{2026, 3, 7, 1, 50, 0}, false, 2, 30, 0, 0, 58, 0, "fired 02:30:04"},
    };
    for (const auto& [armed, secondShowing, hour, minute, asleepAt, wokenAt, zoneMovedAt, offset,
                      outcome] : nights) {
        SCOPED_TRACE(testing::Message()
                     << armed.day << " " << armed.hour << ":" << armed.minute
                     << (secondShowing ? " second" : "") << " " << wokenAt << " " << zoneMovedAt);
        clock_.setZone(kBerlin2026);
        clock_.set(armed);
        clock_.advanceSeconds(secondShowing ? 3600 : 0);
        typeInto("Text2", QString::number(armed.month));
        typeInto("Text3", QString::number(armed.day));
        typeInto("Text4", QString::number(hour));
        arm("Option1", QString::number(minute));
        ASSERT_THAT(messages_, ElementsAre(kArmed));
        char logged[96];
        std::snprintf(logged, sizeof logged,
                      "\" 已错过设定时间，未执行（设定时间 2026-%02d-%02d %02d:%02d:00）",
                      armed.month, armed.day, hour, minute);
        EXPECT_THAT(outcomesOver3Hours(asleepAt, wokenAt, logged, zoneMovedAt, offset),
                    ElementsAre(outcome));
    }
}

}  // namespace
