#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <cerrno>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "platform/process_launcher_linux.h"

extern char** environ;

namespace {

// Enough for any one-line message a power command writes; the rest is read and dropped.
constexpr std::size_t kLongestErrorLine = 1024;

std::vector<std::string> splitOnSpaces(std::string_view commandLine) {
    std::vector<std::string> words;
    std::size_t pos = 0;
    while (pos < commandLine.size()) {
        const std::size_t end = std::min(commandLine.find(' ', pos), commandLine.size());
        if (end > pos) {
            words.emplace_back(commandLine.substr(pos, end - pos));
        }
        pos = end + 1;
    }
    return words;
}

// Reads the command's error output to its end, so that the command never blocks on a full
// pipe, and keeps its first line that is not empty.
std::string firstLineOf(int errorOutput) {
    std::string text;
    std::array<char, 4096> chunk{};
    for (;;) {
        const ssize_t count = read(errorOutput, chunk.data(), chunk.size());
        if (count == 0 || (count < 0 && errno != EINTR)) {
            break;
        }
        if (count > 0 && text.size() < kLongestErrorLine) {
            text.append(chunk.data(), static_cast<std::size_t>(count));
        }
    }
    const std::size_t begin = std::min(text.find_first_not_of("\r\n"), text.size());
    const std::size_t end = std::min(text.find_first_of("\r\n", begin), text.size());
    return text.substr(begin, std::min(end - begin, kLongestErrorLine));
}

// A child ended by a signal reads as a shell reports it: 128 and the signal's number.
int exitStatusOf(int waitStatus) {
    return WIFEXITED(waitStatus) ? WEXITSTATUS(waitStatus) : 128 + WTERMSIG(waitStatus);
}

// A started command: its process, and the read end of the pipe that is its error output.
struct StartedChild {
    pid_t pid = 0;
    int errorOutput = -1;
};

// Its status is lost when the system has reaped the child already; the end is then told as one
// that could not be learnt rather than not at all.
CommandEnd waitForEnd(const StartedChild& child) {
    std::string firstErrorLine = firstLineOf(child.errorOutput);
    close(child.errorOutput);
    int status = 0;
    pid_t reaped = 0;
    do {
        reaped = waitpid(child.pid, &status, 0);
    } while (reaped < 0 && errno == EINTR);
    if (reaped != child.pid) {
        return {std::nullopt, std::move(firstErrorLine), false};
    }
    return {exitStatusOf(status), std::move(firstErrorLine)};
}

// A parent that ignored SIGCHLD, or asked for no zombies, passes that on to this program: the
// system would then reap the commands itself, and their status would be lost.
void keepChildrenWaitable() {
    struct sigaction current {};
    if (sigaction(SIGCHLD, nullptr, &current) == 0 &&
        (current.sa_handler == SIG_IGN || (current.sa_flags & SA_NOCLDWAIT) != 0)) {
        struct sigaction standard {};
        standard.sa_handler = SIG_DFL;
        sigaction(SIGCHLD, &standard, nullptr);
    }
}

// The child's standard error goes to the write end; both ends close on exec elsewhere, so that
// no other child keeps the pipe open.
struct ErrorPipe {
    int readEnd = -1;
    int writeEnd = -1;
};

std::optional<ErrorPipe> openErrorPipe() {
    std::array<int, 2> ends{};
    if (pipe2(ends.data(), O_CLOEXEC) != 0) {
        return std::nullopt;
    }
    return ErrorPipe{ends[0], ends[1]};
}

std::optional<pid_t> spawnWithErrorsInto(std::vector<char*>& argv, int errorOutput) {
    posix_spawn_file_actions_t actions;
    if (posix_spawn_file_actions_init(&actions) != 0) {
        return std::nullopt;
    }
    pid_t child = 0;
    const bool started =
        posix_spawn_file_actions_adddup2(&actions, errorOutput, STDERR_FILENO) == 0 &&
        posix_spawnp(&child, argv[0], &actions, nullptr, argv.data(), environ) == 0;
    posix_spawn_file_actions_destroy(&actions);
    return started ? std::optional(child) : std::nullopt;
}

// The argument list is built before the pipe is opened: running out of memory for it then
// leaves no pipe open.
std::optional<StartedChild> spawnWithErrorPipe(std::vector<std::string>& words) {
    std::vector<char*> argv;
    for (std::string& word : words) {
        argv.push_back(word.data());
    }
    argv.push_back(nullptr);
    const std::optional<ErrorPipe> errors = openErrorPipe();
    if (!errors) {
        return std::nullopt;
    }
    keepChildrenWaitable();
    const std::optional<pid_t> child = spawnWithErrorsInto(argv, errors->writeEnd);
    close(errors->writeEnd);
    if (!child) {
        close(errors->readEnd);
        return std::nullopt;
    }
    return StartedChild{*child, errors->readEnd};
}

// A desktop session has no minimized state for a console command: the program is started
// through the search path without a shell, and a thread of its own reads its error output and
// reaps it, so that no zombie stays behind while the window runs on. Without such a thread
// nothing is started.
class SpawnLauncher final : public ProcessLauncher {
  public:
    SpawnLauncher(StartThread startThread, CommandEnded ended)
        : startThread_(std::move(startThread)), ended_(std::move(ended)) {}

    bool startMinimized(std::string_view commandLine) override {
        std::vector<std::string> words = splitOnSpaces(commandLine);
        if (words.empty()) {
            return false;
        }
        return startWithWaiter<StartedChild>(
            startThread_, [&words] { return spawnWithErrorPipe(words); },
            [line = std::string(commandLine), ended = ended_](StartedChild child) {
                const CommandEnd end = waitForEnd(child);
                if (ended) {
                    ended(line, end);
                }
            });
    }

    // systemd sleeps and hibernates through its own command.
    bool startSuspend(SuspendState /*state*/, std::string_view commandLine) override {
        return startMinimized(commandLine);
    }

    std::unique_ptr<ProcessLauncher> reportingTo(CommandEnded ended) const override {
        return std::make_unique<SpawnLauncher>(startThread_, std::move(ended));
    }

  private:
    StartThread startThread_;
    CommandEnded ended_;
};

}  // namespace

std::unique_ptr<ProcessLauncher> makeSpawnLauncher(StartThread startThread) {
    return std::make_unique<SpawnLauncher>(std::move(startThread), nullptr);
}

std::unique_ptr<ProcessLauncher> makeSystemProcessLauncher() {
    return makeSpawnLauncher(startDetachedThread);
}
