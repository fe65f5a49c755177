#include <sys/stat.h>
#include <sys/wait.h>

#include <gmock/gmock.h>

#include <cerrno>
#include <csignal>
#include <fstream>
#include <functional>
#include <memory>
#include <string>
#include <utility>

#include "platform/process_launcher_linux.h"
#include "support/poll.h"
#include "support/scratch_directory.h"
#include "support/stand_in_path_linux.h"

namespace {

// PATH holds nothing but the recording stand-ins: the real systemctl is out of reach. How
// SIGCHLD was handled before the test is put back after it.
class SystemLauncherTest : public ::testing::Test {
  protected:
    SystemLauncherTest() { sigaction(SIGCHLD, nullptr, &childSignal_); }
    ~SystemLauncherTest() override { sigaction(SIGCHLD, &childSignal_, nullptr); }

    // Starts "systemctl poweroff", then asks `meanwhile` if given, and waits for the end it tells.
    std::optional<CommandEnd> poweroff(const std::function<bool()>& meanwhile = nullptr) const {
        return endOf(*launcher_, [&meanwhile](ProcessLauncher& launcher) {
            return launcher.startMinimized("systemctl poweroff") && (!meanwhile || meanwhile());
        });
    }

    struct sigaction childSignal_ {};
    const StandInPath path_;
    const std::unique_ptr<ProcessLauncher> launcher_ = makeSystemProcessLauncher();
};

// The stand-in is put on the path only after a first start that finds nothing. Once reaped by
// the launcher, waitid no longer knows the child as ours (WNOWAIT leaves a zombie for its
// rightful reaper).
TEST_F(SystemLauncherTest, StartsFromThePathEachWordLiterallyWithoutAShellAndLeavesNoZombie) {
    EXPECT_FALSE(launcher_->startMinimized("systemctl poweroff"));
    EXPECT_FALSE(launcher_->startMinimized(""));
    path_.addRecorder("systemctl");
    ASSERT_TRUE(launcher_->startMinimized(" systemctl  $HOME;x `id` * >out "));

    const auto calls = path_.waitForCalls("systemctl", 1);
    ASSERT_THAT(calls, ::testing::Optional(::testing::SizeIs(1)));
    EXPECT_THAT(calls->front().arguments, ::testing::ElementsAre("$HOME;x", "`id`", "*", ">out"));
    const pid_t child = calls->front().pid;
    EXPECT_TRUE(pollUntil([child] {
        siginfo_t info{};
        return waitid(P_PID, static_cast<id_t>(child), &info, WEXITED | WNOHANG | WNOWAIT) != 0 &&
               errno == ECHILD;
    })) << child
        << " stayed a child that nobody reaped";
}

// A refusal is told by its status, a signal's as a shell reports it, with the first line of the
// error output that is not empty. Output beside success is told too: the reporter leaves it.
// A parent that ignored SIGCHLD passes that on, and the system would then reap the commands
// itself, their status lost.
TEST_F(SystemLauncherTest, TellsTheStatusAndTheFirstErrorLineThatIsNotEmpty) {
    const std::pair<std::string, CommandEnd> cases[] = {
        {"printf '\\nOperation inhibited by \"Editor\".\\nmore\\n' >&2; exit 1",
         {1, "Operation inhibited by \"Editor\"."}},
        {"kill -KILL $$", {128 + SIGKILL, ""}},
        {"printf 'Warning: unit changed\\n' >&2; exit 0", {0, "Warning: unit changed"}},
    };
    for (const auto disposition : {SIG_DFL, SIG_IGN}) {
        for (const auto& [then, end] : cases) {
            signal(SIGCHLD, disposition);
            path_.addRecorder("systemctl", then);
            EXPECT_EQ(poweroff(), end)
                << then << (disposition == SIG_IGN ? ", SIGCHLD ignored" : "");
        }
    }
}

// The stand-in cannot end before the test opens a named pipe that the stand-in opens to write:
// the start has returned while the command runs, and its end is told once it is over. SIGCHLD
// ignored while it runs has the system reap it: its end is still told, as one that could not
// be learnt (mended: it was told as a refusal), with the error line that was read.
TEST_F(SystemLauncherTest, TheStartReturnsWhileTheCommandRunsAndItsEndIsAlwaysTold) {
    const ScratchDirectory scratch;
    const std::string release = (scratch.path() / "release").string();
    ASSERT_EQ(mkfifo(release.c_str(), 0600), 0);
    path_.addRecorder("systemctl", "echo refused >&2; : > '" + release + "'; exit 3");
    for (const auto disposition : {SIG_DFL, SIG_IGN}) {
        EXPECT_EQ(poweroff([&release, disposition] {
                      signal(SIGCHLD, disposition);
                      return std::ifstream(release).is_open();
                  }),
                  (disposition == SIG_IGN ? CommandEnd{std::nullopt, "refused", false}
                                          : CommandEnd{3, "refused"}));
    }
}

// Without a thread to wait for it, a command would run unheard and stay a zombie: none starts.
TEST_F(SystemLauncherTest, StartsNothingWithoutAThreadToWaitForIt) {
    path_.addRecorder("systemctl");
    const auto launcher = makeSpawnLauncher([](const std::function<void()>&) { return false; });
    EXPECT_FALSE(launcher->startMinimized("systemctl poweroff"));
    EXPECT_FALSE(launcher->startSuspend(SuspendState::Sleep, "systemctl suspend"));
    siginfo_t info{};
    EXPECT_EQ(waitid(P_ALL, 0, &info, WEXITED | WNOHANG | WNOWAIT), -1) << "a child was left";
}

}  // namespace
