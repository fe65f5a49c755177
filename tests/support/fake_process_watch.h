// Processes that tests start, end and renumber by hand. Each start of a process under an ID is
// a new birth: a latched process has ended once its ID is gone or born again.
#pragma once

#include <cstdint>
#include <map>
#include <vector>

#include "platform/process_watch.h"

class FakeProcessWatch final : public ProcessWatch {
  public:
    explicit FakeProcessWatch(const std::vector<std::uint32_t>& ids = {}) { setRunning(ids); }

    std::unique_ptr<LatchedProcess> latch(std::uint32_t id) const override;
    std::optional<std::vector<std::uint32_t>> runningProcessIds() const override {
        return failReads ? std::nullopt : std::optional(ids_);
    }

    // Exactly these run afterwards: the others end, and an ID that was not running is new.
    void setRunning(const std::vector<std::uint32_t>& ids);
    // The process with this ID ends and a new one takes the ID at once.
    void reuseId(std::uint32_t id) { births_[id] = ++lastBirth_; }
    // Latching is refused, as for a protected process: only the check by ID is left.
    bool refuseIdentity = false;
    // Neither the list nor a latched process can be read.
    bool failReads = false;

  private:
    bool runs(std::uint32_t id) const;

    std::vector<std::uint32_t> ids_;
    std::map<std::uint32_t, unsigned> births_;
    unsigned lastBirth_ = 0;
};
