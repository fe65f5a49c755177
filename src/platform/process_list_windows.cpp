#include <windows.h>
// tlhelp32.h needs the declarations of windows.h before it.
#include <tlhelp32.h>

#include "platform/process_list.h"

namespace {

// Walks a Toolhelp32 snapshot of the running processes; the snapshot is released after
// every walk so that no walk sees an earlier one.
class ToolhelpProcessList final : public ProcessList {
  public:
    std::vector<std::uint32_t> runningProcessIds() const override {
        std::vector<std::uint32_t> ids;
        HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
        if (snapshot == INVALID_HANDLE_VALUE) {
            return ids;
        }
        PROCESSENTRY32W entry{};
        entry.dwSize = sizeof(entry);
        for (BOOL more = Process32FirstW(snapshot, &entry); more;
             more = Process32NextW(snapshot, &entry)) {
            ids.push_back(entry.th32ProcessID);
        }
        CloseHandle(snapshot);
        return ids;
    }
};

}  // namespace

std::unique_ptr<ProcessList> makeSystemProcessList() {
    return std::make_unique<ToolhelpProcessList>();
}
