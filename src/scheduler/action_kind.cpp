#include "scheduler/action_kind.h"

ActionKind chosenKind(const PanelOptions& options, const std::array<ActionKind, 4>& kinds,
                      ActionKind armedBefore) {
    for (std::size_t i = 0; i < options.size(); ++i) {
        if (options[i]) {
            return kinds[i];
        }
    }
    return armedBefore;
}
