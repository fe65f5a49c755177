// The left panel through the window: Text1 to Text5 and the chosen option armed by 确定, the
// target taken once the box is closed, and fired once by Timer1.
#include <QLineEdit>

#include "form1_fixture.h"
#include "platform/automation_date.h"

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
    // Ticks Timer1 every 4 seconds until 8:30; returns the minute and second of each tick that
    // started a command line.
    std::vector<QString> firingsUntil830() {
        std::vector<QString> firings;
        while (clock_.now() < dateOf({2026, 3, 7, 8, 30, 0})) {
            clock_.advanceSeconds(4);
            const std::size_t before = launcher_.attempts().size();
            tick("Timer1");
            if (launcher_.attempts().size() != before) {
                const DateTimeFields at = fieldsOfAutomationDate(clock_.now());
                firings.push_back(QStringLiteral("%1:%2").arg(at.minute).arg(at.second));
            }
        }
        return firings;
    }
};

// Armed at 8:05:00 for 8:06: the tick at 8:06:00 is not yet after the target.
TEST_F(LeftPanel, EachOptionFiresItsKindOnceAtTheFirstTickAfterTheMinuteBegan) {
    for (const auto& [option, kind] : {std::pair{"Option1", 1}, std::pair{"Option2", 2},
                                       std::pair{"Option3", 3}, std::pair{"Option4", 4}}) {
        SCOPED_TRACE(option);
        clock_.set({2026, 3, 7, 8, 5, 0});
        arm(option, "6");
        ASSERT_THAT(firingsUntil830(), ElementsAre("6:4"));
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
    EXPECT_THAT(firingsUntil830(), ElementsAre("7:4"));
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
    EXPECT_THAT(firingsUntil830(), ElementsAre("6:8"));
    EXPECT_THAT(launcher_.attempts(), ElementsAre(commandLineOf(3)));
}

// Mended: a target found passed more than 5 minutes after its minute began (slept through,
// or the clock set forward) is reported once and starts nothing, however the clock moves on.
TEST_F(LeftPanel, FiresOnlyWithinFiveMinutesAfterTheTargetMinuteBegan) {
    for (const auto& [minute, second, fires] :
         {std::tuple{6, 4, true}, std::tuple{10, 59, true}, std::tuple{11, 1, false}}) {
        SCOPED_TRACE(minute * 60 + second);
        clock_.set({2026, 3, 7, 8, 5, 0});
        messages_.clear();
        arm("Option1", "6");
        const std::size_t before = launcher_.attempts().size();
        for (const auto& [m, s] : {std::pair{minute, second}, std::pair{5, 30}, std::pair{7, 0}}) {
            clock_.set({2026, 3, 7, 8, m, s});
            tick("Timer1");
        }
        const QString missed = QStringLiteral("已错过设定时间，未执行所选操作！");
        EXPECT_EQ(messages_, (fires ? std::vector{kArmed} : std::vector{kArmed, missed}));
        EXPECT_EQ(launcher_.attempts().size(), before + (fires ? 1 : 0));
    }
}

}  // namespace
