#include "support/stand_in_path_linux.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <stdexcept>

#include "support/poll.h"

namespace fs = std::filesystem;

namespace {

fs::path recordFile(const fs::path& directory, const std::string& program) {
    return directory / (program + ".calls");
}

// Each start appends one line, "<pid> <arguments...>", in a single write; the script runs
// only shell built-ins, since nothing else is on its PATH.
std::string recorderScript(const fs::path& record) {
    return "#!/bin/sh\n"
           "line=\"$$\"\n"
           "for word in \"$@\"; do line=\"$line $word\"; done\n"
           "printf '%s\\n' \"$line\" >> '" +
           record.string() + "'\n";
}

RecordedCall parseCall(const std::string& line) {
    std::istringstream words(line);
    RecordedCall call;
    words >> call.pid;
    for (std::string word; words >> word;) {
        call.arguments.push_back(word);
    }
    return call;
}

}  // namespace

StandInPath::StandInPath() {
    if (const char* path = std::getenv("PATH")) {
        savedPath_ = path;
    }
    if (setenv("PATH", directory_.path().c_str(), 1) != 0) {
        throw std::runtime_error("PATH could not be set to the stand-in directory");
    }
}

StandInPath::~StandInPath() {
    if (savedPath_) {
        setenv("PATH", savedPath_->c_str(), 1);
    } else {
        unsetenv("PATH");
    }
}

bool StandInPath::isWholeSearchPath() const {
    const char* path = std::getenv("PATH");
    return path != nullptr && directory_.path() == path;
}

void StandInPath::addRecorder(const std::string& program) const {
    const fs::path script = directory_.path() / program;
    std::ofstream(script) << recorderScript(recordFile(directory_.path(), program));
    fs::permissions(script, fs::perms::owner_all);
}

void StandInPath::addNonExecutable(const std::string& program) const {
    const fs::path file = directory_.path() / program;
    std::ofstream(file) << "#!/bin/sh\n";
    fs::permissions(file, fs::perms::owner_read | fs::perms::owner_write);
}

std::vector<RecordedCall> StandInPath::calls(const std::string& program) const {
    std::ifstream record(recordFile(directory_.path(), program));
    std::vector<RecordedCall> result;
    // Only whole lines count: a line without its newline is still being written.
    for (std::string line; std::getline(record, line) && !record.eof();) {
        result.push_back(parseCall(line));
    }
    return result;
}

std::optional<std::vector<RecordedCall>> StandInPath::waitForCalls(const std::string& program,
                                                                   std::size_t count) const {
    if (!pollUntil([&] { return calls(program).size() >= count; })) {
        return std::nullopt;
    }
    return calls(program);
}
