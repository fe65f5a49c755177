// The Windows launcher with the directory its programs are taken from, and the system's suspend
// call, made explicit.
#pragma once

#include <functional>
#include <memory>
#include <string>

#include "platform/process_launcher.h"
#include "platform/waiting_thread.h"

// SetSuspendState with its own three arguments: hibernate, force, wake-up events disabled;
// false when the system refused, with the reason in GetLastError.
using SuspendCall = std::function<bool(bool hibernate, bool force, bool wakeEventsDisabled)>;

// A launcher that starts the program of a command line from this directory and nowhere else,
// and suspends through `suspend`, each waited for on a thread from `startThread`; the system
// launcher is this one with the system directory and SetSuspendState. An empty directory starts
// nothing.
std::unique_ptr<ProcessLauncher> makeProcessLauncherResolvingIn(
    std::wstring directory, SuspendCall suspend, StartThread startThread = startDetachedThread);
