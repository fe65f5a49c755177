#include "support/recording_launcher.h"

#include <utility>

RecordingLauncher::RecordingLauncher() : record_(std::make_shared<Record>()) {}

RecordingLauncher::RecordingLauncher(std::shared_ptr<Record> record, CommandEnded ended)
    : record_(std::move(record)), ended_(std::move(ended)) {}

bool RecordingLauncher::startMinimized(std::string_view commandLine) {
    record_->attempts.emplace_back(commandLine);
    record_->listeners.push_back(record_->failing ? nullptr : ended_);
    return !record_->failing;
}

bool RecordingLauncher::startSuspend(SuspendState state, std::string_view commandLine) {
    record_->suspends.push_back(state);
    return startMinimized(commandLine);
}

std::unique_ptr<ProcessLauncher> RecordingLauncher::reportingTo(CommandEnded ended) const {
    return std::unique_ptr<ProcessLauncher>(new RecordingLauncher(record_, std::move(ended)));
}

void RecordingLauncher::end(std::size_t attempt, const CommandEnd& end) const {
    if (const CommandEnded& listener = record_->listeners.at(attempt)) {
        listener(record_->attempts.at(attempt), end);
    }
}
