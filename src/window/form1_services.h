// What the window needs from the outside world, handed in so that tests can pass fakes.
#pragma once

#include <QString>
#include <functional>
#include <string_view>

#include "platform/clock.h"
#include "platform/interface_table.h"
#include "platform/monotonic_clock.h"
#include "platform/process_launcher.h"
#include "platform/process_watch.h"
#include "platform/settings_store.h"
#include "platform/system_log.h"

struct Form1Services {
    const ProcessWatch& processes;
    ProcessLauncher& launcher;
    InterfaceTable& interfaceTable;
    const SettingsStore& settings;
    const Clock& clock;
    const MonotonicClock& monotonicClock;
    // Where the lines for a user who was away go.
    std::function<void(std::string_view line)> writeLog = writeToSystemLog;
};

// Shows one message to the user and returns once it has been read.
using ShowMessage = std::function<void(const QString&)>;
