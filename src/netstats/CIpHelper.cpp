#include "netstats/CIpHelper.h"

#include <new>
#include <utility>
#include <vector>

#include "netstats/interface_table_reader.h"

CIpHelper::CIpHelper(InterfaceTable& table) : table_(table) {}

std::shared_ptr<CInterfaces> CIpHelper::Interfaces() {
    RefreshInterfaces();
    return interfaces_;
}

void CIpHelper::Interfaces(std::shared_ptr<CInterfaces> vData) {
    interfaces_ = std::move(vData);
}

double CIpHelper::BytesReceived() const {
    return bytesReceived_;
}

double CIpHelper::BytesSent() const {
    return bytesSent_;
}

std::span<const Octets64> CIpHelper::octets64() const {
    return octets64_;
}

// Two calls: the size the table needs, then the table itself. A table that grew in between
// makes the second call fail; that read is empty and the next one tries afresh.
void CIpHelper::RefreshInterfaces() {
    interfaces_ = std::make_shared<CInterfaces>();
    bytesReceived_ = 0;
    bytesSent_ = 0;
    octets64_.clear();
    std::uint32_t size = 0;
    if (table_.GetIfTable(nullptr, size, false) == kIfTableNotSupported || size == 0) {
        return;
    }
    try {
        buffer_.resize(size);
    } catch (const std::bad_alloc&) {
        return;
    }
    if (table_.GetIfTable(buffer_.data(), size, false) != kIfTableSuccess) {
        return;
    }
    const TableTotals totals = appendTableRows(buffer_, *interfaces_, rowTexts_);
    bytesReceived_ = totals.received;
    bytesSent_ = totals.sent;
    const std::span<const Octets64> octets64 = table_.octets64();
    octets64_.assign(octets64.begin(), octets64.end());
}
