#include "scheduler/clock_trigger.h"

#include <utility>

#include "scheduler/first_instant_showing.h"
#include "scheduler/messages.h"
#include "scheduler/power_action.h"
#include "time/date_text.h"

namespace {

// How long after the clock reached the target the action may still start, in real seconds.
constexpr long long kLatestStartSeconds = 5 * 60;

// A step of the click that fails is skipped and the click goes on with the next one: the
// variable the step would have set keeps what it held.
template <typename T>
void setUnlessFailed(T& variable, const std::optional<T>& value) {
    if (value) {
        variable = *value;
    }
}

// The fields joined exactly as typed, nothing trimmed: "2026/12/5 23:59".
std::string composeDateText(const ClockFieldTexts& fields) {
    std::string text;
    text.append(fields.year).append("/").append(fields.month).append("/").append(fields.day);
    text.append(" ").append(fields.hour).append(":").append(fields.minute);
    return text;
}

}  // namespace

ClockTrigger::ClockTrigger(const Clock& clock, ProcessLauncher& launcher, RateTops& tops,
                           LogMissedTarget logMissed)
    : clock_(clock), launcher_(launcher), tops_(tops), logMissed_(std::move(logMissed)) {}

ClockClickResult ClockTrigger::Command1_Click(const PanelOptions& options,
                                              const ClockFieldTexts& fields) {
    ClockClickResult result;
    targetPending_ = false;
    leixing1_ = chosenKind(options, kLeftPanelKinds, leixing1_);
    if (leixing1_ == kNoAction) {
        result.message = kChooseActionMessage;
        return result;
    }
    const std::optional<double> entered = textToDate(result.Text6.emplace(composeDateText(fields)));
    setUnlessFailed(riqi_, entered);
    if (!entered) {
        result.message = kNotADateTimeMessage;
    } else if (*entered <= clock_.now()) {
        result.message = kNotLaterThanNowMessage;
    } else {
        result.message = kArmedMessage;
        targetPending_ = true;
        pendingArmedAt_ = clock_.presentInstant();
        pendingReachedAt_ = firstInstantShowing(clock_, *entered, pendingArmedAt_);
    }
    result.targetPending = targetPending_;
    return result;
}

void ClockTrigger::acceptPendingTarget() {
    if (targetPending_) {
        zhengqueriqi_ = riqi_;
        armedAt_ = pendingArmedAt_;
        reachedAt_ = pendingReachedAt_;
        targetPending_ = false;
    }
}

std::optional<std::string> ClockTrigger::Timer1_Timer() {
    ClearRateTops();
    const std::optional<long long> late = SecondsPastTarget();
    if (!late) {
        return std::nullopt;
    }
    // Fires once: starting it again every tick would send a woken machine back to sleep and
    // pile up shutdown commands.
    const double target = std::exchange(zhengqueriqi_, 0);
    if (*late > kLatestStartSeconds) {
        return ReportMissedTarget(target);
    }
    return RunPowerAction(launcher_, leixing1_);
}

// Tops left at a download top of 0 stay as they are; the tick itself never stops.
void ClockTrigger::ClearRateTops() {
    if (tops_.dblDownloadSpeedTop != 0) {
        tops_.dblDownloadSpeedTop = 0;
        tops_.dblUploadSpeedTop = 0;
    }
}

// Counted between instants, not wall-clock readings: a night on which daylight saving begins or
// ends is no later than any other. A target the clock skips is reached when the clock jumps
// over it, one it shows twice at its first showing after the click. A change of time zone is
// taken as such a jump: where the target still lay ahead under the zone in force at the last
// look, the change carried the clock past it just now, however long ago the click was; where
// it had passed there too, the computer slept through it (or its clock was set forward) and it
// is as late as it was there. Nothing while the target is not armed, not yet passed, or the
// clock cannot tell.
std::optional<long long> ClockTrigger::SecondsPastTarget() {
    if (zhengqueriqi_ == 0) {
        return std::nullopt;
    }
    const std::optional<std::int64_t> reached =
        firstInstantShowing(clock_, zhengqueriqi_, armedAt_);
    const std::int64_t present = clock_.presentInstant();
    if (!reached) {
        return std::nullopt;
    }
    const std::int64_t reachedBefore = std::exchange(reachedAt_, reached).value_or(*reached);
    if (*reached >= present) {
        return std::nullopt;
    }
    if (reachedBefore >= present) {
        return 0;
    }
    return present - reachedBefore;
}

// A target found passed long after the clock reached it was slept through or skipped by a
// clock set forward: a forced shutdown then would strike in the middle of someone's work. The
// box is easily missed by the user who was away, so the log keeps it too.
std::string ClockTrigger::ReportMissedTarget(double target) const {
    logMissed_(powerCommandLine(leixing1_).value_or(""), target);
    return std::string(kMissedTargetMessage);
}
