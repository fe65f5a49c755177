// The snapshot on Windows: the system's own GetIfTable, loopback traffic sent with Winsock,
// and the description read from the system's ANSI code page, as on a Simplified Chinese Windows.

// winsock2.h must come before windows.h, and both before iphlpapi.h.
#include <winsock2.h>

#include <windows.h>

#include <iphlpapi.h>

#include <gtest/gtest.h>

#include <cstdint>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include "netstats/CIpHelper.h"
#include "platform/unicode_text.h"
#include "support/single_row.h"

namespace {

// Wine maps the host's interfaces, loopback included, into GetIfTable with their live
// counters; Windows' own loopback pseudo-interface counts no traffic.
bool runsUnderWine() {
    const HMODULE ntdll = GetModuleHandleW(L"ntdll.dll");
    return ntdll != nullptr && GetProcAddress(ntdll, "wine_get_version") != nullptr;
}

std::shared_ptr<CInterface> findLoopback(const CInterfaces& interfaces) {
    for (const auto& record : interfaces) {
        if (record->InterfaceType() == static_cast<std::int32_t>(kIfTypeLoopback)) {
            return record;
        }
    }
    return nullptr;
}

// The growth of a counter that the system keeps modulo 2^32.
std::uint32_t growth(double before, double after) {
    return static_cast<std::uint32_t>(static_cast<std::int64_t>(after) -
                                      static_cast<std::int64_t>(before));
}

class Winsock {
  public:
    Winsock() : started_(WSAStartup(MAKEWORD(2, 2), &data_) == 0) {}
    Winsock(const Winsock&) = delete;
    Winsock& operator=(const Winsock&) = delete;
    ~Winsock() {
        if (started_) {
            WSACleanup();
        }
    }
    bool started() const { return started_; }

  private:
    WSADATA data_{};
    bool started_;
};

class Socket {
  public:
    Socket() : socket_(::socket(AF_INET, SOCK_DGRAM, IPPROTO_UDP)) {}
    Socket(const Socket&) = delete;
    Socket& operator=(const Socket&) = delete;
    ~Socket() {
        if (socket_ != INVALID_SOCKET) {
            closesocket(socket_);
        }
    }
    SOCKET get() const { return socket_; }

  private:
    SOCKET socket_;
};

// Sends `datagrams` datagrams of `bytes` bytes from one UDP socket on 127.0.0.1 to another,
// receiving each before the next is sent so that none is dropped. False on any failure.
bool sendOverLoopback(int datagrams, int bytes) {
    const Winsock winsock;
    const Socket receiver;
    const Socket sender;
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    int length = sizeof(address);
    const DWORD timeoutMs = 5000;
    if (!winsock.started() || receiver.get() == INVALID_SOCKET || sender.get() == INVALID_SOCKET ||
        bind(receiver.get(), reinterpret_cast<sockaddr*>(&address), sizeof(address)) != 0 ||
        getsockname(receiver.get(), reinterpret_cast<sockaddr*>(&address), &length) != 0 ||
        setsockopt(receiver.get(), SOL_SOCKET, SO_RCVTIMEO,
                   reinterpret_cast<const char*>(&timeoutMs), sizeof(timeoutMs)) != 0) {
        return false;
    }
    std::vector<char> payload(static_cast<std::size_t>(bytes), 'x');
    for (int i = 0; i < datagrams; ++i) {
        if (sendto(sender.get(), payload.data(), bytes, 0, reinterpret_cast<sockaddr*>(&address),
                   sizeof(address)) != bytes ||
            recv(receiver.get(), payload.data(), bytes, 0) != bytes) {
            return false;
        }
    }
    return true;
}

TEST(CIpHelperWindowsTest, RealReadListsLoopbackWithADescription) {
    const auto table = makeSystemInterfaceTable();
    CIpHelper helper(*table);
    const auto interfaces = helper.Interfaces();

    ASSERT_GE(interfaces->Count(), 1);
    const auto loopback = findLoopback(*interfaces);
    ASSERT_NE(loopback, nullptr);
    EXPECT_FALSE(loopback->InterfaceDescription().empty());
    std::set<std::int32_t> indexes;
    for (const auto& record : *interfaces) {
        EXPECT_FALSE(record->InterfaceDescription().empty()) << record->InterfaceIndex();
        EXPECT_TRUE(indexes.insert(record->InterfaceIndex()).second) << record->InterfaceIndex();
    }
}

// GetIfEntry reads one row by its index: each record holds that row's type and name.
TEST(CIpHelperWindowsTest, EachRecordIsTheRowOfItsIndex) {
    const auto table = makeSystemInterfaceTable();
    CIpHelper helper(*table);
    for (const auto& record : *helper.Interfaces()) {
        MIB_IFROW row{};
        row.dwIndex = static_cast<DWORD>(record->InterfaceIndex());
        ASSERT_EQ(GetIfEntry(&row), static_cast<DWORD>(NO_ERROR)) << record->InterfaceIndex();
        EXPECT_EQ(record->InterfaceType(), static_cast<std::int32_t>(row.dwType));
        const std::u16string name(reinterpret_cast<const char16_t*>(row.wszName));
        EXPECT_EQ(record->InterfaceName(), encodeUtf8(decodeUtf16(name)));
    }
}

TEST(CIpHelperWindowsTest, LoopbackTrafficRaisesTheReceivedAndSentTotals) {
    if (!runsUnderWine()) {
        GTEST_SKIP() << "Windows' loopback pseudo-interface counts no traffic";
    }
    constexpr int kDatagrams = 64;
    constexpr int kBytes = 1000;
    const auto table = makeSystemInterfaceTable();
    CIpHelper helper(*table);
    const auto before = findLoopback(*helper.Interfaces());
    ASSERT_NE(before, nullptr);
    const double receivedBefore = helper.BytesReceived();
    const double sentBefore = helper.BytesSent();

    ASSERT_TRUE(sendOverLoopback(kDatagrams, kBytes));

    const auto after = findLoopback(*helper.Interfaces());
    ASSERT_NE(after, nullptr);
    const std::uint32_t sentAmount = kDatagrams * kBytes;
    EXPECT_GE(growth(before->OctetsReceived(), after->OctetsReceived()), sentAmount);
    EXPECT_GE(growth(before->OctetsSent(), after->OctetsSent()), sentAmount);
    EXPECT_GE(growth(receivedBefore, helper.BytesReceived()), sentAmount);
    EXPECT_GE(growth(sentBefore, helper.BytesSent()), sentAmount);
}

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
