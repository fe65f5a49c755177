// The per-user setting read from the registry of the prefix the test runs in, written the
// way a user or QSettings writes it: values under HKEY_CURRENT_USER\Software.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "platform/settings_store.h"

namespace {

// Never the program's own application name: a test run on a real Windows must not touch a
// setting the user keeps there.
constexpr char kApplication[] = "\u84DD\u79BE\u81EA\u52A8\u5173\u673A test";  // 蓝禾自动关机 test
constexpr wchar_t kApplicationKey[] = L"Software\\\u84DD\u79BE\u81EA\u52A8\u5173\u673A test";

struct StoredValue {
    DWORD type;
    std::vector<BYTE> data;
};

StoredValue text(const std::wstring& value, DWORD type = REG_SZ) {
    const auto* bytes = reinterpret_cast<const BYTE*>(value.c_str());
    return {type, std::vector<BYTE>(bytes, bytes + (value.size() + 1) * sizeof(wchar_t))};
}

template <typename Number>
StoredValue number(DWORD type, Number value) {
    const auto* bytes = reinterpret_cast<const BYTE*>(&value);
    return {type, std::vector<BYTE>(bytes, bytes + sizeof(value))};
}

class SystemSettingsStoreTest : public ::testing::Test {
  protected:
    void TearDown() override { RegDeleteTreeW(HKEY_CURRENT_USER, kApplicationKey); }

    // Creates HKCU\Software\<application>\<section> and stores the value there.
    static void store(const std::wstring& section, const std::wstring& name,
                      const StoredValue& value) {
        const std::wstring path = std::wstring(kApplicationKey) + L"\\" + section;
        HKEY key = nullptr;
        ASSERT_EQ(RegCreateKeyExW(HKEY_CURRENT_USER, path.c_str(), 0, nullptr, 0, KEY_SET_VALUE,
                                  nullptr, &key, nullptr),
                  ERROR_SUCCESS);
        const LSTATUS status = RegSetValueExW(key, name.c_str(), 0, value.type, value.data.data(),
                                              static_cast<DWORD>(value.data.size()));
        RegCloseKey(key);
        ASSERT_EQ(status, ERROR_SUCCESS);
    }

    static std::string read(const std::string& section, const std::string& key) {
        return makeSystemSettingsStore()->readSetting(kApplication, section, key, "default");
    }

    static bool applicationKeyExists() {
        HKEY key = nullptr;
        if (RegOpenKeyExW(HKEY_CURRENT_USER, kApplicationKey, 0, KEY_READ, &key) != ERROR_SUCCESS) {
            return false;
        }
        RegCloseKey(key);
        return true;
    }
};

TEST_F(SystemSettingsStoreTest, ReadsTheValueOfTheSectionKeyUnderSoftwareApplication) {
    store(L"Setting", L"Connection", text(L"2"));
    EXPECT_EQ(read("Setting", "Connection"), "2");
}

TEST_F(SystemSettingsStoreTest, ChineseSectionKeyAndTextRoundTrip) {
    store(L"\u8BBE\u7F6E", L"\u8FDE\u63A5", text(L"\u7B2C\u4E8C\u4E2A"));  // 设置, 连接, 第二个
    EXPECT_EQ(read("\u8BBE\u7F6E", "\u8FDE\u63A5"), "\u7B2C\u4E8C\u4E2A");
}

TEST_F(SystemSettingsStoreTest, NamesAreCaseInsensitiveAsInTheRegistry) {
    store(L"Setting", L"Connection", text(L"3"));
    EXPECT_EQ(read("SETTING", "connection"), "3");
}

TEST_F(SystemSettingsStoreTest, EachKindOfValueReadsAsText) {
    const struct {
        const char* name;
        StoredValue value;
        std::string expected;
    } cases[] = {
        {"empty text", text(L""), ""},
        {"text with a suffix", text(L"2xyz"), "2xyz"},
        {"fraction", text(L"1.5"), "1.5"},
        {"expandable text kept as written", text(L"%TEMP%1", REG_EXPAND_SZ), "%TEMP%1"},
        {"text without its final zero", {REG_SZ, {'1', 0, '2', 0}}, "12"},
        {"text ends at its first zero", text(std::wstring(L"4\0junk", 6)), "4"},
        {"DWORD", number<std::uint32_t>(REG_DWORD, 3), "3"},
        {"DWORD with the top bit set", number<std::uint32_t>(REG_DWORD, 0xFFFFFFFF), "-1"},
        {"QWORD", number<std::uint64_t>(REG_QWORD, 5000000000), "5000000000"},
        {"binary", {REG_BINARY, {'1'}}, "default"},
        {"several texts", {REG_MULTI_SZ, {'1', 0, 0, 0, 0, 0}}, "default"},
        {"no value at all", {REG_NONE, {}}, "default"},
    };
    for (const auto& row : cases) {
        SCOPED_TRACE(row.name);
        store(L"Kinds", L"Value", row.value);
        EXPECT_EQ(read("Kinds", "Value"), row.expected);
    }
}

TEST_F(SystemSettingsStoreTest, GivesTheDefaultWhereNothingIsStored) {
    store(L"Setting", L"Other", text(L"5"));
    EXPECT_EQ(read("Setting", "Connection"), "default");
    EXPECT_EQ(read("Elsewhere", "Other"), "default");
    EXPECT_EQ(
        makeSystemSettingsStore()->readSetting("no such application", "Setting", "Connection", "7"),
        "7");
}

TEST_F(SystemSettingsStoreTest, ReadingAMissingSettingCreatesNothing) {
    EXPECT_EQ(read("Setting", "Connection"), "default");
    EXPECT_FALSE(applicationKeyExists());
}

}  // namespace
