// The power actions a trigger can arm, and how a panel's four option buttons choose one.
#pragma once

#include <array>
#include <cstdint>

// 0 none, 1 shutdown (关机), 2 restart (重启), 3 sleep (睡眠), 4 hibernate (休眠);
// any other value starts nothing.
using ActionKind = std::int16_t;

inline constexpr ActionKind kNoAction = 0;

// The kinds that a panel's option buttons select, listed in the order of the buttons' names.
// The middle panel names its buttons right to left, so Option5 is 休眠 and Option8 is 关机.
inline constexpr std::array<ActionKind, 4> kLeftPanelKinds{1, 2, 3, 4};    // Option1..Option4
inline constexpr std::array<ActionKind, 4> kMiddlePanelKinds{4, 3, 2, 1};  // Option5..Option8
inline constexpr std::array<ActionKind, 4> kRightPanelKinds{1, 2, 3, 4};   // Option9..Option12

// The chosen state of a panel's four option buttons, in the order of their names.
using PanelOptions = std::array<bool, 4>;

// The kind of the first chosen button; with none chosen, the kind armed before stays.
ActionKind chosenKind(const PanelOptions& options, const std::array<ActionKind, 4>& kinds,
                      ActionKind armedBefore);
