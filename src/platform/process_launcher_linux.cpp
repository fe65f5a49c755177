#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <cerrno>
#include <optional>
#include <string>
#include <system_error>
#include <thread>
#include <utility>
#include <vector>

#include "platform/process_launcher.h"

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

// Nothing is reported when the end cannot be known, as when another part of the program has
// already reaped the child.
void waitForEnd(pid_t child, int errorOutput, const std::string& commandLine,
                const CommandEnded& ended) {
    std::string firstErrorLine = firstLineOf(errorOutput);
    close(errorOutput);
    int status = 0;
    pid_t reaped = 0;
    do {
        reaped = waitpid(child, &status, 0);
    } while (reaped < 0 && errno == EINTR);
    if (reaped == child && ended) {
        ended(commandLine, {exitStatusOf(status), std::move(firstErrorLine)});
    }
}

// The program has started whether or not a thread can be had to wait for it; without one, its
// end goes unheard and the finished child stays a zombie until this program ends.
void waitLater(pid_t child, int errorOutput, std::string_view commandLine, CommandEnded ended) {
    try {
        std::thread([child, errorOutput, line = std::string(commandLine),
                     ended = std::move(ended)] {
            waitForEnd(child, errorOutput, line, ended);
        }).detach();
    } catch (const std::system_error&) {
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

// A desktop session has no minimized state for a console command: the program is started
// through the search path without a shell, and a thread of its own reads its error output and
// reaps it, so that no zombie stays behind while the window runs on.
class SpawnLauncher final : public ProcessLauncher {
  public:
    explicit SpawnLauncher(CommandEnded ended) : ended_(std::move(ended)) {}

    bool startMinimized(std::string_view commandLine) override {
        std::vector<std::string> words = splitOnSpaces(commandLine);
        if (words.empty()) {
            return false;
        }
        const std::optional<ErrorPipe> errors = openErrorPipe();
        if (!errors) {
            return false;
        }
        std::vector<char*> argv;
        for (std::string& word : words) {
            argv.push_back(word.data());
        }
        argv.push_back(nullptr);
        const std::optional<pid_t> child = spawnWithErrorsInto(argv, errors->writeEnd);
        close(errors->writeEnd);
        if (!child) {
            close(errors->readEnd);
            return false;
        }
        waitLater(*child, errors->readEnd, commandLine, ended_);
        return true;
    }

    // systemd sleeps and hibernates through its own command.
    bool startSuspend(SuspendState /*state*/, std::string_view commandLine) override {
        return startMinimized(commandLine);
    }

    std::unique_ptr<ProcessLauncher> reportingTo(CommandEnded ended) const override {
        return std::make_unique<SpawnLauncher>(std::move(ended));
    }

  private:
    CommandEnded ended_;
};

}  // namespace

std::unique_ptr<ProcessLauncher> makeSystemProcessLauncher() {
    return std::make_unique<SpawnLauncher>(nullptr);
}
