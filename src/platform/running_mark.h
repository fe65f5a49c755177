// The sign, kept while the program runs, that its installer and uninstaller look for before
// they touch the program's files.
#pragma once

#include <memory>

class RunningMark {
  public:
    RunningMark() = default;
    RunningMark(const RunningMark&) = delete;
    RunningMark& operator=(const RunningMark&) = delete;
    virtual ~RunningMark() = default;
};

// Sets the mark until the returned object is destroyed: on Windows the named mutex the build
// calls LANHE_RUNNING_MUTEX, held open; on Linux, where no installer asks, nothing. A mark
// that cannot be set leaves the program running unmarked: the installers would not know it.
std::unique_ptr<RunningMark> markProgramRunning();
