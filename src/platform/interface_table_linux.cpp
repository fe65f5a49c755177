// The interface table from one netlink RTM_GETLINK dump, plus sysfs for what the dump lacks.
#include <algorithm>
#include <cstdint>
#include <memory>
#include <optional>
#include <span>
#include <utility>
#include <vector>

#include "platform/if_row_layout.h"
#include "platform/interface_table.h"
#include "platform/link_dump_linux.h"
#include "platform/monotonic_clock.h"
#include "platform/netlink_channel_linux.h"
#include "platform/sysfs_facts_cache_linux.h"

namespace {

// Long beyond any dump of the kernel's, short enough that a stuck one stalls no tick for long.
constexpr int kReceiveTimeoutMilliseconds = 250;

class NetlinkInterfaceTable final : public InterfaceTable {
  public:
    NetlinkInterfaceTable() : clock_(makeSystemMonotonicClock()), sysfsFacts_(*clock_) {}

    // The size query dumps the links; the fill call that follows it uses that same dump, once,
    // so that one read of the table costs one dump and both calls see the same table. A fill
    // without a size query before it dumps afresh.
    std::uint32_t GetIfTable(std::uint8_t* table, std::uint32_t& size, bool sort) override {
        if (table == nullptr || !sizedTable_) {
            sizedTable_ = readTable(sort);
        }
        if (!sizedTable_) {
            return kIfTableGeneralFailure;
        }
        if (table == nullptr || size < sizedTable_->bytes.size()) {
            size = static_cast<std::uint32_t>(sizedTable_->bytes.size());
            return kIfTableInsufficientBuffer;
        }
        std::ranges::copy(sizedTable_->bytes, table);
        filledOctets64_ = std::move(sizedTable_->octets64);
        sizedTable_.reset();
        return kIfTableSuccess;
    }

    std::span<const Octets64> octets64() const override { return filledOctets64_; }

  private:
    // One read of the table: its bytes, and each row's 64-bit counters in row order.
    struct Table {
        std::vector<std::uint8_t> bytes;
        std::vector<Octets64> octets64;
    };

    // The channel is kept from read to read; one that failed may still hold the rest of a
    // dump, so the next read opens a new one.
    std::optional<Table> readTable(bool sort) {
        if (!channel_) {
            channel_ = openNetlinkChannel(kReceiveTimeoutMilliseconds);
        }
        std::optional<std::vector<LinkRow>> links;
        if (channel_) {
            links = dumpLinks(*channel_);
        }
        if (!links) {
            channel_.reset();
            return std::nullopt;
        }
        if (sort) {
            std::ranges::sort(*links, {}, [](const LinkRow& link) { return link.row.index; });
        }
        sysfsFacts_.putFacts(*links);
        std::vector<IfRow> rows;
        Table read;
        rows.reserve(links->size());
        read.octets64.reserve(links->size());
        for (LinkRow& link : *links) {
            rows.push_back(std::move(link.row));
            read.octets64.push_back(link.octets64);
        }
        read.bytes = encodeIfTable(rows);
        return read;
    }

    std::unique_ptr<MonotonicClock> clock_;
    SysfsFactsCache sysfsFacts_;
    std::unique_ptr<NetlinkChannel> channel_;
    std::optional<Table> sizedTable_;
    std::vector<Octets64> filledOctets64_;
};

}  // namespace

std::unique_ptr<InterfaceTable> makeSystemInterfaceTable() {
    return std::make_unique<NetlinkInterfaceTable>();
}
