// The program's source of network statistics: every read of Interfaces takes a new snapshot
// of the system's interface table, with the summed received and sent octet counters.
#pragma once

#include <cstdint>
#include <memory>
#include <span>
#include <vector>

#include "netstats/CInterfaces.h"
#include "netstats/interface_table_reader.h"
#include "platform/interface_table.h"

class CIpHelper {
  public:
    explicit CIpHelper(InterfaceTable& table);

    // A full refresh: a new collection of new records, also kept as the current one. A
    // caller holding an earlier collection keeps it unchanged. Never fails: a table that
    // cannot be read gives an empty collection and totals of 0.
    std::shared_ptr<CInterfaces> Interfaces();
    // Replaces the current collection; no refresh, the totals stay.
    void Interfaces(std::shared_ptr<CInterfaces> vData);

    // The summed counters of the last refresh (0 before the first), signed 32-bit as summed.
    double BytesReceived() const;
    double BytesSent() const;

    // The rows' 64-bit octet counters at the last refresh, in row order, as the table keeps
    // them: none where it keeps only the rows' 32-bit ones, or where no table could be read.
    std::span<const Octets64> octets64() const;

  private:
    void RefreshInterfaces();

    InterfaceTable& table_;
    std::shared_ptr<CInterfaces> interfaces_;
    std::int32_t bytesReceived_ = 0;
    std::int32_t bytesSent_ = 0;
    std::vector<Octets64> octets64_;
    // The table's bytes of the last refresh; kept, so that a refresh of a table that did not
    // grow allocates no buffer.
    std::vector<std::uint8_t> buffer_;
    // The rows' names and descriptions, decoded again only when their bytes change.
    RowTexts rowTexts_;
};
