// Processes that tests start, end and renumber by hand. Each start of a process under an ID is
// a new birth: a latched process has ended once its ID is gone or born again.
#pragma once

#include <algorithm>
#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <utility>
#include <vector>

#include "platform/process_watch.h"

class FakeProcessWatch final : public ProcessWatch {
  public:
    explicit FakeProcessWatch(const std::vector<std::uint32_t>& ids = {}) { setRunning(ids); }

    // The latched process is the one of this birth.
    std::unique_ptr<LatchedProcess> latch(std::uint32_t id) const override {
        if (refuseIdentity || !runs(id)) {
            return nullptr;
        }
        return std::make_unique<Latched>([this, id, birth = births_.at(id)] {
            if (failReads) {
                return ProcessState::cannotTell;
            }
            return runs(id) && births_.at(id) == birth ? ProcessState::running
                                                       : ProcessState::ended;
        });
    }
    std::optional<std::vector<std::uint32_t>> runningProcessIds() const override {
        return failReads ? std::nullopt : std::optional(ids_);
    }

    // Exactly these run afterwards: the others end, and an ID that was not running is new.
    void setRunning(const std::vector<std::uint32_t>& ids) {
        for (const std::uint32_t id : ids) {
            if (!runs(id)) {
                reuseId(id);
            }
        }
        ids_ = ids;
    }
    // The process with this ID ends and a new one takes the ID at once.
    void reuseId(std::uint32_t id) { births_[id] = ++lastBirth_; }
    // Latching is refused, as for a protected process: only the check by ID is left.
    bool refuseIdentity = false;
    // Neither the list nor a latched process can be read.
    bool failReads = false;

  private:
    class Latched final : public LatchedProcess {
      public:
        explicit Latched(std::function<ProcessState()> state) : state_(std::move(state)) {}
        ProcessState state() const override { return state_(); }

      private:
        std::function<ProcessState()> state_;
    };

    bool runs(std::uint32_t id) const { return std::ranges::find(ids_, id) != ids_.end(); }

    std::vector<std::uint32_t> ids_;
    std::map<std::uint32_t, unsigned> births_;
    unsigned lastBirth_ = 0;
};
