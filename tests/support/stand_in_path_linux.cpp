#include "support/stand_in_path_linux.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <sstream>
#include <stdexcept>

#include "support/poll.h"

namespace fs = std::filesystem;

namespace {

// Each start appends one line, "<pid> <arguments...>", in a single write. Only whole lines
// count: a line without its newline is still being written.
std::vector<RecordedCall> recordedCalls(const fs::path& record) {
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

}  // namespace

StandInPath::StandInPath() {
    if (const char* path = std::getenv("PATH")) {
        savedPath_ = path;
    }
    // Nothing may start while the real programs can still be found.
    if (setenv("PATH", directory_.path().c_str(), 1) != 0) {
        throw std::runtime_error("PATH could not be replaced");
    }
}

StandInPath::~StandInPath() {
    if (savedPath_) {
        setenv("PATH", savedPath_->c_str(), 1);
    } else {
        unsetenv("PATH");
    }
}

// The script runs only shell built-ins, since nothing else is on its PATH.
void StandInPath::addRecorder(const std::string& program, const std::string& then) const {
    const fs::path script = directory_.path() / program;
    std::ofstream(script) << "#!/bin/sh\n"
                             "line=\"$$\"\n"
                             "for word in \"$@\"; do line=\"$line $word\"; done\n"
                             "printf '%s\\n' \"$line\" >> '"
                          << script.string() << ".calls'\n"
                          << then << '\n';
    fs::permissions(script, fs::perms::owner_all);
}

std::optional<std::vector<RecordedCall>> StandInPath::waitForCalls(const std::string& program,
                                                                   std::size_t count) const {
    const fs::path record = directory_.path() / (program + ".calls");
    if (!pollUntil([&] { return recordedCalls(record).size() >= count; })) {
        return std::nullopt;
    }
    return recordedCalls(record);
}
