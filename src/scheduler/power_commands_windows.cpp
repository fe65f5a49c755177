#include "scheduler/power_action.h"

// Shutdown and restart are forced so that no application can hold them up.
std::optional<std::string_view> powerCommandLine(ActionKind kind) {
    switch (kind) {
        case 1:
            return "shutdown -f -s -t 0";
        case 2:
            return "shutdown -f -r -t 0";
        case 3:
            return "rundll32.exe powrprof.dll,SetSuspendState Sleep";
        case 4:
            return "rundll32.exe powrprof.dll,SetSuspendState";
        default:
            return std::nullopt;
    }
}
