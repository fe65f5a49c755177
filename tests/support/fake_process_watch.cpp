#include "support/fake_process_watch.h"

#include <algorithm>
#include <functional>
#include <utility>

namespace {

class FakeLatchedProcess final : public LatchedProcess {
  public:
    explicit FakeLatchedProcess(std::function<ProcessState()> state) : state_(std::move(state)) {}
    ProcessState state() const override { return state_(); }

  private:
    std::function<ProcessState()> state_;
};

}  // namespace

// The latched process is the one of this birth: it has ended once its ID is gone or born again.
std::unique_ptr<LatchedProcess> FakeProcessWatch::latch(std::uint32_t id) const {
    if (refuseIdentity || !runs(id)) {
        return nullptr;
    }
    return std::make_unique<FakeLatchedProcess>([this, id, birth = births_.at(id)] {
        if (failReads) {
            return ProcessState::cannotTell;
        }
        return runs(id) && births_.at(id) == birth ? ProcessState::running : ProcessState::ended;
    });
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
