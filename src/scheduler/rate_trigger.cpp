#include "scheduler/rate_trigger.h"

#include <array>
#include <charconv>
#include <cmath>
#include <limits>
#include <utility>

#include "scheduler/messages.h"
#include "scheduler/power_action.h"
#include "text/text_to_number.h"

namespace {

constexpr std::int16_t kLongestDuration = std::numeric_limits<std::int16_t>::max();
constexpr double kBytesPerKilobyte = 1024;

// A whole number of seconds from 1 to 32767; "300.0" is 300, "1.5" is refused.
std::optional<std::int16_t> readDuration(std::string_view text) {
    const std::optional<double> value = textToNumber(text);
    if (!value || *value != std::trunc(*value) || *value < 1 || *value > kLongestDuration) {
        return std::nullopt;
    }
    return static_cast<std::int16_t>(*value);
}

std::optional<double> readThreshold(std::string_view text) {
    const std::optional<double> value = textToNumber(text);
    if (!value || !(*value > 0)) {
        return std::nullopt;
    }
    return value;
}

// A top in whole hundredths of a kilobyte, halves going to the even neighbour.
double hundredthsOfKilobytes(double bytes) {
    return std::nearbyint(bytes / kBytesPerKilobyte * 100);
}

}  // namespace

RateTrigger::RateTrigger(ProcessLauncher& launcher, RateTops& tops)
    : launcher_(launcher), tops_(tops) {}

std::string RateTrigger::Command4_Click(const PanelOptions& options, std::string_view durationText,
                                        std::string_view thresholdText) {
    const ActionKind kind = chosenKind(options, kMiddlePanelKinds, leixing2_);
    if (kind == kNoAction) {
        return std::string(kChooseActionMessage);
    }
    const std::optional<std::int16_t> duration = readDuration(durationText);
    const std::optional<double> threshold = readThreshold(thresholdText);
    if (!duration || !threshold) {
        return std::string(kNotAValidNumberMessage);
    }
    leixing2_ = kind;
    i_ = 0;
    shijian_ = *duration;
    wangsu_ = *threshold;
    return std::string(kArmedMessage);
}

std::optional<std::string> RateTrigger::Timer3_Timer() {
    const SinceRateTick second = std::exchange(tops_.sinceRateTick, {});
    if (!second.measured) {
        return std::nullopt;
    }
    if (!(rateOf(second) < wangsu_)) {
        i_ = 0;
        return std::nullopt;
    }
    // Held at its maximum instead of overflowing: the count has then reached every duration
    // there can be, and staying there starts nothing again.
    if (i_ == kLongestDuration) {
        return std::nullopt;
    }
    ++i_;
    if (i_ != shijian_) {
        return std::nullopt;
    }
    return RunPowerAction(launcher_, leixing2_);
}

std::string RateTrigger::Command3_Click() const {
    // Room for the longest fixed form of any double, a few hundred digits.
    std::array<char, 512> text{};
    const std::to_chars_result written =
        std::to_chars(text.data(), text.data() + text.size(), rateOf(tops_.sinceRateTick),
                      std::chars_format::fixed);
    return std::string(text.data(), written.ptr);
}

// Each top rounded to hundredths before the two are added, so 0.98 and 0.02 make exactly 1.
double RateTrigger::rateOf(const SinceRateTick& tops) {
    return (hundredthsOfKilobytes(tops.downloadTop) + hundredthsOfKilobytes(tops.uploadTop)) / 100;
}
