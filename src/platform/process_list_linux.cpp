#include <charconv>
#include <filesystem>
#include <string>
#include <system_error>

#include "platform/process_list.h"

namespace {

// Every directory of /proc whose name is a number is a running process. The walk advances
// with an error code instead of throwing; a walk that fails halfway reads as unreadable.
class ProcProcessList final : public ProcessList {
  public:
    std::vector<std::uint32_t> runningProcessIds() const override {
        std::vector<std::uint32_t> ids;
        std::error_code error;
        for (std::filesystem::directory_iterator entry("/proc", error), end; !error && entry != end;
             entry.increment(error)) {
            const std::string name = entry->path().filename().string();
            std::uint32_t id = 0;
            const auto [last, result] = std::from_chars(name.data(), name.data() + name.size(), id);
            if (result == std::errc() && last == name.data() + name.size()) {
                ids.push_back(id);
            }
        }
        return error ? std::vector<std::uint32_t>{} : ids;
    }
};

}  // namespace

std::unique_ptr<ProcessList> makeSystemProcessList() {
    return std::make_unique<ProcProcessList>();
}
