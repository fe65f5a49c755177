// What the netlink dump lacks and sysfs has: each link's speed, and whether an Ethernet-framed
// link is wireless.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "platform/link_dump_linux.h"
#include "platform/monotonic_clock.h"

// Speed and wireless change with the set of links, rarely otherwise: sysfs is read when that set
// changed, and besides only once the facts are kLifetimeNanoseconds old.
class SysfsFactsCache {
  public:
    static constexpr std::int64_t kLifetimeNanoseconds = 5'000'000'000;

    // `netClassFolder` holds a folder per link: /sys/class/net on a running system.
    explicit SysfsFactsCache(const MonotonicClock& clock,
                             std::string netClassFolder = "/sys/class/net");

    // Puts each link's speed in, and makes an Ethernet-framed wireless link wireless.
    void putFacts(std::vector<LinkRow>& links);

  private:
    struct Facts {
        std::uint32_t index = 0;
        std::string name;
        bool wireless = false;
        std::uint32_t speed = 0;
    };

    bool fresh(const std::vector<LinkRow>& links, std::int64_t now) const;
    Facts read(const LinkRow& link) const;

    const MonotonicClock& clock_;
    std::string netClassFolder_;
    std::vector<Facts> facts_;
    std::optional<std::int64_t> readAt_;
};
