// The right panel through the window: Text10 and the chosen option armed by 确定, and Timer4
// running exactly while the trigger is armed, also while a message box is open.
#include <gmock/gmock.h>

#include <QRadioButton>

#include "form1_fixture.h"

namespace {

using ::testing::ElementsAre;

const QString kArmed = QStringLiteral("设置成功!");

class RightPanel : public Form1Test {
  protected:
    void arm(const char* option, const QString& pid) {
        typeInto("Text10", pid);
        click(option);
        click("Command5");
    }
    void end4242() { processes_.setRunning({1, 5678}); }
};

TEST_F(RightPanel, EachOptionStartsItsKindOnceWhenTheProcessHasGone) {
    for (const auto& [option, kind] : {std::pair{"Option9", 1}, std::pair{"Option10", 2},
                                       std::pair{"Option11", 3}, std::pair{"Option12", 4}}) {
        SCOPED_TRACE(option);
        processes_.setRunning({1, 4242});
        messages_.clear();
        arm(option, "4242");
        const std::size_t before = launcher_.attempts().size();
        end4242();
        tick("Timer4");
        tick("Timer4");
        EXPECT_THAT(messages_, ElementsAre(kArmed));
        EXPECT_TRUE(timer4WhenShown_.back()) << "Timer4 runs while the box is open";
        ASSERT_EQ(launcher_.attempts().size(), before + 1);
        EXPECT_EQ(launcher_.attempts().back(), commandLineOf(kind));
        EXPECT_FALSE(timer("Timer4")->isActive());
    }
}

// Text10 goes to the trigger as typed, read by its leading number; a refusal disarms.
TEST_F(RightPanel, AnUnknownPidIsRefusedAndStopsTimer4BeforeTheBoxOpens) {
    arm("Option9", "4242abc");
    EXPECT_TRUE(timer("Timer4")->isActive());
    arm("Option9", "999");

    EXPECT_THAT(messages_, ElementsAre(kArmed, QStringLiteral("当前没有该进程，请重新输入！")));
    EXPECT_FALSE(timer4WhenShown_.back());
    EXPECT_FALSE(timer("Timer4")->isActive());
}

// Choosing in another panel clears this panel's option; the click re-arms the earlier kind.
TEST_F(RightPanel, ReclickingAfterChoosingInAnotherPanelRearmsWithTheEarlierKind) {
    arm("Option11", "4242");
    click("Option1");
    ASSERT_FALSE(control<QRadioButton>("Option11")->isChecked());
    click("Command5");
    end4242();
    tick("Timer4");

    EXPECT_THAT(messages_, ElementsAre(kArmed, kArmed));
    EXPECT_THAT(launcher_.attempts(), ElementsAre(commandLineOf(3)));
}

TEST_F(RightPanel, AnActionThatCannotStartIsReportedOnceWithTimer4Off) {
    launcher_.failStarts(true);
    arm("Option12", "4242");
    end4242();
    tick("Timer4");
    tick("Timer4");

    EXPECT_THAT(messages_,
                ElementsAre(kArmed, "无法执行：" + QString::fromStdString(commandLineOf(4))));
    EXPECT_FALSE(timer4WhenShown_.back()) << "the box must not let Timer4 fire again";
}

}  // namespace
