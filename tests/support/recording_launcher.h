// A launcher that records every command it is asked to start; it never starts one. Launchers
// made from it by reportingTo record into it too, and a test ends their commands by hand.
#pragma once

#include <memory>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "platform/process_launcher.h"
#include "scheduler/power_action.h"

// The command line that a power action of this kind starts on this system.
inline std::string commandLineOf(ActionKind kind) {
    return std::string(powerCommandLine(kind).value());
}

class RecordingLauncher final : public ProcessLauncher {
  public:
    RecordingLauncher() : record_(std::make_shared<Record>()) {}

    bool startMinimized(std::string_view commandLine) override {
        record_->attempts.emplace_back(commandLine);
        record_->listeners.push_back(record_->failing ? nullptr : ended_);
        return !record_->failing;
    }
    bool startSuspend(SuspendState state, std::string_view commandLine) override {
        record_->suspends.push_back(state);
        return startMinimized(commandLine);
    }
    std::unique_ptr<ProcessLauncher> reportingTo(CommandEnded ended) const override {
        return std::unique_ptr<ProcessLauncher>(new RecordingLauncher(record_, std::move(ended)));
    }

    // Makes every later start fail, as when the program cannot be found.
    void failStarts(bool fail) { record_->failing = fail; }
    // The command lines of all starts, a suspend's included, oldest first.
    const std::vector<std::string>& attempts() const { return record_->attempts; }
    const std::vector<SuspendState>& suspends() const { return record_->suspends; }
    // Tells whoever the start at `attempt` reports to that its command ended so.
    void end(std::size_t attempt, const CommandEnd& end) const {
        if (const CommandEnded& listener = record_->listeners.at(attempt)) {
            listener(record_->attempts.at(attempt), end);
        }
    }

  private:
    struct Record {
        std::vector<std::string> attempts;
        std::vector<CommandEnded> listeners;
        std::vector<SuspendState> suspends;
        bool failing = false;
    };

    RecordingLauncher(std::shared_ptr<Record> record, CommandEnded ended)
        : record_(std::move(record)), ended_(std::move(ended)) {}

    std::shared_ptr<Record> record_;
    CommandEnded ended_;
};
