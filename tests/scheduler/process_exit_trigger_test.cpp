#include "scheduler/process_exit_trigger.h"

#include <gmock/gmock.h>

#include "scheduler/messages.h"
#include "scheduler/power_action.h"
#include "support/fake_process_list.h"
#include "support/recording_launcher.h"

namespace {

using ::testing::IsEmpty;

// Option9..Option12 of the right panel.
constexpr PanelOptions kNothingChosen{};
constexpr PanelOptions kShutdown{true, false, false, false};
constexpr PanelOptions kSleep{false, false, true, false};

std::string commandLineOf(ActionKind kind) {
    return std::string(*powerCommandLine(kind));
}

class ProcessExitTriggerTest : public ::testing::Test {
  protected:
    FakeProcessList processes_{{4, 1234, 5678}};
    RecordingLauncher launcher_;
    ProcessExitTrigger trigger_{processes_, launcher_};
};

// An empty list stands for one that cannot be read.
TEST_F(ProcessExitTriggerTest, TheProcessIsFoundByTheNumberTheTextBeginsWith) {
    const std::tuple<const char*, std::vector<std::uint32_t>, bool> rows[] = {
        {"1234abc", {1, 1234}, true},
        {" 1234", {1, 1234}, true},
        {"12.5", {12, 13, 125}, false},
        {"", {0, 4}, true},
        {"0", {0, 4}, true},
        {"1234", {}, false},
        {"-1", {4294967295u}, false},
        {"4294967295", {4294967295u}, true},
        {"4294967296", {0}, false},
    };
    for (const auto& [text, running, found] : rows) {
        processes_.setRunning(running);
        trigger_.Command5_Click(kShutdown, text);
        EXPECT_EQ(trigger_.armed(), found) << '"' << text << '"';
    }
}

// With no kind chosen nor armed nothing is watched. A refused click disarms but keeps its
// kind; a later click with nothing chosen (the choice went to another panel) arms that kind
// and watches the new ID.
TEST_F(ProcessExitTriggerTest, ARefusedClickDisarmsAndAClickWithNothingChosenReArms) {
    EXPECT_EQ(trigger_.Command5_Click(kNothingChosen, "1234"), kChooseActionMessage);
    EXPECT_FALSE(trigger_.armed());
    ASSERT_EQ(trigger_.Command5_Click(kShutdown, "1234"), kArmedMessage);
    EXPECT_EQ(trigger_.Command5_Click(kSleep, "999"), kNoSuchProcessMessage);
    processes_.setRunning({5678});
    trigger_.Timer4_Timer();
    EXPECT_THAT(launcher_.attempts(), IsEmpty());

    EXPECT_EQ(trigger_.Command5_Click(kNothingChosen, "5678"), kArmedMessage);
    trigger_.Timer4_Timer();
    EXPECT_THAT(launcher_.attempts(), IsEmpty());
    processes_.setRunning({});
    trigger_.Timer4_Timer();
    EXPECT_THAT(launcher_.attempts(), ::testing::ElementsAre(commandLineOf(3)));
}

// Mended: the ticks watch the ID taken at 确定, so a half-typed new ID ("5" on the way to
// "5678") cannot fire; once that process has ended the action starts once and the trigger
// disarms, so a machine woken from sleep is not sent straight back.
TEST_F(ProcessExitTriggerTest, StartsOnceWhenTheIdTakenAtTheClickHasGone) {
    ASSERT_EQ(trigger_.Command5_Click(kSleep, "5678"), kArmedMessage);
    trigger_.Timer4_Timer();
    EXPECT_THAT(launcher_.attempts(), IsEmpty());
    processes_.setRunning({4, 5});
    trigger_.Timer4_Timer();
    trigger_.Timer4_Timer();
    EXPECT_FALSE(trigger_.armed());
    EXPECT_THAT(launcher_.attempts(), ::testing::ElementsAre(commandLineOf(3)));
}

// Mended: a command that cannot be started is reported once, with its command line.
TEST_F(ProcessExitTriggerTest, ACommandThatCannotStartIsReportedOnce) {
    launcher_.failStarts(true);
    ASSERT_EQ(trigger_.Command5_Click(kShutdown, "1234"), kArmedMessage);
    processes_.setRunning({4});
    EXPECT_EQ(trigger_.Timer4_Timer(), std::string(kCannotStartPrefix) + commandLineOf(1));
    EXPECT_EQ(trigger_.Timer4_Timer(), std::nullopt);
}

}  // namespace
