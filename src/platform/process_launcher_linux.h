// The Linux launcher with the way it gets the threads that wait for its commands made explicit.
#pragma once

#include <memory>

#include "platform/process_launcher.h"
#include "platform/waiting_thread.h"

// A launcher that waits for each command on a thread from `startThread`; the system launcher is
// this one with detached std::threads.
std::unique_ptr<ProcessLauncher> makeSpawnLauncher(StartThread startThread);
