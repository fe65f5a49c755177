#include "scheduler/clock_trigger.h"

#include "platform/automation_date.h"
#include "platform/date_text.h"
#include "scheduler/messages.h"
#include "scheduler/power_action.h"

namespace {

// How long after the target minute began the action may still start.
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

ClockTrigger::ClockTrigger(const Clock& clock, ProcessLauncher& launcher, RateTops& tops)
    : clock_(clock), launcher_(launcher), tops_(tops) {}

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
    }
    result.targetPending = targetPending_;
    return result;
}

void ClockTrigger::acceptPendingTarget() {
    if (targetPending_) {
        zhengqueriqi_ = riqi_;
        targetPending_ = false;
    }
}

std::optional<std::string> ClockTrigger::Timer1_Timer() {
    ClearRateTops();
    if (!TargetPassed()) {
        return std::nullopt;
    }
    // Fires once: starting it again every tick would send a woken machine back to sleep and
    // pile up shutdown commands.
    const bool missed = TargetMissed();
    zhengqueriqi_ = 0;
    if (missed) {
        return std::string(kMissedTargetMessage);
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

bool ClockTrigger::TargetPassed() const {
    return zhengqueriqi_ != 0 && zhengqueriqi_ < clock_.now();
}

// A target found passed long after its minute began was slept through or skipped by a clock
// set forward: a forced shutdown then would strike in the middle of someone's work.
bool ClockTrigger::TargetMissed() const {
    return clock_.now() > addSeconds(zhengqueriqi_, kLatestStartSeconds);
}
