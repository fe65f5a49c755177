// Starts a fixed command line as a new process, minimized, without waiting for it.
#pragma once

#include <memory>
#include <string_view>

class ProcessLauncher {
  public:
    ProcessLauncher() = default;
    ProcessLauncher(const ProcessLauncher&) = delete;
    ProcessLauncher& operator=(const ProcessLauncher&) = delete;
    virtual ~ProcessLauncher() = default;

    // Starts the command line (program and arguments separated by single spaces, no shell);
    // false when the program could not be found or started.
    virtual bool startMinimized(std::string_view commandLine) = 0;
};

// The running system's launcher (posix_spawnp on Linux, CreateProcessW on Windows).
std::unique_ptr<ProcessLauncher> makeSystemProcessLauncher();
