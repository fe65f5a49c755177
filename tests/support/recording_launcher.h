// A launcher that records every command it is asked to start; it never starts one. Launchers
// made from it by reportingTo record into it too, and a test ends their commands by hand.
#pragma once

#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "platform/process_launcher.h"
#include "scheduler/power_action.h"

// The command line that a power action of this kind starts on this system.
inline std::string commandLineOf(ActionKind kind) {
    return std::string(powerCommandLine(kind).value());
}

class RecordingLauncher final : public ProcessLauncher {
  public:
    RecordingLauncher();

    bool startMinimized(std::string_view commandLine) override;
    bool startSuspend(SuspendState state, std::string_view commandLine) override;
    std::unique_ptr<ProcessLauncher> reportingTo(CommandEnded ended) const override;

    // Makes every later start fail, as when the program cannot be found.
    void failStarts(bool fail) { record_->failing = fail; }
    // The command lines of all starts, a suspend's included, oldest first.
    const std::vector<std::string>& attempts() const { return record_->attempts; }
    const std::vector<SuspendState>& suspends() const { return record_->suspends; }
    // Tells whoever the start at `attempt` reports to that its command ended so.
    void end(std::size_t attempt, const CommandEnd& end) const;

  private:
    struct Record {
        std::vector<std::string> attempts;
        std::vector<CommandEnded> listeners;
        std::vector<SuspendState> suspends;
        bool failing = false;
    };

    RecordingLauncher(std::shared_ptr<Record> record, CommandEnded ended);

    std::shared_ptr<Record> record_;
    CommandEnded ended_;
};
