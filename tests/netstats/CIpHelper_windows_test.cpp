// The description read from the system's ANSI code page, as on a Simplified Chinese Windows.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "support/single_row.h"

namespace {

TEST(CIpHelperWindowsTest, Gb2312DescriptionOnCodePage936) {
    if (GetACP() != 936) {
        GTEST_SKIP() << "the system code page is " << GetACP() << ", not 936";
    }
    const std::string adapter = "\xD2\xD4\xCC\xAB\xCD\xF8";  // 以太网 in GB2312, 6 bytes
    EXPECT_EQ(readDescription(adapter, 6), "\u4EE5\u592A\u7F51");
    EXPECT_EQ(readDescription(adapter, 2), "\u4EE5\u592A");
    EXPECT_EQ(readDescription("Realtek " + adapter, 14), "Realtek \u4EE5\u592A\u7F51");
}

}  // namespace
