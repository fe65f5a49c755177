// The per-user settings the program reads; it never writes one.
#pragma once

#include <memory>
#include <string>
#include <string_view>

class SettingsStore {
  public:
    SettingsStore() = default;
    SettingsStore(const SettingsStore&) = delete;
    SettingsStore& operator=(const SettingsStore&) = delete;
    virtual ~SettingsStore() = default;

    // The stored text of key in section of application, or defaultValue when nothing is stored
    // there or the store cannot be read.
    virtual std::string readSetting(std::string_view application, std::string_view section,
                                    std::string_view key, std::string_view defaultValue) const = 0;
};

// The running system's per-user settings where this layer reads them itself: the registry
// under HKEY_CURRENT_USER\Software on Windows. nullptr on Linux, whose settings are INI files
// in QSettings' own format, read by the window with Qt.
std::unique_ptr<SettingsStore> makeSystemSettingsStore();
