#include <windows.h>
// tlhelp32.h needs the declarations of windows.h before it.
#include <tlhelp32.h>

#include "platform/process_watch.h"

namespace {

// An open handle keeps Windows from giving the ID to another process, and is signalled once
// the process has ended.
class HandleProcess final : public LatchedProcess {
  public:
    explicit HandleProcess(HANDLE process) : process_(process) {}
    ~HandleProcess() override { CloseHandle(process_); }

    ProcessState state() const override {
        switch (WaitForSingleObject(process_, 0)) {
            case WAIT_TIMEOUT:
                return ProcessState::running;
            case WAIT_OBJECT_0:
                return ProcessState::ended;
            default:
                return ProcessState::cannotTell;
        }
    }

  private:
    HANDLE process_;
};

class ToolhelpProcessWatch final : public ProcessWatch {
  public:
    // A protected process refuses even this narrow right; ID 0 is no process that can end.
    std::unique_ptr<LatchedProcess> latch(std::uint32_t id) const override {
        HANDLE process = id == 0 ? nullptr : OpenProcess(SYNCHRONIZE, FALSE, id);
        return process == nullptr ? nullptr : std::make_unique<HandleProcess>(process);
    }

    // Walks a Toolhelp32 snapshot, released after every walk so that no walk sees an earlier
    // one. A snapshot without a first process (there is always one) is unreadable.
    std::optional<std::vector<std::uint32_t>> runningProcessIds() const override {
        HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
        if (snapshot == INVALID_HANDLE_VALUE) {
            return std::nullopt;
        }
        std::vector<std::uint32_t> ids;
        PROCESSENTRY32W entry{};
        entry.dwSize = sizeof(entry);
        for (BOOL more = Process32FirstW(snapshot, &entry); more;
             more = Process32NextW(snapshot, &entry)) {
            ids.push_back(entry.th32ProcessID);
        }
        CloseHandle(snapshot);
        if (ids.empty()) {
            return std::nullopt;
        }
        return ids;
    }
};

}  // namespace

std::unique_ptr<ProcessWatch> makeSystemProcessWatch() {
    return std::make_unique<ToolhelpProcessWatch>();
}
