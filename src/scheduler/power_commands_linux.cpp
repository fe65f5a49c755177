#include "scheduler/power_action.h"

// logind carries out these for a local active session without further permission.
std::optional<std::string_view> powerCommandLine(ActionKind kind) {
    switch (kind) {
        case 1:
            return "systemctl poweroff";
        case 2:
            return "systemctl reboot";
        case 3:
            return "systemctl suspend";
        case 4:
            return "systemctl hibernate";
        default:
            return std::nullopt;
    }
}
