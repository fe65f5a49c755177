#include "scheduler/power_action.h"

// Shutdown and restart are forced so that no application can hold them up. Sleep and
// hibernation are calls of the program's own: rundll32 handed SetSuspendState a window handle
// as its "hibernate" argument, so that sleep hibernated. Their former command lines still name
// them in messages and logs.
std::optional<PowerCommand> powerCommand(ActionKind kind) {
    switch (kind) {
        case 1:
            return PowerCommand{"shutdown -f -s -t 0", std::nullopt};
        case 2:
            return PowerCommand{"shutdown -f -r -t 0", std::nullopt};
        case 3:
            return PowerCommand{"rundll32.exe powrprof.dll,SetSuspendState Sleep",
                                SuspendState::Sleep};
        case 4:
            return PowerCommand{"rundll32.exe powrprof.dll,SetSuspendState",
                                SuspendState::Hibernate};
        default:
            return std::nullopt;
    }
}
