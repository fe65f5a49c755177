// The right panel: a power action for the moment a given process has ended.
#pragma once

#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "platform/process_launcher.h"
#include "platform/process_watch.h"
#include "scheduler/action_kind.h"

class ProcessExitTrigger {
  public:
    ProcessExitTrigger(const ProcessWatch& processes, ProcessLauncher& launcher);

    // The click on Command5: options are Option9..Option12, pidText is Text10 as typed.
    // Returns the message to show. Arms only when a process has that ID.
    std::string Command5_Click(const PanelOptions& options, std::string_view pidText);

    // One tick of Timer4. When the watched process has ended it starts the action once and
    // disarms; returns a message only when the command could not be started.
    std::optional<std::string> Timer4_Timer();

    // Whether Timer4 runs: the trigger is armed.
    bool armed() const { return watched_ != nullptr; }

  private:
    std::unique_ptr<LatchedProcess> watchRunningProcess(double processId) const;

    const ProcessWatch& processes_;
    ProcessLauncher& launcher_;
    ActionKind leixing3_ = kNoAction;
    std::unique_ptr<LatchedProcess> watched_;
};
