// The snapshot on this Linux system: the real interfaces, real loopback traffic, and the
// description read as UTF-8, the system's code page here.
#include <arpa/inet.h>
#include <net/if.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

#include "netstats/CIpHelper.h"
#include "support/single_row.h"

namespace {

std::set<std::string> systemInterfaceNames() {
    std::set<std::string> names;
    struct if_nameindex* const all = if_nameindex();
    for (const struct if_nameindex* entry = all; entry != nullptr && entry->if_index != 0;
         ++entry) {
        names.insert(entry->if_name);
    }
    if_freenameindex(all);
    return names;
}

std::shared_ptr<CInterface> findByName(const CInterfaces& interfaces, const std::string& name) {
    for (const auto& record : interfaces) {
        if (record->InterfaceName() == name) {
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

class Descriptor {
  public:
    explicit Descriptor(int fd) : fd_(fd) {}
    Descriptor(const Descriptor&) = delete;
    Descriptor& operator=(const Descriptor&) = delete;
    ~Descriptor() { close(fd_); }
    int fd() const { return fd_; }

  private:
    int fd_;
};

// Sends `datagrams` datagrams of `bytes` bytes from one UDP socket on 127.0.0.1 to another,
// receiving each before the next is sent so that none is dropped. False on any failure.
bool sendOverLoopback(int datagrams, std::size_t bytes) {
    const Descriptor receiver(socket(AF_INET, SOCK_DGRAM | SOCK_CLOEXEC, 0));
    const Descriptor sender(socket(AF_INET, SOCK_DGRAM | SOCK_CLOEXEC, 0));
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t length = sizeof(address);
    const timeval timeout{5, 0};
    if (receiver.fd() < 0 || sender.fd() < 0 ||
        bind(receiver.fd(), reinterpret_cast<sockaddr*>(&address), sizeof(address)) != 0 ||
        getsockname(receiver.fd(), reinterpret_cast<sockaddr*>(&address), &length) != 0 ||
        setsockopt(receiver.fd(), SOL_SOCKET, SO_RCVTIMEO, &timeout, sizeof(timeout)) != 0) {
        return false;
    }
    std::vector<char> payload(bytes, 'x');
    for (int i = 0; i < datagrams; ++i) {
        const auto sent = sendto(sender.fd(), payload.data(), payload.size(), 0,
                                 reinterpret_cast<sockaddr*>(&address), sizeof(address));
        if (sent != static_cast<ssize_t>(bytes) ||
            recv(receiver.fd(), payload.data(), payload.size(), 0) != static_cast<ssize_t>(bytes)) {
            return false;
        }
    }
    return true;
}

TEST(CIpHelperLinuxTest, RealReadListsLoopbackAndEveryOtherInterface) {
    const auto table = makeSystemInterfaceTable();
    CIpHelper helper(*table);
    const auto interfaces = helper.Interfaces();

    std::set<std::string> names;
    for (const auto& record : *interfaces) {
        names.insert(record->InterfaceName());
        EXPECT_FALSE(record->InterfaceDescription().empty()) << record->InterfaceName();
    }
    EXPECT_TRUE(names.contains("lo"));
    EXPECT_EQ(names, systemInterfaceNames());
    EXPECT_EQ(findByName(*interfaces, "lo")->InterfaceType(), kIfTypeLoopback);
}

TEST(CIpHelperLinuxTest, LoopbackTrafficRaisesTheReceivedAndSentTotals) {
    constexpr int kDatagrams = 64;
    constexpr std::size_t kBytes = 1000;
    const auto table = makeSystemInterfaceTable();
    CIpHelper helper(*table);
    const auto before = findByName(*helper.Interfaces(), "lo");
    ASSERT_NE(before, nullptr);
    const double receivedBefore = helper.BytesReceived();
    const double sentBefore = helper.BytesSent();

    ASSERT_TRUE(sendOverLoopback(kDatagrams, kBytes));

    const auto after = findByName(*helper.Interfaces(), "lo");
    ASSERT_NE(after, nullptr);
    const std::uint32_t sentAmount = kDatagrams * kBytes;
    EXPECT_GE(growth(before->OctetsReceived(), after->OctetsReceived()), sentAmount);
    EXPECT_GE(growth(receivedBefore, helper.BytesReceived()), sentAmount);
    EXPECT_GE(growth(sentBefore, helper.BytesSent()), sentAmount);
}

TEST(CIpHelperLinuxTest, DescriptionIsUtf8CutByCharacters) {
    const std::string adapter = "\u4EE5\u592A\u7F51 \u9002\u914D\u5668";  // 以太网 适配器, 19 bytes
    EXPECT_EQ(readDescription(adapter, 19), adapter);
    EXPECT_EQ(readDescription(adapter, 2), "\u4EE5\u592A");
    EXPECT_EQ(readDescription(adapter, 4), "\u4EE5\u592A\u7F51 ");
}

TEST(CIpHelperLinuxTest, DescriptionBytesThatAreNotUtf8BecomeReplacementCharacters) {
    EXPECT_EQ(readDescription("eth\xC3(\xFF", 5), "eth\uFFFD(");
    EXPECT_EQ(readDescription("\xD2\xD4", 2), "\uFFFD\uFFFD");
}

}  // namespace
