// Settings that tests store by hand.
#pragma once

#include <map>
#include <string>
#include <string_view>
#include <tuple>

#include "platform/settings_store.h"

class FakeSettingsStore final : public SettingsStore {
  public:
    std::string readSetting(std::string_view application, std::string_view section,
                            std::string_view key, std::string_view defaultValue) const override {
        const auto found = values_.find(Address{application, section, key});
        return found == values_.end() ? std::string(defaultValue) : found->second;
    }
    void store(std::string_view application, std::string_view section, std::string_view key,
               std::string_view value) {
        values_[Address{application, section, key}] = value;
    }

  private:
    using Address = std::tuple<std::string, std::string, std::string>;
    std::map<Address, std::string> values_;
};
