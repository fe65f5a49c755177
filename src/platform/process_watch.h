// Whether a process still runs: the very process found when it was latched, or, where its
// identity cannot be had, whichever process has its ID.
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <vector>

// What one look at a process tells; "cannot tell" is never taken for "ended".
enum class ProcessState { running, ended, cannotTell };

// One process, held by its identity: a later process given the same ID is not it.
class LatchedProcess {
  public:
    LatchedProcess() = default;
    LatchedProcess(const LatchedProcess&) = delete;
    LatchedProcess& operator=(const LatchedProcess&) = delete;
    virtual ~LatchedProcess() = default;

    virtual ProcessState state() const = 0;
};

class ProcessWatch {
  public:
    ProcessWatch() = default;
    ProcessWatch(const ProcessWatch&) = delete;
    ProcessWatch& operator=(const ProcessWatch&) = delete;
    virtual ~ProcessWatch() = default;

    // The process that has this ID now, held by its identity; nullptr when that cannot be had
    // (no such process, access refused, ID 0).
    virtual std::unique_ptr<LatchedProcess> latch(std::uint32_t id) const = 0;

    // Every running process's ID; nothing when the system's list cannot be read.
    virtual std::optional<std::vector<std::uint32_t>> runningProcessIds() const = 0;
};

// The running system's processes (a pidfd and /proc on Linux; a handle opened with SYNCHRONIZE
// and a Toolhelp32 snapshot on Windows).
std::unique_ptr<ProcessWatch> makeSystemProcessWatch();
