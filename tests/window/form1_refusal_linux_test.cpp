// The window with the real launcher and a stand-in systemctl, the only thing on PATH: how the
// command ends decides what the user is shown, once, and the window never waits for it.
#include <sys/stat.h>
#include <sys/wait.h>

#include <QTest>
#include <cstdio>

#include "form1_fixture.h"
#include "support/poll.h"
#include "support/scratch_directory.h"
#include "support/stand_in_path_linux.h"

namespace {

class RefusedCommand : public Form1Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(path_.isWholeSearchPath());
        formLauncher_ = system_.get();
        start();
    }
    // Arms 关机 for 8:06 and lets Timer1 find it passed; returns the stand-in's pid once the
    // stand-in has been started that many times in all.
    pid_t fire(std::size_t starts) {
        clock_.set({2026, 3, 7, 8, 5, 0});
        typeInto("Text5", "6");  // the others show the date and hour since start-up
        click("Option1");
        click("Command1");
        clock_.set({2026, 3, 7, 8, 6, 4});
        tick("Timer1");
        const auto calls = path_.waitForCalls("systemctl", starts);
        return calls ? calls->back().pid : 0;
    }
    // Waits until the launcher has reaped the stand-in, then lets its end reach the window.
    static void awaitEnd(pid_t child) {
        siginfo_t info{};
        ASSERT_TRUE(pollUntil([&] {
            return waitid(P_PID, static_cast<id_t>(child), &info, WEXITED | WNOHANG | WNOWAIT) &&
                   errno == ECHILD;
        }));
        QTest::qWait(300);
    }

    const StandInPath path_;
    const std::unique_ptr<ProcessLauncher> system_ = makeSystemProcessLauncher();
};

// Told once, with the first line of the error output that is not empty.
TEST_F(RefusedCommand, ANonZeroExitIsShownOnceWithTheFirstErrorLineAndSuccessShowsNothing) {
    const std::pair<std::string, std::vector<QString>> cases[] = {
        {"printf '\\nOperation inhibited by \"Editor\".\\nmore\\n' >&2; exit 1",
         {kArmed, "无法执行：systemctl poweroff\nOperation inhibited by \"Editor\"."}},
        {"exit 1", {kArmed, "无法执行：systemctl poweroff"}},
        {"kill -KILL $$", {kArmed, "无法执行：systemctl poweroff"}},
        {"printf 'Warning: unit changed\\n' >&2; exit 0", {kArmed}},
    };
    for (std::size_t starts = 1; const auto& [then, shown] : cases) {
        SCOPED_TRACE(then);
        path_.addRecorder("systemctl", then);
        messages_.clear();
        awaitEnd(fire(starts++));
        EXPECT_EQ(messages_, shown);
    }
}

// The stand-in runs until the test closes its end of a pipe (never inherited by the stand-in),
// whatever way the test ends: meanwhile the monitor's tick reads the table.
TEST_F(RefusedCommand, TheMonitorTicksOnWhileTheCommandRuns) {
    const ScratchDirectory scratch;
    const std::string release = (scratch.path() / "release").string();
    ASSERT_EQ(mkfifo(release.c_str(), 0600), 0);
    std::unique_ptr<FILE, int (*)(FILE*)> held(std::fopen(release.c_str(), "r+e"), &std::fclose);
    ASSERT_TRUE(held);
    path_.addRecorder("systemctl", "read -r answer < '" + release + "'; exit 0");
    int reads = 0;
    table_.probe = [&reads] { ++reads; };
    const pid_t child = fire(1);
    const int readsWhenStarted = reads;

    QTRY_VERIFY_WITH_TIMEOUT(reads >= readsWhenStarted + 5, 60000);
    held.reset();
    awaitEnd(child);
    EXPECT_EQ(messages_, std::vector{kArmed});
}

}  // namespace
