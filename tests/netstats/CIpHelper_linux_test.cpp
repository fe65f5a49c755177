// The snapshot on this Linux system: real loopback traffic, and the description read as UTF-8,
// the system's code page here.
#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "netstats/CIpHelper.h"
#include "support/single_row.h"

namespace {

// Sends `datagrams` UDP datagrams of `bytes` bytes from a socket on 127.0.0.1 to itself. The
// loopback interface counts them as received as it passes them on, read or not.
bool sendOverLoopback(int datagrams, std::size_t bytes) {
    const int fd = socket(AF_INET, SOCK_DGRAM | SOCK_CLOEXEC, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    auto* const self = reinterpret_cast<sockaddr*>(&address);
    socklen_t length = sizeof(address);
    bool sent = fd >= 0 && bind(fd, self, length) == 0 && getsockname(fd, self, &length) == 0;
    const std::vector<char> payload(bytes, 'x');
    for (int i = 0; sent && i < datagrams; ++i) {
        sent = sendto(fd, payload.data(), bytes, 0, self, length) == static_cast<ssize_t>(bytes);
    }
    close(fd);
    return sent;
}

TEST(CIpHelperLinuxTest, LoopbackTrafficRaisesTheReceivedTotal) {
    const auto table = makeSystemInterfaceTable();
    CIpHelper helper(*table);
    helper.Interfaces();
    const auto before = static_cast<std::int64_t>(helper.BytesReceived());
    ASSERT_TRUE(sendOverLoopback(64, 1000));
    helper.Interfaces();
    // The system keeps its counters modulo 2^32.
    const auto after = static_cast<std::int64_t>(helper.BytesReceived());
    EXPECT_GE(static_cast<std::uint32_t>(after - before), 64'000u);
}

TEST(CIpHelperLinuxTest, DescriptionIsUtf8CutByCharacters) {
    const std::string adapter = "\u4EE5\u592A\u7F51 \u9002\u914D\u5668";  // 以太网 适配器, 19 bytes
    EXPECT_EQ(readDescription(adapter, 19), adapter);
    EXPECT_EQ(readDescription(adapter, 2), "\u4EE5\u592A");
}

}  // namespace
