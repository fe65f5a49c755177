// The per-user settings read through QSettings: the registry under HKCU on Windows, an INI
// file under the XDG config directory elsewhere.
#pragma once

#include <memory>

#include "platform/settings_store.h"

// Application, section and key map to organization, application and key of QSettings:
// "蓝禾自动关机" / "Setting" / "Connection" is HKCU\Software\蓝禾自动关机\Setting, value
// Connection, or $XDG_CONFIG_HOME/蓝禾自动关机/Setting.conf, [General] Connection=.
class QtSettingsStore final : public SettingsStore {
  public:
    std::string readSetting(std::string_view application, std::string_view section,
                            std::string_view key, std::string_view defaultValue) const override;
};

// The per-user settings the program reads: the platform layer's own reader where it has one
// (the registry on Windows), a QtSettingsStore else.
std::unique_ptr<SettingsStore> makeUserSettingsStore();
