// The left panel: a power action for a clock time given to the minute.
#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

#include "platform/clock.h"
#include "platform/process_launcher.h"
#include "scheduler/action_kind.h"
#include "scheduler/rate_tops.h"

// The panel's date and time fields as typed: Text1 to Text5.
struct ClockFieldTexts {
    std::string_view year;
    std::string_view month;
    std::string_view day;
    std::string_view hour;
    std::string_view minute;
};

// What a click on Command1 asks of the window, in this order: write Text6 (when composed),
// show the message, and when a target is pending call acceptPendingTarget() once that message
// box is closed.
struct ClockClickResult {
    std::optional<std::string> Text6;
    std::string message;
    bool targetPending = false;
};

// Told of a target that was missed: the command line it would have started, and the target.
using LogMissedTarget = std::function<void(std::string_view commandLine, double target)>;

class ClockTrigger {
  public:
    ClockTrigger(const Clock& clock, ProcessLauncher& launcher, RateTops& tops,
                 LogMissedTarget logMissed);

    // The click on Command1: options are Option1..Option4. The kind is taken even when the
    // date or time is then refused; the target only through acceptPendingTarget().
    ClockClickResult Command1_Click(const PanelOptions& options, const ClockFieldTexts& fields);

    // Arms the target of the last accepted click; until then the target armed before holds.
    void acceptPendingTarget();

    // One tick of Timer1: clears the rate tops, then, once the clock has passed the target,
    // disarms and starts the action if it reached the target at most 5 real minutes ago, or a
    // change of time zone carried it past just now. Returns a message when the target was
    // missed or the command could not be started.
    std::optional<std::string> Timer1_Timer();

  private:
    void ClearRateTops();
    std::optional<long long> SecondsPastTarget();
    std::string ReportMissedTarget(double target) const;

    const Clock& clock_;
    ProcessLauncher& launcher_;
    RateTops& tops_;
    LogMissedTarget logMissed_;
    ActionKind leixing1_ = kNoAction;
    double riqi_ = 0;
    double zhengqueriqi_ = 0;
    // The instants of the click that was accepted and of the one whose box is still open: the
    // target is the first time the clock shows it from the click on.
    std::int64_t armedAt_ = 0;
    std::int64_t pendingArmedAt_ = 0;
    // That time under the zone in force at the last look, the click's or the last tick's; nothing
    // when the clock could not tell. It tells a change of zone from sleep.
    std::optional<std::int64_t> reachedAt_;
    std::optional<std::int64_t> pendingReachedAt_;
    bool targetPending_ = false;
};
