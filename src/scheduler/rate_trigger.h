// The middle panel: a power action for when the network rate has stayed low for a while.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "platform/process_launcher.h"
#include "scheduler/action_kind.h"
#include "scheduler/rate_tops.h"

class RateTrigger {
  public:
    RateTrigger(ProcessLauncher& launcher, RateTops& tops);

    // The click on Command4: options are Option5..Option8, durationText is Text8 (seconds, a
    // whole number from 1 to 32767), thresholdText is Text9 (KB per second, above 0). Returns
    // the message to show; a refused click changes nothing that was armed, not even the kind.
    std::string Command4_Click(const PanelOptions& options, std::string_view durationText,
                               std::string_view thresholdText);

    // One tick of Timer3: counts the consecutive ticks whose highest rate since the tick before
    // is below the threshold and starts the action at the tick the count reaches the duration;
    // returns a message only when the command could not be started. A tick after a second in
    // which the monitor measured no rate leaves the count as it stands.
    std::optional<std::string> Timer3_Timer();

    // The click on Command3: the rate value the next tick will judge, as a plain decimal text
    // ("1500", "0.98").
    std::string Command3_Click() const;

  private:
    static double rateOf(const SinceRateTick& tops);

    ProcessLauncher& launcher_;
    RateTops& tops_;
    ActionKind leixing2_ = kNoAction;
    std::int16_t shijian_ = 0;
    double wangsu_ = 0;
    std::int16_t i_ = 0;
};
