// Starts the commands of power actions without making the caller wait, and hears how each ended.
#pragma once

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

// How a started command ended: status 0 when it did what it was asked. Otherwise its status, or
// none when it was refused without one, and the first line of its error output, or the system's
// own text for the failure, which may be empty. Not learnt when its status could not be had
// (something else reaped it): it most likely ran, and the status says nothing.
struct CommandEnd {
    std::optional<int> exitStatus = 0;
    std::string firstErrorLine;
    bool learnt = true;

    bool operator==(const CommandEnd&) const = default;
};

// Hears how one started command ended: called once per start, from the thread that waited for
// it, never from the thread that started it.
using CommandEnded = std::function<void(std::string_view commandLine, const CommandEnd& end)>;

enum class SuspendState { Sleep, Hibernate };

class ProcessLauncher {
  public:
    ProcessLauncher() = default;
    ProcessLauncher(const ProcessLauncher&) = delete;
    ProcessLauncher& operator=(const ProcessLauncher&) = delete;
    virtual ~ProcessLauncher() = default;

    // Starts the command line (program and arguments separated by single spaces, no shell);
    // false when the program could not be found or started.
    virtual bool startMinimized(std::string_view commandLine) = 0;

    // Sleep or hibernation, in the way of this system; its end is reported under commandLine,
    // the command that stands for it. False when it could not be begun.
    virtual bool startSuspend(SuspendState state, std::string_view commandLine) = 0;

    // A launcher like this one that tells `ended` how each command it starts ends. This one
    // tells no one.
    virtual std::unique_ptr<ProcessLauncher> reportingTo(CommandEnded ended) const = 0;
};

// The running system's launcher (posix_spawnp on Linux, CreateProcessW on Windows).
std::unique_ptr<ProcessLauncher> makeSystemProcessLauncher();
