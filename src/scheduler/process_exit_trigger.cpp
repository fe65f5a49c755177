#include "scheduler/process_exit_trigger.h"

#include <algorithm>
#include <cstdint>
#include <limits>

#include "scheduler/messages.h"
#include "scheduler/power_action.h"
#include "text/leading_number.h"

namespace {

// Where the process's identity cannot be had, whichever process has the ID stands for it, as
// the list of running processes shows it.
class ProcessById final : public LatchedProcess {
  public:
    ProcessById(const ProcessWatch& processes, std::uint32_t id) : processes_(processes), id_(id) {}

    ProcessState state() const override {
        const std::optional<std::vector<std::uint32_t>> ids = processes_.runningProcessIds();
        if (!ids) {
            return ProcessState::cannotTell;
        }
        return std::find(ids->begin(), ids->end(), id_) != ids->end() ? ProcessState::running
                                                                      : ProcessState::ended;
    }

  private:
    const ProcessWatch& processes_;
    std::uint32_t id_;
};

// Only a whole number in the range of process IDs can be one: 12.5 or -1 matches none.
std::optional<std::uint32_t> processIdOf(double number) {
    const bool whole = number >= 0 && number <= std::numeric_limits<std::uint32_t>::max() &&
                       number == static_cast<double>(static_cast<std::uint32_t>(number));
    return whole ? std::optional(static_cast<std::uint32_t>(number)) : std::nullopt;
}

}  // namespace

ProcessExitTrigger::ProcessExitTrigger(const ProcessWatch& processes, ProcessLauncher& launcher)
    : processes_(processes), launcher_(launcher) {}

std::string ProcessExitTrigger::Command5_Click(const PanelOptions& options,
                                               std::string_view pidText) {
    watched_.reset();
    leixing3_ = chosenKind(options, kRightPanelKinds, leixing3_);
    if (leixing3_ == kNoAction) {
        return std::string(kChooseActionMessage);
    }
    // The process is taken now: editing the field afterwards, or another process being given
    // the same ID later, must not change what is watched.
    watched_ = watchRunningProcess(readLeadingNumber(pidText));
    return std::string(watched_ ? kArmedMessage : kNoSuchProcessMessage);
}

std::optional<std::string> ProcessExitTrigger::Timer4_Timer() {
    // A look that cannot tell is no answer: the trigger waits for the next tick.
    if (!watched_ || watched_->state() != ProcessState::ended) {
        return std::nullopt;
    }
    // Fires once: starting it again every second would send a woken machine back to sleep.
    watched_.reset();
    return RunPowerAction(launcher_, leixing3_);
}

std::unique_ptr<LatchedProcess> ProcessExitTrigger::watchRunningProcess(double processId) const {
    const std::optional<std::uint32_t> id = processIdOf(processId);
    if (!id) {
        return nullptr;
    }
    // An ended process that is not yet reaped is still listed by its ID: once the process
    // itself could be taken, its own word counts.
    if (std::unique_ptr<LatchedProcess> latched = processes_.latch(*id)) {
        return latched->state() == ProcessState::ended ? nullptr : std::move(latched);
    }
    auto byId = std::make_unique<ProcessById>(processes_, *id);
    return byId->state() == ProcessState::running ? std::move(byId) : nullptr;
}
