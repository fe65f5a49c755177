// The Windows launcher with the directory its programs are taken from made explicit.
#pragma once

#include <memory>
#include <string>

#include "platform/process_launcher.h"

// A launcher that starts the program of a command line from this directory and nowhere else;
// the system launcher is this one with the system directory. An empty directory starts nothing.
std::unique_ptr<ProcessLauncher> makeProcessLauncherResolvingIn(std::wstring directory);
