// What the window needs from the outside world, handed in so that tests can pass fakes.
#pragma once

#include <QString>
#include <functional>

#include "platform/process_launcher.h"
#include "platform/process_list.h"

struct Form1Services {
    const ProcessList& processes;
    ProcessLauncher& launcher;
};

// Shows one message to the user and returns once it has been read.
using ShowMessage = std::function<void(const QString&)>;
