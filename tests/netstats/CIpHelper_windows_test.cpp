// The snapshot on Windows: the system's own GetIfTable, loopback traffic sent with Winsock,
// and the description read from the system's ANSI code page, as on a Simplified Chinese Windows.

// winsock2.h must come before windows.h, and both before iphlpapi.h.
#include <winsock2.h>

#include <windows.h>

#include <iphlpapi.h>

#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "netstats/CIpHelper.h"
#include "support/single_row.h"

namespace {

// The growth of a counter that the system keeps modulo 2^32.
std::uint32_t growth(double before, double after) {
    return static_cast<std::uint32_t>(static_cast<std::int64_t>(after) -
                                      static_cast<std::int64_t>(before));
}

// Sends datagrams from a UDP socket on 127.0.0.1 to itself, each received before the next is
// sent so that none is dropped. False on any failure.
bool sendOverLoopback(int datagrams, int bytes) {
    WSADATA data{};
    if (WSAStartup(MAKEWORD(2, 2), &data) != 0) {
        return false;
    }
    const SOCKET self = socket(AF_INET, SOCK_DGRAM, IPPROTO_UDP);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    auto* to = reinterpret_cast<sockaddr*>(&address);
    int length = sizeof(address);
    bool sent = self != INVALID_SOCKET && bind(self, to, length) == 0 &&
                getsockname(self, to, &length) == 0;
    std::vector<char> payload(static_cast<std::size_t>(bytes), 'x');
    for (int i = 0; sent && i < datagrams; ++i) {
        sent = sendto(self, payload.data(), bytes, 0, to, length) == bytes &&
               recv(self, payload.data(), bytes, 0) == bytes;
    }
    closesocket(self);
    WSACleanup();
    return sent;
}

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

TEST(CIpHelperWindowsTest, LoopbackTrafficRaisesTheReceivedAndSentTotals) {
    // Wine maps the host's interfaces, loopback included, with their live counters.
    if (GetProcAddress(GetModuleHandleW(L"ntdll.dll"), "wine_get_version") == nullptr) {
        GTEST_SKIP() << "Windows' loopback pseudo-interface counts no traffic";
    }
    const auto table = makeSystemInterfaceTable();
    CIpHelper helper(*table);
    helper.Interfaces();
    const double receivedBefore = helper.BytesReceived();
    const double sentBefore = helper.BytesSent();

    ASSERT_TRUE(sendOverLoopback(64, 1000));
    helper.Interfaces();
    EXPECT_GE(growth(receivedBefore, helper.BytesReceived()), 64'000u);
    EXPECT_GE(growth(sentBefore, helper.BytesSent()), 64'000u);
}

TEST(CIpHelperWindowsTest, Gb2312DescriptionOnCodePage936) {
    if (GetACP() != 936) {
        GTEST_SKIP() << "the system code page is " << GetACP() << ", not 936";
    }
    const std::string adapter = "Realtek \xD2\xD4\xCC\xAB\xCD\xF8";  // Realtek 以太网 in GB2312
    EXPECT_EQ(readDescription(adapter, 14), "Realtek \u4EE5\u592A\u7F51");
    EXPECT_EQ(readDescription(adapter, 10), "Realtek \u4EE5\u592A");  // 10 decoded characters
}

}  // namespace
