// The right panel as a user drives it: type a PID, choose an action, click 确定, and the chosen
// command line is started once when that process has gone.
#include <gmock/gmock.h>

#include <QLineEdit>
#include <QRadioButton>

#include "form1_fixture.h"

namespace {

using ::testing::ElementsAre;
using ::testing::IsEmpty;

const QString kArmed = QStringLiteral("设置成功!");
const QString kChooseAction = QStringLiteral("请选择执行内容！");
const QString kNoSuchProcess = QStringLiteral("当前没有该进程，请重新输入！");

class RightPanel : public Form1Test {
  protected:
    void arm(const char* option, const QString& pid) {
        typeInto("Text10", pid);
        click(option);
        click("Command5");
    }
    void endProcess(std::uint32_t id) {
        std::vector<std::uint32_t> running = processes_.runningProcessIds();
        std::erase(running, id);
        processes_.setRunning(running);
    }
    bool timer4Active() const { return timer("Timer4")->isActive(); }
};

class RightPanelOption : public RightPanel, public ::testing::WithParamInterface<OptionRow> {};

TEST_P(RightPanelOption, StartsItsActionOnceWhenTheProcessHasGone) {
    arm(GetParam().option, QStringLiteral("4242"));
    tick("Timer4");
    EXPECT_THAT(launcher_.attempts(), IsEmpty()) << "the process still runs";

    endProcess(4242);
    tick("Timer4");
    tick("Timer4");

    EXPECT_THAT(launcher_.attempts(), ElementsAre(commandLineOf(GetParam().kind)));
    EXPECT_FALSE(timer4Active());
    EXPECT_THAT(messageTexts(), ElementsAre(kArmed));
}

INSTANTIATE_TEST_SUITE_P(EachAction, RightPanelOption,
                         ::testing::Values(OptionRow{"Option9", 1}, OptionRow{"Option10", 2},
                                           OptionRow{"Option11", 3}, OptionRow{"Option12", 4}),
                         [](const auto& row) { return std::string(row.param.option); });

TEST_F(RightPanel, ArmingATypedPidSaysSoAndRunsTimer4AlreadyWhileTheBoxIsOpen) {
    arm("Option9", QStringLiteral("4242"));

    ASSERT_EQ(messages_.size(), 1u);
    EXPECT_EQ(messages_[0].text, kArmed);
    EXPECT_TRUE(messages_[0].timer4Active);
    EXPECT_TRUE(timer4Active());
}

TEST_F(RightPanel, ClickingWithoutAnActionAsksForOneAndLeavesTimer4Off) {
    typeInto("Text10", QStringLiteral("4242"));
    click("Command5");

    EXPECT_THAT(messageTexts(), ElementsAre(kChooseAction));
    EXPECT_FALSE(timer4Active());
}

TEST_F(RightPanel, UnknownPidTextsAreRefusedAndDisarm) {
    const QString texts[] = {QStringLiteral("999"), QStringLiteral("12.5"), QStringLiteral("abc"),
                             QStringLiteral("-4242"), QStringLiteral("４２４２")};
    for (const QString& text : texts) {
        SCOPED_TRACE(text.toStdString());
        processes_.setRunning({1, 4242, 5678});
        messages_.clear();
        arm("Option9", QStringLiteral("5678"));
        ASSERT_TRUE(timer4Active());

        typeInto("Text10", text);
        click("Command5");

        EXPECT_THAT(messageTexts(), ElementsAre(kArmed, kNoSuchProcess));
        EXPECT_FALSE(messages_.back().timer4Active);
        EXPECT_FALSE(timer4Active());
    }
}

TEST_F(RightPanel, PidTextsAreReadByTheirLeadingNumber) {
    const QString texts[] = {QStringLiteral("4242abc"), QStringLiteral(" 4242"),
                             QStringLiteral("4242.0")};
    for (const QString& text : texts) {
        SCOPED_TRACE(text.toStdString());
        messages_.clear();
        arm("Option10", text);
        EXPECT_THAT(messageTexts(), ElementsAre(kArmed));
        EXPECT_TRUE(timer4Active());
    }
}

TEST_F(RightPanel, AnUnreadableProcessListRefusesTheClick) {
    processes_.setRunning({});
    arm("Option9", QStringLiteral("4242"));

    EXPECT_THAT(messageTexts(), ElementsAre(kNoSuchProcess));
    EXPECT_FALSE(timer4Active());
}

TEST_F(RightPanel, ReclickingAfterChoosingInAnotherPanelRearmsWithTheEarlierAction) {
    arm("Option11", QStringLiteral("4242"));
    click("Option1");
    ASSERT_FALSE(control<QRadioButton>("Option11")->isChecked());

    click("Command5");
    endProcess(4242);
    tick("Timer4");

    EXPECT_THAT(messageTexts(), ElementsAre(kArmed, kArmed));
    EXPECT_THAT(launcher_.attempts(), ElementsAre(commandLineOf(3)));
}

TEST_F(RightPanel, EditingThePidAfterArmingChangesNothingUntilTheNextClick) {
    arm("Option9", QStringLiteral("4242"));
    typeInto("Text10", QStringLiteral("5"));
    tick("Timer4");
    EXPECT_THAT(launcher_.attempts(), IsEmpty()) << "a half-typed PID must not fire";

    typeInto("Text10", QStringLiteral("5678"));
    click("Command5");
    endProcess(4242);
    tick("Timer4");
    EXPECT_THAT(launcher_.attempts(), IsEmpty()) << "now 5678 is watched";

    endProcess(5678);
    tick("Timer4");
    EXPECT_THAT(launcher_.attempts(), ElementsAre(commandLineOf(1)));
}

TEST_F(RightPanel, AnActionThatCannotStartIsReportedOnceAndDisarms) {
    launcher_.failStarts(true);
    arm("Option12", QStringLiteral("4242"));
    endProcess(4242);
    tick("Timer4");
    tick("Timer4");

    EXPECT_THAT(messageTexts(), ElementsAre(kArmed, QStringLiteral("无法执行：") +
                                                        QString::fromStdString(commandLineOf(4))));
    EXPECT_FALSE(messages_.back().timer4Active) << "the box must not let Timer4 fire again";
    EXPECT_EQ(launcher_.attempts().size(), 1u);
    EXPECT_FALSE(timer4Active());
}

TEST_F(RightPanel, ProcessEndingWhileTheArmedBoxIsOpenFiresOnce) {
    whileMessageShown_ = [this] {
        endProcess(4242);
        tick("Timer4");
        tick("Timer4");
    };
    arm("Option9", QStringLiteral("4242"));

    EXPECT_THAT(launcher_.attempts(), ElementsAre(commandLineOf(1)));
    EXPECT_FALSE(timer4Active());
}

TEST_F(RightPanel, TheDesignTimePidZeroMatchesAProcessListedWithIdZero) {
    click("Option9");
    click("Command5");
    EXPECT_THAT(messageTexts(), ElementsAre(kArmed));

    endProcess(0);
    tick("Timer4");
    EXPECT_THAT(launcher_.attempts(), ElementsAre(commandLineOf(1)));
}

TEST_F(RightPanel, TicksOfTheOtherTimersNeverStartAnything) {
    arm("Option9", QStringLiteral("4242"));
    endProcess(4242);
    for (const char* name : {"tmrUpdate", "Timer1", "Timer3"}) {
        tick(name);
    }
    EXPECT_THAT(launcher_.attempts(), IsEmpty());
    EXPECT_TRUE(timer4Active());
}

}  // namespace
