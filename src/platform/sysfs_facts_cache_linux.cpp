#include "platform/sysfs_facts_cache_linux.h"

#include <fcntl.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <charconv>
#include <utility>

#include "platform/interface_table.h"
#include "platform/link_codes_linux.h"

namespace {

// Plain system calls, not streams: reading a few bytes should not pull in the locale machinery
// for a program that otherwise never uses it.
std::optional<long long> readNumber(const std::string& path) {
    const int fd = open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) {
        return std::nullopt;
    }
    std::array<char, 32> text{};
    const ssize_t length = read(fd, text.data(), text.size());
    close(fd);
    long long value = 0;
    if (length <= 0 ||
        std::from_chars(text.data(), text.data() + length, value).ec != std::errc{}) {
        return std::nullopt;
    }
    return value;
}

bool exists(const std::string& path) {
    return access(path.c_str(), F_OK) == 0;
}

}  // namespace

SysfsFactsCache::SysfsFactsCache(const MonotonicClock& clock, std::string netClassFolder)
    : clock_(clock), netClassFolder_(std::move(netClassFolder)) {}

void SysfsFactsCache::putFacts(std::vector<LinkRow>& links) {
    const std::int64_t now = clock_.nowNanoseconds();
    if (!fresh(links, now)) {
        facts_.clear();
        for (const LinkRow& link : links) {
            facts_.push_back(read(link));
        }
        readAt_ = now;
    }
    for (std::size_t i = 0; i < links.size(); ++i) {
        links[i].row.speed = facts_[i].speed;
        if (facts_[i].wireless) {
            links[i].row.type = kIfTypeWireless;
        }
    }
}

bool SysfsFactsCache::fresh(const std::vector<LinkRow>& links, std::int64_t now) const {
    const bool sameLinks =
        std::ranges::equal(facts_, links, [](const Facts& fact, const LinkRow& link) {
            return fact.index == link.row.index && fact.name == link.name;
        });
    return sameLinks && readAt_ && now - *readAt_ < kLifetimeNanoseconds;
}

SysfsFactsCache::Facts SysfsFactsCache::read(const LinkRow& link) const {
    const std::string folder = netClassFolder_ + "/" + link.name;
    const bool wireless = link.row.type == kIfTypeEthernet &&
                          (exists(folder + "/wireless") || exists(folder + "/phy80211"));
    return {link.row.index, link.name, wireless,
            speedFromMbits(readNumber(folder + "/speed").value_or(0))};
}
