#include <poll.h>
#include <sys/syscall.h>
#include <unistd.h>

#include <charconv>
#include <filesystem>
#include <string>
#include <system_error>

#include "platform/process_watch.h"

namespace {

// A pidfd names one process, not its number, and becomes readable once that process has
// ended (a zombie not yet reaped has ended too).
class PidfdProcess final : public LatchedProcess {
  public:
    explicit PidfdProcess(int pidfd) : pidfd_(pidfd) {}
    ~PidfdProcess() override { close(pidfd_); }

    ProcessState state() const override {
        pollfd watched{.fd = pidfd_, .events = POLLIN, .revents = 0};
        const int ready = poll(&watched, 1, 0);
        if (ready < 0 || (watched.revents & POLLNVAL) != 0) {
            return ProcessState::cannotTell;
        }
        return ready == 0 ? ProcessState::running : ProcessState::ended;
    }

  private:
    int pidfd_;
};

std::optional<std::uint32_t> processIdOfName(const std::string& name) {
    std::uint32_t id = 0;
    const auto [last, result] = std::from_chars(name.data(), name.data() + name.size(), id);
    if (result != std::errc() || last != name.data() + name.size()) {
        return std::nullopt;
    }
    return id;
}

class ProcProcessWatch final : public ProcessWatch {
  public:
    // pid_t is signed: an ID above its range names no process. Called through syscall(), as
    // the C library's wrapper is missing from older systems and lacks C linkage in some.
    std::unique_ptr<LatchedProcess> latch(std::uint32_t id) const override {
        const auto pid = static_cast<pid_t>(id);
        const int pidfd = pid > 0 ? static_cast<int>(syscall(SYS_pidfd_open, pid, 0)) : -1;
        return pidfd < 0 ? nullptr : std::make_unique<PidfdProcess>(pidfd);
    }

    // Every directory of /proc whose name is a number is a running process. The walk advances
    // with an error code instead of throwing; a walk that fails halfway reads as unreadable,
    // while a process that ends during the walk simply drops out of it.
    std::optional<std::vector<std::uint32_t>> runningProcessIds() const override {
        std::vector<std::uint32_t> ids;
        std::error_code error;
        for (std::filesystem::directory_iterator entry("/proc", error), end; !error && entry != end;
             entry.increment(error)) {
            if (const auto id = processIdOfName(entry->path().filename().string())) {
                ids.push_back(*id);
            }
        }
        if (error) {
            return std::nullopt;
        }
        return ids;
    }
};

}  // namespace

std::unique_ptr<ProcessWatch> makeSystemProcessWatch() {
    return std::make_unique<ProcProcessWatch>();
}
