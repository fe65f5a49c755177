// The two rate tops the traffic monitor raises and the triggers read and clear.
#pragma once

// The largest download and upload rates, in bytes per second, seen since the tops were last
// cleared. The window owns them; the monitor raises them, the clock tick clears them.
struct RateTops {
    double dblDownloadSpeedTop = 0;
    double dblUploadSpeedTop = 0;
    // Set by the monitor at each rate it measures, taken back by the rate trigger's tick: a
    // second without a measured rate is no low second, however low the tops stand.
    bool measuredSinceRateTick = false;
};
