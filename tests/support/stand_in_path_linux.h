// A search path that holds nothing but recording stand-ins, so that a test can let the real
// launcher start "systemctl" without any chance of reaching the real one.
#pragma once

#include <sys/types.h>

#include <optional>
#include <string>
#include <vector>

#include "support/scratch_directory.h"

// One start of a stand-in: the process it ran as and the arguments it was given.
struct RecordedCall {
    pid_t pid = 0;
    std::vector<std::string> arguments;
};

class StandInPath {
  public:
    // Makes a scratch directory the whole of PATH, or throws; the destructor puts PATH back.
    // Not copyable, as its directory is not.
    StandInPath();
    ~StandInPath();

    // Puts a shell script named program on the path that records each start of it, then runs
    // `then` (shell built-ins and absolute paths only), as in "printf 'no\n' >&2; exit 1".
    void addRecorder(const std::string& program, const std::string& then = "") const;
    // Waits until program has been started count times; then every start recorded, oldest
    // first, or nothing.
    std::optional<std::vector<RecordedCall>> waitForCalls(const std::string& program,
                                                          std::size_t count) const;

  private:
    ScratchDirectory directory_;
    std::optional<std::string> savedPath_;
};
