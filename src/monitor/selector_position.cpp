#include "monitor/selector_position.h"

#include <cmath>
#include <string>

#include "text/leading_number.h"

namespace {

double roundHalfToEven(double value) {
    const double below = std::floor(value);
    const double fraction = value - below;
    if (fraction < 0.5) {
        return below;
    }
    if (fraction > 0.5) {
        return below + 1;
    }
    return std::fmod(below, 2) == 0 ? below : below + 1;
}

}  // namespace

int selectorPositionFromSetting(std::string_view connectionSetting, int itemCount) {
    if (itemCount <= 0) {
        return kNoSelection;
    }
    const double stored = readLeadingNumber(connectionSetting);
    // Written as "not at most" so that a value that is no number also picks the first entry.
    if (!(stored + 1 <= itemCount)) {
        return 0;
    }
    // Below -1 the rounding gives -1 (no selection) or a position no selector takes.
    if (stored < -1) {
        return kNoSelection;
    }
    return static_cast<int>(roundHalfToEven(stored));
}

int preferredSelectorPosition(const SettingsStore& settings, int itemCount) {
    const std::string stored = settings.readSetting(kSettingApplication, kSettingSection,
                                                    kConnectionKey, kConnectionDefault);
    return selectorPositionFromSetting(stored, itemCount);
}
