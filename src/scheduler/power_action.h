// Starting the command line of a power action.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "platform/process_launcher.h"
#include "scheduler/action_kind.h"

// The command line this platform starts for a kind; nothing for kinds outside 1 to 4.
std::optional<std::string_view> powerCommandLine(ActionKind kind);

// Starts the kind's command line minimized and does not wait for it. Returns the message to
// show when the command could not be started ("无法执行：" and the command line); nothing when
// it started or when the kind starts nothing.
std::optional<std::string> RunPowerAction(ProcessLauncher& launcher, ActionKind kind);
