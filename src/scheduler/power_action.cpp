#include "scheduler/power_action.h"

#include "scheduler/messages.h"

std::optional<std::string> RunPowerAction(ProcessLauncher& launcher, ActionKind kind) {
    const std::optional<std::string_view> commandLine = powerCommandLine(kind);
    if (!commandLine || launcher.startMinimized(*commandLine)) {
        return std::nullopt;
    }
    return std::string(kCannotStartPrefix).append(*commandLine);
}
