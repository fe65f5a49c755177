// The rate tops the traffic monitor raises and the triggers read and clear.
#pragma once

// What the monitor measured since the rate trigger's previous tick; only that tick takes it
// back, so that no other timer's clearing can make a busy second look quiet.
struct SinceRateTick {
    double downloadTop = 0;
    double uploadTop = 0;
    // A second without a measured rate is no low second, however low the tops stand.
    bool measured = false;
};

// The largest download and upload rates, in bytes per second, seen since the tops were last
// cleared. The window owns them; the monitor raises them, the clock tick clears the first
// pair, the rate trigger's tick the second.
struct RateTops {
    double dblDownloadSpeedTop = 0;
    double dblUploadSpeedTop = 0;
    SinceRateTick sinceRateTick;
};
