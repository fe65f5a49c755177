#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <array>
#include <future>
#include <thread>

#include "platform/process_list.h"

extern char** environ;

namespace {

using ::testing::Contains;
using ::testing::Not;

std::uint32_t asId(pid_t pid) {
    return static_cast<std::uint32_t>(pid);
}

// A child that runs until its standard input is closed: cat reading from a pipe.
class HeldChild {
  public:
    HeldChild() {
        std::array<int, 2> pipeEnds{};
        if (pipe(pipeEnds.data()) != 0) {
            return;
        }
        posix_spawn_file_actions_t actions;
        posix_spawn_file_actions_init(&actions);
        posix_spawn_file_actions_adddup2(&actions, pipeEnds[0], STDIN_FILENO);
        posix_spawn_file_actions_addclose(&actions, pipeEnds[1]);
        char program[] = "/bin/cat";
        char* argv[] = {program, nullptr};
        if (posix_spawn(&pid_, program, &actions, nullptr, argv, environ) != 0) {
            pid_ = 0;
        }
        posix_spawn_file_actions_destroy(&actions);
        close(pipeEnds[0]);
        input_ = pipeEnds[1];
    }
    HeldChild(const HeldChild&) = delete;
    HeldChild& operator=(const HeldChild&) = delete;
    ~HeldChild() { endAndReap(); }

    pid_t pid() const { return pid_; }

    // Closes the child's input, so that it ends, and collects its exit status.
    bool endAndReap() {
        if (input_ >= 0) {
            close(input_);
            input_ = -1;
        }
        if (pid_ == 0) {
            return false;
        }
        const bool reaped = waitpid(pid_, nullptr, 0) == pid_;
        reapedPid_ = pid_;
        pid_ = 0;
        return reaped;
    }
    pid_t reapedPid() const { return reapedPid_; }

  private:
    pid_t pid_ = 0;
    pid_t reapedPid_ = 0;
    int input_ = -1;
};

TEST(SystemProcessListTest, ListsThisProcess) {
    EXPECT_THAT(makeSystemProcessList()->runningProcessIds(), Contains(asId(getpid())));
}

TEST(SystemProcessListTest, ListsARunningChildButNotOnceItHasEndedAndBeenReaped) {
    HeldChild child;
    ASSERT_NE(child.pid(), 0);
    const auto processes = makeSystemProcessList();
    EXPECT_THAT(processes->runningProcessIds(), Contains(asId(child.pid())));

    ASSERT_TRUE(child.endAndReap());
    EXPECT_THAT(processes->runningProcessIds(), Not(Contains(asId(child.reapedPid()))));
}

// /proc also answers for thread IDs, but a thread is not a process: only the directories
// /proc lists count.
TEST(SystemProcessListTest, DoesNotListTheIdOfAThreadOtherThanTheMainOne) {
    std::promise<pid_t> threadId;
    std::promise<void> release;
    std::thread other([&] {
        threadId.set_value(gettid());
        release.get_future().wait();
    });
    const pid_t tid = threadId.get_future().get();
    const std::vector<std::uint32_t> ids = makeSystemProcessList()->runningProcessIds();
    release.set_value();
    other.join();

    ASSERT_NE(tid, getpid());
    EXPECT_THAT(ids, Not(Contains(asId(tid))));
    EXPECT_THAT(ids, Contains(asId(getpid())));
}

}  // namespace
