#include <spawn.h>
#include <sys/wait.h>

#include <algorithm>
#include <string>
#include <system_error>
#include <thread>
#include <vector>

#include "platform/process_launcher.h"

extern char** environ;

namespace {

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

// The program has started whether or not a thread can be had to reap it; without one, the
// finished child stays a zombie until this program ends, which harms nothing.
void reapLater(pid_t child) {
    try {
        std::thread([child] { waitpid(child, nullptr, 0); }).detach();
    } catch (const std::system_error&) {
    }
}

// A desktop session has no minimized state for a console command: the program is started
// through the search path without a shell, and a thread of its own reaps it so that no
// zombie stays behind while the window runs on.
class SpawnLauncher final : public ProcessLauncher {
  public:
    bool startMinimized(std::string_view commandLine) override {
        std::vector<std::string> words = splitOnSpaces(commandLine);
        if (words.empty()) {
            return false;
        }
        std::vector<char*> argv;
        for (std::string& word : words) {
            argv.push_back(word.data());
        }
        argv.push_back(nullptr);
        pid_t child = 0;
        if (posix_spawnp(&child, argv[0], nullptr, nullptr, argv.data(), environ) != 0) {
            return false;
        }
        reapLater(child);
        return true;
    }
};

}  // namespace

std::unique_ptr<ProcessLauncher> makeSystemProcessLauncher() {
    return std::make_unique<SpawnLauncher>();
}
