// The conversation of one interface-table read with the kernel's routing socket: a link-dump
// request, then its reply datagrams, none of which may keep the window waiting for long.
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <span>

class NetlinkChannel {
  public:
    NetlinkChannel() = default;
    NetlinkChannel(const NetlinkChannel&) = delete;
    NetlinkChannel& operator=(const NetlinkChannel&) = delete;
    virtual ~NetlinkChannel() = default;

    // Asks for a dump of every link; false when the request could not be sent.
    virtual bool requestLinkDump() = 0;
    // The next datagram, valid until the next call; nothing when the receive failed or none
    // came within the channel's timeout.
    virtual std::optional<std::span<const std::uint8_t>> receive() = 0;
};

// A new NETLINK_ROUTE socket whose receives give up after `timeoutMilliseconds`; nothing when
// the socket cannot be had.
std::unique_ptr<NetlinkChannel> openNetlinkChannel(int timeoutMilliseconds);
