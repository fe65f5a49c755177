#include "support/fake_settings_store.h"

std::string FakeSettingsStore::readSetting(std::string_view application, std::string_view section,
                                           std::string_view key,
                                           std::string_view defaultValue) const {
    const auto found =
        values_.find(Address{std::string(application), std::string(section), std::string(key)});
    return found == values_.end() ? std::string(defaultValue) : found->second;
}

void FakeSettingsStore::store(std::string_view application, std::string_view section,
                              std::string_view key, std::string_view value) {
    values_[Address{std::string(application), std::string(section), std::string(key)}] = value;
}
