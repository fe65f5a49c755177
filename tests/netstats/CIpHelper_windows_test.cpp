// The snapshot on Windows: the system's own GetIfTable, and the description read from the
// system's ANSI code page, as on a Simplified Chinese Windows.

// winsock2.h must come before windows.h, and both before iphlpapi.h.
#include <winsock2.h>

#include <windows.h>

#include <iphlpapi.h>

#include <gtest/gtest.h>

#include <cstdint>

#include "netstats/CIpHelper.h"
#include "support/single_row.h"

namespace {

// Each record is the row of its index (GetIfEntry reads that row alone), and loopback is
// among them with a description.
TEST(CIpHelperWindowsTest, RealReadGivesEachRowWithLoopbackDescribed) {
    const auto table = makeSystemInterfaceTable();
    CIpHelper helper(*table);
    bool loopbackDescribed = false;
    for (const auto& record : *helper.Interfaces()) {
        MIB_IFROW row{};
        row.dwIndex = static_cast<DWORD>(record->InterfaceIndex());
        ASSERT_EQ(GetIfEntry(&row), static_cast<DWORD>(NO_ERROR)) << record->InterfaceIndex();
        EXPECT_EQ(record->InterfaceType(), static_cast<std::int32_t>(row.dwType));
        loopbackDescribed |=
            row.dwType == kIfTypeLoopback && !record->InterfaceDescription().empty();
    }
    EXPECT_TRUE(loopbackDescribed);
}

TEST(CIpHelperWindowsTest, Gb2312DescriptionOnCodePage936) {
    if (GetACP() != 936) {
        GTEST_SKIP() << "the system code page is " << GetACP() << ", not 936";
    }
    // Realtek 以太网 in GB2312, cut to 10 decoded characters.
    EXPECT_EQ(readDescription("Realtek \xD2\xD4\xCC\xAB\xCD\xF8", 10), "Realtek \u4EE5\u592A");
}

}  // namespace
