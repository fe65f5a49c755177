// The right panel: a power action for the moment a given process has ended.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "platform/process_launcher.h"
#include "platform/process_list.h"
#include "scheduler/action_kind.h"

class ProcessExitTrigger {
  public:
    ProcessExitTrigger(const ProcessList& processes, ProcessLauncher& launcher);

    // The click on Command5: options are Option9..Option12, pidText is Text10 as typed.
    // Returns the message to show. Arms only when a process has that ID.
    std::string Command5_Click(const PanelOptions& options, std::string_view pidText);

    // One tick of Timer4. When the watched process has gone it starts the action once and
    // disarms; returns a message only when the command could not be started.
    std::optional<std::string> Timer4_Timer();

    // Whether Timer4 runs: the trigger is armed.
    bool armed() const { return armed_; }

  private:
    int CountProcessId(double processId) const;

    const ProcessList& processes_;
    ProcessLauncher& launcher_;
    ActionKind leixing3_ = kNoAction;
    double watchedProcessId_ = 0;
    bool armed_ = false;
};
