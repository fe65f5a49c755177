#include "support/fake_process_watch.h"

#include <algorithm>

namespace {

class FakeLatchedProcess final : public LatchedProcess {
  public:
    FakeLatchedProcess(const FakeProcessWatch& processes, std::uint32_t id, unsigned birth)
        : processes_(processes), id_(id), birth_(birth) {}
    ProcessState state() const override { return processes_.stateOf(id_, birth_); }

  private:
    const FakeProcessWatch& processes_;
    std::uint32_t id_;
    unsigned birth_;
};

}  // namespace

std::unique_ptr<LatchedProcess> FakeProcessWatch::latch(std::uint32_t id) const {
    return refuseIdentity_ || !runs(id)
               ? nullptr
               : std::make_unique<FakeLatchedProcess>(*this, id, births_.at(id));
}

ProcessState FakeProcessWatch::stateOf(std::uint32_t id, unsigned birth) const {
    if (failReads_) {
        return ProcessState::cannotTell;
    }
    return runs(id) && births_.at(id) == birth ? ProcessState::running : ProcessState::ended;
}

void FakeProcessWatch::setRunning(const std::vector<std::uint32_t>& ids) {
    for (const std::uint32_t id : ids) {
        if (!runs(id)) {
            reuseId(id);
        }
    }
    ids_ = ids;
}

bool FakeProcessWatch::runs(std::uint32_t id) const {
    return std::ranges::find(ids_, id) != ids_.end();
}
