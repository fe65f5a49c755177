// The per-user setting read from the registry of the prefix the test runs in, written the
// way a user or QSettings writes it: values under HKEY_CURRENT_USER\Software.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <tuple>
#include <vector>

#include "platform/settings_store.h"

namespace {

// Never the program's own application name: a test run on a real Windows must not touch a
// setting the user keeps there.
constexpr char kApplication[] = "\u84DD\u79BE\u81EA\u52A8\u5173\u673A test";  // 蓝禾自动关机 test
constexpr wchar_t kApplicationKey[] = L"Software\\\u84DD\u79BE\u81EA\u52A8\u5173\u673A test";

std::vector<BYTE> text(const std::wstring& value) {
    const auto* begin = reinterpret_cast<const BYTE*>(value.c_str());
    return {begin, begin + (value.size() + 1) * sizeof(wchar_t)};
}

class SystemSettingsStoreTest : public ::testing::Test {
  protected:
    void TearDown() override { RegDeleteTreeW(HKEY_CURRENT_USER, kApplicationKey); }

    static std::string read(const std::string& section, const std::string& key) {
        return makeSystemSettingsStore()->readSetting(kApplication, section, key, "default");
    }
};

// Under a Chinese section and key: 设置, 连接. A read opens keys and never creates them.
TEST_F(SystemSettingsStoreTest, EachKindOfValueReadsAsTextAndAnAbsentOneAsTheDefault) {
    EXPECT_EQ(read("\u8BBE\u7F6E", "\u8FDE\u63A5"), "default");
    HKEY key = nullptr;
    EXPECT_NE(RegOpenKeyExW(HKEY_CURRENT_USER, kApplicationKey, 0, KEY_READ, &key), ERROR_SUCCESS);
    const std::tuple<DWORD, std::vector<BYTE>, std::string> cases[] = {
        {REG_SZ, text(L"\u7B2C\u4E8C\u4E2A"), "\u7B2C\u4E8C\u4E2A"},  // 第二个
        {REG_EXPAND_SZ, text(L"%TEMP%1"), "%TEMP%1"},
        {REG_SZ, {'1', 0, '2', 0}, "12"},  // without its final zero
        {REG_SZ, text(std::wstring(L"4\0junk", 6)), "4"},
        {REG_DWORD, {0xFF, 0xFF, 0xFF, 0xFF}, "-1"},
        {REG_QWORD, {0x00, 0xF2, 0x05, 0x2A, 0x01, 0, 0, 0}, "5000000000"},
        {REG_MULTI_SZ, {'1', 0, 0, 0, 0, 0}, "default"},  // like any other kind: no setting
    };
    const std::wstring section = std::wstring(kApplicationKey) + L"\\\u8BBE\u7F6E";
    for (const auto& [type, data, expected] : cases) {
        SCOPED_TRACE(type);
        ASSERT_EQ(RegSetKeyValueW(HKEY_CURRENT_USER, section.c_str(), L"\u8FDE\u63A5", type,
                                  data.data(), static_cast<DWORD>(data.size())),
                  ERROR_SUCCESS);
        EXPECT_EQ(read("\u8BBE\u7F6E", "\u8FDE\u63A5"), expected);
    }
    EXPECT_EQ(read("\u8BBE\u7F6E", "Other"), "default");
}

}  // namespace
