// The per-user settings in the registry: application, section and key name the key
// HKEY_CURRENT_USER\Software\<application>\<section> and its value <key>, where QSettings
// keeps an organization's application settings as well.
#include <windows.h>

#include <cstdint>
#include <cstring>
#include <optional>
#include <string>
#include <vector>

#include "platform/settings_store.h"
#include "text/unicode_text.h"

namespace {

// Text as written (REG_EXPAND_SZ is not expanded) and numbers as signed decimals, the way
// QSettings reads them; any other kind of value counts as not stored.
constexpr DWORD kReadableValues =
    RRF_RT_REG_SZ | RRF_RT_REG_EXPAND_SZ | RRF_NOEXPAND | RRF_RT_REG_DWORD | RRF_RT_REG_QWORD;
// A value rewritten between the size query and the read is read again, a few times at most.
constexpr int kReadAttempts = 3;

std::wstring wideText(std::string_view utf8) {
    const std::u16string units = encodeUtf16(decodeUtf8(utf8));
    return std::wstring(units.begin(), units.end());
}

template <typename Number>
std::string signedDecimal(const std::vector<std::uint8_t>& data) {
    Number value = 0;
    std::memcpy(&value, data.data(), sizeof(value));
    return std::to_string(value);
}

// A string value ends at its first zero unit, or with its data.
std::string utf8Text(const std::vector<std::uint8_t>& data) {
    std::u16string units(data.size() / sizeof(char16_t), u'\0');
    std::memcpy(units.data(), data.data(), units.size() * sizeof(char16_t));
    if (const std::size_t end = units.find(u'\0'); end != std::u16string::npos) {
        units.resize(end);
    }
    return encodeUtf8(decodeUtf16(units));
}

std::optional<std::string> valueText(DWORD type, const std::vector<std::uint8_t>& data) {
    if (type == REG_DWORD && data.size() == sizeof(std::int32_t)) {
        return signedDecimal<std::int32_t>(data);
    }
    if (type == REG_QWORD && data.size() == sizeof(std::int64_t)) {
        return signedDecimal<std::int64_t>(data);
    }
    if (type == REG_SZ || type == REG_EXPAND_SZ) {
        return utf8Text(data);
    }
    return std::nullopt;
}

std::optional<std::string> readRegistryValue(const std::wstring& subKey, const std::wstring& name) {
    for (int attempt = 0; attempt < kReadAttempts; ++attempt) {
        DWORD size = 0;
        if (RegGetValueW(HKEY_CURRENT_USER, subKey.c_str(), name.c_str(), kReadableValues, nullptr,
                         nullptr, &size) != ERROR_SUCCESS) {
            return std::nullopt;
        }
        // Never an empty buffer: a null data pointer would only ask for the size again.
        std::vector<std::uint8_t> data(size + sizeof(wchar_t));
        DWORD type = REG_NONE;
        size = static_cast<DWORD>(data.size());
        const LSTATUS status = RegGetValueW(HKEY_CURRENT_USER, subKey.c_str(), name.c_str(),
                                            kReadableValues, &type, data.data(), &size);
        if (status == ERROR_SUCCESS) {
            data.resize(size);
            return valueText(type, data);
        }
        if (status != ERROR_MORE_DATA) {
            return std::nullopt;
        }
    }
    return std::nullopt;
}

class RegistrySettingsStore final : public SettingsStore {
  public:
    std::string readSetting(std::string_view application, std::string_view section,
                            std::string_view key, std::string_view defaultValue) const override {
        const std::wstring subKey =
            L"Software\\" + wideText(application) + L"\\" + wideText(section);
        return readRegistryValue(subKey, wideText(key)).value_or(std::string(defaultValue));
    }
};

}  // namespace

std::unique_ptr<SettingsStore> makeSystemSettingsStore() {
    return std::make_unique<RegistrySettingsStore>();
}
