#include "support/recording_launcher.h"

bool RecordingLauncher::startMinimized(std::string_view commandLine) {
    attempts_.emplace_back(commandLine);
    return !failing_;
}
