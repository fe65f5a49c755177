// A search path that holds nothing but recording stand-ins, so that a test can let the real
// launcher start "systemctl" without any chance of reaching the real one.
#pragma once

#include <sys/types.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <optional>
#include <sstream>
#include <stdexcept>
#include <string>
#include <vector>

#include "support/poll.h"
#include "support/scratch_directory.h"

// One start of a stand-in: the process it ran as and the arguments it was given.
struct RecordedCall {
    pid_t pid = 0;
    std::vector<std::string> arguments;
};

class StandInPath {
  public:
    // Makes a scratch directory the whole of PATH, or throws: nothing may start while the real
    // programs can still be found. The destructor puts PATH back. Not copyable, as its
    // directory is not.
    StandInPath() {
        if (setenv("PATH", directory_.path().c_str(), 1) != 0) {
            throw std::runtime_error("PATH could not be replaced");
        }
    }
    ~StandInPath() { setenv("PATH", savedPath_.c_str(), 1); }

    // Puts a shell script named program on the path that records each start of it, then runs
    // `then` (shell built-ins and absolute paths only, since nothing else is on its PATH), as
    // in "printf 'no\n' >&2; exit 1".
    void addRecorder(const std::string& program, const std::string& then = "") const {
        const std::filesystem::path script = directory_.path() / program;
        std::ofstream(script) << "#!/bin/sh\n"
                                 "line=\"$$\"\n"
                                 "for word in \"$@\"; do line=\"$line $word\"; done\n"
                                 "printf '%s\\n' \"$line\" >> '"
                              << script.string() << ".calls'\n"
                              << then << '\n';
        std::filesystem::permissions(script, std::filesystem::perms::owner_all);
    }
    // Waits until program has been started count times; then every start recorded, oldest
    // first, or nothing.
    std::optional<std::vector<RecordedCall>> waitForCalls(const std::string& program,
                                                          std::size_t count) const {
        const std::filesystem::path record = directory_.path() / (program + ".calls");
        if (!pollUntil([&] { return recordedCalls(record).size() >= count; })) {
            return std::nullopt;
        }
        return recordedCalls(record);
    }

  private:
    // Each start appends one line, "<pid> <arguments...>", in a single write. Only whole lines
    // count: a line without its newline is still being written.
    static std::vector<RecordedCall> recordedCalls(const std::filesystem::path& record) {
        std::ifstream lines(record);
        std::vector<RecordedCall> calls;
        for (std::string line; std::getline(lines, line) && !lines.eof();) {
            std::istringstream words(line);
            RecordedCall& call = calls.emplace_back();
            words >> call.pid;
            call.arguments.assign(std::istream_iterator<std::string>(words), {});
        }
        return calls;
    }

    // Taken before PATH is replaced; a test run without PATH gets an empty one back.
    const std::string savedPath_ = std::getenv("PATH") ? std::getenv("PATH") : "";
    ScratchDirectory directory_;
};
