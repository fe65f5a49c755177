#include "scheduler/power_action.h"

// logind carries out these for a local active session without further permission; it refuses
// them, with a line on the error output, when a program holds an inhibitor lock. The refusal
// stands: nothing here overrides an inhibitor.
std::optional<PowerCommand> powerCommand(ActionKind kind) {
    switch (kind) {
        case 1:
            return PowerCommand{"systemctl poweroff", std::nullopt};
        case 2:
            return PowerCommand{"systemctl reboot", std::nullopt};
        case 3:
            return PowerCommand{"systemctl suspend", SuspendState::Sleep};
        case 4:
            return PowerCommand{"systemctl hibernate", SuspendState::Hibernate};
        default:
            return std::nullopt;
    }
}
