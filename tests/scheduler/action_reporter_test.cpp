// A panel's launcher on a recorder: the test ends its commands as a waiting thread would, and
// runs what was handed over as the window's thread would.
#include <gmock/gmock.h>

#include <optional>
#include <thread>

#include "scheduler/action_reporter.h"
#include "scheduler/power_action.h"
#include "support/fake_clock.h"
#include "support/recording_launcher.h"

namespace {

using ::testing::IsEmpty;

class ActionReporterTest : public ::testing::Test {
  protected:
    void runHandedOver() {
        for (const auto& task : std::exchange(handedOver_, {})) {
            task();
        }
    }
    std::string logged(std::string_view result) const {
        return "lanhe-shutdown 2026-03-07 08:06:04 [按时间] \"" + line_ + "\" " +
               std::string(result);
    }

    const std::string line_ = commandLineOf(1);
    FakeClock clock_{{2026, 3, 7, 8, 6, 4}};
    std::vector<std::function<void()>> handedOver_;
    std::vector<std::string> messages_;
    std::vector<std::string> log_;
    RecordingLauncher system_;
    std::optional<ActionReporter> reporter_{
        std::in_place, clock_, [this](std::function<void()> task) { handedOver_.push_back(task); },
        [this](const std::string& message) { messages_.push_back(message); },
        [this](std::string_view line) { log_.emplace_back(line); }};
    std::unique_ptr<ProcessLauncher> panel_ = reporter_->launcherFor("按时间", system_);
};

// Mended: an end that could not be learnt (something else reaped the command, which most likely
// ran) is logged as such, and no refusal is shown for it.
TEST_F(ActionReporterTest, ARefusalIsShownOnceOnTheWindowsThreadAndLoggedWithThePanel) {
    const std::tuple<CommandEnd, std::vector<std::string>, std::optional<std::string>> cases[] = {
        {{1, "Interactive authentication required."},
         {"无法执行：" + line_ + "\nInteractive authentication required."},
         "未执行（退出状态 1）：Interactive authentication required."},
        {{1, ""}, {"无法执行：" + line_}, "未执行（退出状态 1）"},
        {{std::nullopt, ""}, {"无法执行：" + line_}, "未执行（退出状态未知）"},
        {{0, "Warning: unit changed"}, {}, std::nullopt},
        {{std::nullopt, "Interactive authentication required.", false},
         {},
         "结果未知：Interactive authentication required."},
    };
    for (const auto& [end, shown, refusal] : cases) {
        messages_.clear();
        log_.clear();
        ASSERT_EQ(RunPowerAction(*panel_, 1), std::nullopt);
        system_.end(system_.attempts().size() - 1, end);
        EXPECT_THAT(messages_, IsEmpty()) << "shown off the window's thread";
        runHandedOver();
        EXPECT_EQ(messages_, shown);
        EXPECT_EQ(log_, (refusal ? std::vector{logged("已开始"), logged(*refusal)}
                                 : std::vector{logged("已开始")}));
    }
    system_.failStarts(true);
    EXPECT_EQ(RunPowerAction(*panel_, 1), "无法执行：" + line_);
    EXPECT_EQ(log_.back(), logged("无法启动"));
}

// The window closed while its commands ran, each end told on a thread of its own as a waiting
// thread tells it: what was already handed over finds no one, what ends later is not handed
// over at all, and an end told while the window closes is one or the other.
TEST_F(ActionReporterTest, EndsArrivingAfterTheReporterHasGoneAreDropped) {
    for (const ActionKind kind : {1, 2, 3}) {
        RunPowerAction(*panel_, kind);
    }
    const auto endOnItsOwnThread = [this](std::size_t attempt) {
        return std::thread([this, attempt] { system_.end(attempt, {1, "refused"}); });
    };
    endOnItsOwnThread(0).join();
    std::thread whileClosing = endOnItsOwnThread(1);
    panel_.reset();
    reporter_.reset();
    whileClosing.join();
    endOnItsOwnThread(2).join();

    EXPECT_THAT(handedOver_.size(), ::testing::AllOf(::testing::Ge(1u), ::testing::Le(2u)));
    runHandedOver();
    EXPECT_THAT(messages_, IsEmpty());
}

}  // namespace
