// The identifiers of the processes running right now, as the operating system lists them.
#pragma once

#include <cstdint>
#include <memory>
#include <vector>

class ProcessList {
  public:
    ProcessList() = default;
    ProcessList(const ProcessList&) = delete;
    ProcessList& operator=(const ProcessList&) = delete;
    virtual ~ProcessList() = default;

    // Every running process's ID; an empty list when the system's list cannot be read.
    virtual std::vector<std::uint32_t> runningProcessIds() const = 0;
};

// The running system's process list (/proc on Linux, a Toolhelp32 snapshot on Windows).
std::unique_ptr<ProcessList> makeSystemProcessList();
