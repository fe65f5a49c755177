#include "scheduler/process_exit_trigger.h"

#include <algorithm>

#include "platform/leading_number.h"
#include "scheduler/messages.h"
#include "scheduler/power_action.h"

ProcessExitTrigger::ProcessExitTrigger(const ProcessList& processes, ProcessLauncher& launcher)
    : processes_(processes), launcher_(launcher) {}

std::string ProcessExitTrigger::Command5_Click(const PanelOptions& options,
                                               std::string_view pidText) {
    armed_ = false;
    leixing3_ = chosenKind(options, kRightPanelKinds, leixing3_);
    if (leixing3_ == kNoAction) {
        return std::string(kChooseActionMessage);
    }
    const double processId = readLeadingNumber(pidText);
    if (CountProcessId(processId) == 0) {
        return std::string(kNoSuchProcessMessage);
    }
    // The ID is taken now: editing the field afterwards must not change what is watched.
    watchedProcessId_ = processId;
    armed_ = true;
    return std::string(kArmedMessage);
}

std::optional<std::string> ProcessExitTrigger::Timer4_Timer() {
    if (!armed_ || CountProcessId(watchedProcessId_) != 0) {
        return std::nullopt;
    }
    // Fires once: starting it again every second would send a woken machine back to sleep.
    armed_ = false;
    return RunPowerAction(launcher_, leixing3_);
}

int ProcessExitTrigger::CountProcessId(double processId) const {
    const std::vector<std::uint32_t> ids = processes_.runningProcessIds();
    return static_cast<int>(std::count_if(ids.begin(), ids.end(), [processId](std::uint32_t id) {
        return static_cast<double>(id) == processId;
    }));
}
