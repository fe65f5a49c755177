#include "platform/netlink_channel_linux.h"

#include <linux/if_link.h>
#include <linux/netlink.h>
#include <linux/rtnetlink.h>
#include <sys/socket.h>
#include <sys/time.h>
#include <unistd.h>

#include <cerrno>
#include <cstdint>
#include <vector>

namespace {

class SocketChannel final : public NetlinkChannel {
  public:
    explicit SocketChannel(int fd) : fd_(fd) {}
    ~SocketChannel() override { close(fd_); }

    bool requestLinkDump() override {
        struct {
            nlmsghdr header;
            ifinfomsg info;
            rtattr maskAttribute;
            std::uint32_t mask;
        } request{};
        request.header.nlmsg_len = sizeof(request);
        request.header.nlmsg_type = RTM_GETLINK;
        request.header.nlmsg_flags = NLM_F_REQUEST | NLM_F_DUMP;
        request.header.nlmsg_seq = ++sequence_;
        request.info.ifi_family = AF_UNSPEC;
        // The link counters stay in the dump; what goes are the per-protocol statistics, which
        // the kernel would otherwise sum over every CPU for each link, ten times a second.
        request.maskAttribute.rta_len = RTA_LENGTH(sizeof(request.mask));
        request.maskAttribute.rta_type = IFLA_EXT_MASK;
        request.mask = RTEXT_FILTER_SKIP_STATS;
        return send(fd_, &request, sizeof(request), 0) == static_cast<ssize_t>(sizeof(request));
    }

    // A datagram cut short by the buffer (MSG_TRUNC reports its whole length) is a failure.
    std::optional<std::span<const std::uint8_t>> receive() override {
        for (;;) {
            const ssize_t received = recv(fd_, datagram_.data(), datagram_.size(), MSG_TRUNC);
            if (received < 0 && errno == EINTR) {
                continue;
            }
            if (received <= 0 || static_cast<std::size_t>(received) > datagram_.size()) {
                return std::nullopt;
            }
            return std::span(datagram_).first(static_cast<std::size_t>(received));
        }
    }

  private:
    int fd_;
    std::uint32_t sequence_ = 0;
    // 32 KiB holds any one datagram of a link dump, as iproute2 assumes.
    std::vector<std::uint8_t> datagram_ = std::vector<std::uint8_t>(32 * 1024);
};

}  // namespace

std::unique_ptr<NetlinkChannel> openNetlinkChannel(int timeoutMilliseconds) {
    const int fd = socket(AF_NETLINK, SOCK_RAW | SOCK_CLOEXEC, NETLINK_ROUTE);
    if (fd < 0) {
        return nullptr;
    }
    const timeval timeout{timeoutMilliseconds / 1000, (timeoutMilliseconds % 1000) * 1000};
    if (setsockopt(fd, SOL_SOCKET, SO_RCVTIMEO, &timeout, sizeof(timeout)) != 0) {
        close(fd);
        return nullptr;
    }
    return std::make_unique<SocketChannel>(fd);
}
