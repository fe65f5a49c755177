#include "scheduler/process_exit_trigger.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "scheduler/power_action.h"
#include "support/fake_process_list.h"
#include "support/recording_launcher.h"

namespace {

using ::testing::ElementsAre;
using ::testing::IsEmpty;
using ::testing::SizeIs;

// Option9..Option12 of the right panel.
constexpr PanelOptions kNothingChosen{};
constexpr PanelOptions kShutdown{true, false, false, false};
constexpr PanelOptions kRestart{false, true, false, false};
constexpr PanelOptions kSleep{false, false, true, false};
constexpr PanelOptions kHibernate{false, false, false, true};

const std::string kArmed = "设置成功!";
const std::string kChooseAction = "请选择执行内容！";
const std::string kNoSuchProcess = "当前没有该进程，请重新输入！";

class ProcessExitTriggerTest : public ::testing::Test {
  protected:
    // The command line this platform starts for a kind, learnt from the launcher itself.
    std::string commandLineOf(ActionKind kind) {
        RecordingLauncher probe;
        RunPowerAction(probe, kind);
        return probe.attempts().at(0);
    }

    FakeProcessList processes_{{4, 1234, 5678}};
    RecordingLauncher launcher_;
    ProcessExitTrigger trigger_{processes_, launcher_};
};

TEST_F(ProcessExitTriggerTest, ArmsForARunningProcess) {
    EXPECT_EQ(trigger_.Command5_Click(kShutdown, "1234"), kArmed);
    EXPECT_TRUE(trigger_.armed());
    EXPECT_EQ(trigger_.leixing3(), 1);
}

TEST_F(ProcessExitTriggerTest, EachOptionArmsItsKind) {
    const std::pair<PanelOptions, ActionKind> rows[] = {
        {kShutdown, 1}, {kRestart, 2}, {kSleep, 3}, {kHibernate, 4}};
    for (const auto& [options, kind] : rows) {
        EXPECT_EQ(trigger_.Command5_Click(options, "1234"), kArmed);
        EXPECT_EQ(trigger_.leixing3(), kind);
    }
}

TEST_F(ProcessExitTriggerTest, WithNoActionChosenOrArmedItAsksForOneAndLooksForNoProcess) {
    EXPECT_EQ(trigger_.Command5_Click(kNothingChosen, "1234"), kChooseAction);
    EXPECT_FALSE(trigger_.armed());
    EXPECT_EQ(processes_.walks(), 0);
}

TEST_F(ProcessExitTriggerTest, ANeverArmedTriggerStartsNothingWhateverTheProcessList) {
    trigger_.Command5_Click(kNothingChosen, "1234");
    processes_.setRunning({});
    for (int tick = 0; tick < 3; ++tick) {
        EXPECT_EQ(trigger_.Timer4_Timer(), std::nullopt);
    }
    EXPECT_THAT(launcher_.attempts(), IsEmpty());
}

// Choosing in another panel clears this one; clicking 确定 again re-arms the earlier kind.
TEST_F(ProcessExitTriggerTest, WithNothingChosenInThePanelItReArmsThePreviousKind) {
    ASSERT_EQ(trigger_.Command5_Click(kSleep, "1234"), kArmed);

    EXPECT_EQ(trigger_.Command5_Click(kNothingChosen, "5678"), kArmed);
    EXPECT_EQ(trigger_.leixing3(), 3);

    processes_.setRunning({1234});
    trigger_.Timer4_Timer();
    EXPECT_THAT(launcher_.attempts(), ElementsAre(commandLineOf(3)));
}

TEST_F(ProcessExitTriggerTest, AClickFindingNoProcessKeepsTheChosenKindForLater) {
    EXPECT_EQ(trigger_.Command5_Click(kHibernate, "999"), kNoSuchProcess);
    EXPECT_FALSE(trigger_.armed());
    EXPECT_EQ(trigger_.leixing3(), 4);

    EXPECT_EQ(trigger_.Command5_Click(kNothingChosen, "1234"), kArmed);
    EXPECT_EQ(trigger_.leixing3(), 4);
}

TEST_F(ProcessExitTriggerTest, AnUnreadableProcessListFindsNoProcessAndDoesNotArm) {
    processes_.setRunning({});
    EXPECT_EQ(trigger_.Command5_Click(kShutdown, "1234"), kNoSuchProcess);
    EXPECT_FALSE(trigger_.armed());
    EXPECT_EQ(trigger_.Timer4_Timer(), std::nullopt);
    EXPECT_THAT(launcher_.attempts(), IsEmpty());
}

// A list that cannot be read counts no process, so an armed trigger takes it as the end.
TEST_F(ProcessExitTriggerTest, AnArmedTriggerFiresWhenTheListBecomesUnreadable) {
    ASSERT_EQ(trigger_.Command5_Click(kRestart, "1234"), kArmed);
    processes_.setRunning({});
    trigger_.Timer4_Timer();
    EXPECT_THAT(launcher_.attempts(), ElementsAre(commandLineOf(2)));
}

struct PidTextCase {
    const char* name;
    std::string text;
    std::vector<std::uint32_t> running;
    bool found;
};

void PrintTo(const PidTextCase& row, std::ostream* out) {
    *out << '"' << row.text << '"';
}

std::string caseName(const ::testing::TestParamInfo<PidTextCase>& row) {
    return row.param.name;
}

class PidTextTest : public ::testing::TestWithParam<PidTextCase> {};

TEST_P(PidTextTest, TheProcessIsFoundByTheNumberTheTextBeginsWith) {
    FakeProcessList processes(GetParam().running);
    RecordingLauncher launcher;
    ProcessExitTrigger trigger(processes, launcher);

    EXPECT_EQ(trigger.Command5_Click(kShutdown, GetParam().text),
              GetParam().found ? kArmed : kNoSuchProcess);
    EXPECT_EQ(trigger.armed(), GetParam().found);
}

INSTANTIATE_TEST_SUITE_P(
    PidTexts, PidTextTest,
    ::testing::Values(PidTextCase{"DigitsThenLetters", "1234abc", {1, 1234}, true},
                      PidTextCase{"LeadingBlank", " 1234", {1, 1234}, true},
                      PidTextCase{"FractionMatchesNothing", "12.5", {12, 13, 125}, false},
                      PidTextCase{"EmptyMatchesIdZero", "", {0, 4}, true},
                      PidTextCase{"ZeroMatchesIdZero", "0", {0, 4}, true},
                      PidTextCase{"EmptyWithoutIdZero", "", {4, 1234}, false},
                      PidTextCase{"LettersReadAsZero", "abc", {0}, true},
                      PidTextCase{"PrefixOfARunningId", "12", {123, 1234}, false},
                      PidTextCase{"MinusOneIsNotTheLargestId", "-1", {4294967295u}, false},
                      PidTextCase{"LargestId", "4294967295", {4294967295u}, true},
                      PidTextCase{"NoWrapAroundPastTheLargestId", "4294967296", {0}, false},
                      PidTextCase{"HugeMatchesNothing", "1e999", {0}, false}),
    caseName);

TEST_F(ProcessExitTriggerTest, StartsNothingWhileTheWatchedProcessRuns) {
    ASSERT_EQ(trigger_.Command5_Click(kShutdown, "1234"), kArmed);
    for (int tick = 0; tick < 5; ++tick) {
        EXPECT_EQ(trigger_.Timer4_Timer(), std::nullopt);
    }
    EXPECT_TRUE(trigger_.armed());
    EXPECT_THAT(launcher_.attempts(), IsEmpty());
}

// Mended: the ticks watch the ID taken at 确定 and read no text, so a half-typed new ID
// ("5" on the way to "5678") cannot make the trigger fire.
TEST_F(ProcessExitTriggerTest, WatchesTheIdTakenWhenArmedNotTheOneTypedSince) {
    ASSERT_EQ(trigger_.Command5_Click(kShutdown, "5678"), kArmed);
    processes_.setRunning({4, 5678});
    for (int tick = 0; tick < 3; ++tick) {
        trigger_.Timer4_Timer();
    }
    EXPECT_THAT(launcher_.attempts(), IsEmpty());

    processes_.setRunning({4, 5});
    trigger_.Timer4_Timer();
    EXPECT_THAT(launcher_.attempts(), ElementsAre(commandLineOf(1)));
}

// Mended: once the process has ended the action starts once and the trigger disarms;
// starting it every second would send a woken machine straight back to sleep.
TEST_F(ProcessExitTriggerTest, StartsTheActionOnceWhenTheProcessEndsAndDisarms) {
    ASSERT_EQ(trigger_.Command5_Click(kSleep, "1234"), kArmed);
    processes_.setRunning({4, 5678});

    EXPECT_EQ(trigger_.Timer4_Timer(), std::nullopt);
    EXPECT_FALSE(trigger_.armed());
    const int walksWhenFired = processes_.walks();
    for (int tick = 0; tick < 5; ++tick) {
        EXPECT_EQ(trigger_.Timer4_Timer(), std::nullopt);
    }
    EXPECT_THAT(launcher_.attempts(), ElementsAre(commandLineOf(3)));
    EXPECT_EQ(processes_.walks(), walksWhenFired);
}

TEST_F(ProcessExitTriggerTest, CanBeArmedAgainAfterItFired) {
    ASSERT_EQ(trigger_.Command5_Click(kShutdown, "1234"), kArmed);
    processes_.setRunning({5678});
    trigger_.Timer4_Timer();

    EXPECT_EQ(trigger_.Command5_Click(kNothingChosen, "5678"), kArmed);
    processes_.setRunning({});
    trigger_.Timer4_Timer();
    EXPECT_THAT(launcher_.attempts(), SizeIs(2));
}

// Mended: a command that cannot be started is reported once, with its command line.
TEST_F(ProcessExitTriggerTest, ACommandThatCannotStartIsReportedOnce) {
    launcher_.failStarts(true);
    ASSERT_EQ(trigger_.Command5_Click(kHibernate, "1234"), kArmed);
    processes_.setRunning({4});

    const std::optional<std::string> message = trigger_.Timer4_Timer();
    ASSERT_THAT(launcher_.attempts(), SizeIs(1));
    EXPECT_EQ(message, "无法执行：" + launcher_.attempts().front());
    for (int tick = 0; tick < 3; ++tick) {
        EXPECT_EQ(trigger_.Timer4_Timer(), std::nullopt);
    }
    EXPECT_THAT(launcher_.attempts(), SizeIs(1));
}

// Every click disarms first: a click with an ID no process has leaves nothing armed.
TEST_F(ProcessExitTriggerTest, AClickThatFindsNoProcessDisarmsTheTrigger) {
    ASSERT_EQ(trigger_.Command5_Click(kShutdown, "1234"), kArmed);

    EXPECT_EQ(trigger_.Command5_Click(kShutdown, "999"), kNoSuchProcess);
    EXPECT_FALSE(trigger_.armed());

    processes_.setRunning({});
    EXPECT_EQ(trigger_.Timer4_Timer(), std::nullopt);
    EXPECT_THAT(launcher_.attempts(), IsEmpty());
}

TEST_F(ProcessExitTriggerTest, ReArmingWatchesTheNewId) {
    ASSERT_EQ(trigger_.Command5_Click(kShutdown, "1234"), kArmed);
    ASSERT_EQ(trigger_.Command5_Click(kShutdown, "5678"), kArmed);

    processes_.setRunning({5678});
    trigger_.Timer4_Timer();
    EXPECT_THAT(launcher_.attempts(), IsEmpty());
    processes_.setRunning({1234});
    trigger_.Timer4_Timer();
    EXPECT_THAT(launcher_.attempts(), SizeIs(1));
}

}  // namespace
