// The program's own setting on Windows: "Connection", as it stands in the registry of the
// prefix the test runs in, read through the store the program uses, chooses the selector's
// position. Whatever a user kept under the program's key is put back afterwards.
#include <windows.h>

#include <QComboBox>
#include <optional>
#include <tuple>
#include <vector>

#include "form1_fixture.h"
#include "window/QtSettingsStore.h"

namespace {

// HKEY_CURRENT_USER\Software\蓝禾自动关机\Setting
constexpr wchar_t kSettingKey[] = L"Software\\\u84DD\u79BE\u81EA\u52A8\u5173\u673A\\Setting";
constexpr wchar_t kConnection[] = L"Connection";

struct RegistryValue {
    DWORD type = REG_NONE;
    std::vector<BYTE> data;
};

std::optional<RegistryValue> readValue() {
    DWORD size = 0;
    if (RegGetValueW(HKEY_CURRENT_USER, kSettingKey, kConnection, RRF_RT_ANY | RRF_NOEXPAND,
                     nullptr, nullptr, &size) != ERROR_SUCCESS) {
        return std::nullopt;
    }
    RegistryValue value{REG_NONE, std::vector<BYTE>(size)};
    if (RegGetValueW(HKEY_CURRENT_USER, kSettingKey, kConnection, RRF_RT_ANY | RRF_NOEXPAND,
                     &value.type, value.data.data(), &size) != ERROR_SUCCESS) {
        return std::nullopt;
    }
    value.data.resize(size);
    return value;
}

bool writeValue(const RegistryValue& value) {
    return RegSetKeyValueW(HKEY_CURRENT_USER, kSettingKey, kConnection, value.type,
                           value.data.data(),
                           static_cast<DWORD>(value.data.size())) == ERROR_SUCCESS;
}

class UserSettingsInTheRegistry : public Form1Test {
  protected:
    void SetUp() override {
        table_.rows = {interfaceRow("eth0"), interfaceRow("wlan0"), interfaceRow("usb0")};
    }
    void TearDown() override {
        if (kept_) {
            writeValue(*kept_);
        } else {
            RegDeleteKeyValueW(HKEY_CURRENT_USER, kSettingKey, kConnection);
        }
    }
    // The selector's position in a window started on the program's own store.
    int selectedAtStartUp() {
        const std::unique_ptr<SettingsStore> store = makeUserSettingsStore();
        const Form1 form(
            Form1Services{processes_, launcher_, table_, *store, clock_, monotonicClock_},
            [](const QString&) {});
        return form.findChild<QComboBox*>(QStringLiteral("cboConnectionType"))->currentIndex();
    }

    const std::optional<RegistryValue> kept_ = readValue();
};

TEST_F(UserSettingsInTheRegistry, TheStoredConnectionChoosesTheSelectorsPosition) {
    const std::tuple<DWORD, std::vector<BYTE>, int> cases[] = {
        {REG_SZ, {'2', 0, 0, 0}, 2},
        {REG_DWORD, {1, 0, 0, 0}, 1},
        {REG_DWORD, {0xFF, 0xFF, 0xFF, 0xFF}, -1},  // none
        {REG_SZ, {'3', 0, 0, 0}, 0},                // past the last: the first
    };
    for (const auto& [type, data, expected] : cases) {
        SCOPED_TRACE(expected);
        ASSERT_TRUE(writeValue({type, data}));
        EXPECT_EQ(selectedAtStartUp(), expected);
    }
}

}  // namespace
