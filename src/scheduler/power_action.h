// Starting the command of a power action, and the message for one that did not run.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "platform/process_launcher.h"
#include "scheduler/action_kind.h"

// What a kind starts: its command line, and for sleep and hibernation the state it asks for.
struct PowerCommand {
    std::string_view commandLine;
    std::optional<SuspendState> suspend;
};

// The command this platform starts for a kind; nothing for kinds outside 1 to 4.
std::optional<PowerCommand> powerCommand(ActionKind kind);

// The command line that stands for a kind in messages and logs; nothing outside 1 to 4.
std::optional<std::string_view> powerCommandLine(ActionKind kind);

// Starts the kind's command and does not wait for it. Returns the message to show when the
// command could not be started ("无法执行：" and the command line); nothing when it started or
// when the kind starts nothing.
std::optional<std::string> RunPowerAction(ProcessLauncher& launcher, ActionKind kind);

// The message for a started command that ended: "无法执行：" and the command line, with the
// first error line on a second line when there is one; nothing when it ended with status 0 or
// its end could not be learnt.
std::optional<std::string> refusalMessage(std::string_view commandLine, const CommandEnd& end);
