// Which entry of the interface selector to select, from the stored "Connection" setting.
#pragma once

#include <string_view>

#include "platform/settings_store.h"

inline constexpr int kNoSelection = -1;

inline constexpr std::string_view kSettingApplication = "蓝禾自动关机";
inline constexpr std::string_view kSettingSection = "Setting";
inline constexpr std::string_view kConnectionKey = "Connection";
inline constexpr std::string_view kConnectionDefault = "0";

// The stored text's leading number v picks the position: 0 when v + 1 exceeds itemCount,
// otherwise v rounded half to even. A position the selector cannot take (below -1, or any
// position of an empty selector) gives kNoSelection instead of failing.
int selectorPositionFromSetting(std::string_view connectionSetting, int itemCount);

// Reads "Connection" of section "Setting" of application "蓝禾自动关机" (default "0") and picks
// the position as selectorPositionFromSetting does.
int preferredSelectorPosition(const SettingsStore& settings, int itemCount);
