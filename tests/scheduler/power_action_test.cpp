#include "scheduler/power_action.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <set>

#include "support/recording_launcher.h"

namespace {

using ::testing::IsEmpty;
using ::testing::SizeIs;

TEST(RunPowerActionTest, EachOfTheFourKindsStartsOneCommandLineOfItsOwn) {
    RecordingLauncher launcher;
    for (const ActionKind kind : {1, 2, 3, 4}) {
        EXPECT_EQ(RunPowerAction(launcher, kind), std::nullopt) << "kind " << kind;
    }
    ASSERT_THAT(launcher.attempts(), SizeIs(4));
    const std::set<std::string> distinct(launcher.attempts().begin(), launcher.attempts().end());
    EXPECT_EQ(distinct.size(), 4u);
    EXPECT_EQ(distinct.count(""), 0u);
}

TEST(RunPowerActionTest, AnyOtherKindStartsNothingAndShowsNothing) {
    RecordingLauncher launcher;
    launcher.failStarts(true);
    for (const ActionKind kind : {0, 5, -1, 32767, -32768}) {
        EXPECT_EQ(RunPowerAction(launcher, kind), std::nullopt) << "kind " << kind;
    }
    EXPECT_THAT(launcher.attempts(), IsEmpty());
}

TEST(RunPowerActionTest, ACommandThatCannotStartIsReportedWithItsCommandLine) {
    RecordingLauncher launcher;
    launcher.failStarts(true);
    for (const ActionKind kind : {1, 2, 3, 4}) {
        const std::optional<std::string> message = RunPowerAction(launcher, kind);
        ASSERT_THAT(launcher.attempts(), SizeIs(static_cast<std::size_t>(kind)));
        EXPECT_EQ(message, "无法执行：" + launcher.attempts().back()) << "kind " << kind;
    }
}

}  // namespace
