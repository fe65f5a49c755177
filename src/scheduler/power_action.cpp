#include "scheduler/power_action.h"

#include "scheduler/messages.h"

namespace {

bool start(ProcessLauncher& launcher, const PowerCommand& command) {
    return command.suspend ? launcher.startSuspend(*command.suspend, command.commandLine)
                           : launcher.startMinimized(command.commandLine);
}

std::string cannotRunMessage(std::string_view commandLine) {
    return std::string(kCannotStartPrefix).append(commandLine);
}

}  // namespace

std::optional<std::string_view> powerCommandLine(ActionKind kind) {
    const std::optional<PowerCommand> command = powerCommand(kind);
    return command ? std::optional(command->commandLine) : std::nullopt;
}

std::optional<std::string> RunPowerAction(ProcessLauncher& launcher, ActionKind kind) {
    const std::optional<PowerCommand> command = powerCommand(kind);
    if (!command || start(launcher, *command)) {
        return std::nullopt;
    }
    return cannotRunMessage(command->commandLine);
}

std::optional<std::string> refusalMessage(std::string_view commandLine, const CommandEnd& end) {
    if (end.exitStatus == 0 || !end.learnt) {
        return std::nullopt;
    }
    std::string message = cannotRunMessage(commandLine);
    if (!end.firstErrorLine.empty()) {
        message.append("\n").append(end.firstErrorLine);
    }
    return message;
}
