#include "platform/if_row_layout.h"

#include <algorithm>

namespace if_row {

std::uint32_t getU32(std::span<const std::uint8_t> bytes, std::size_t offset) {
    return static_cast<std::uint32_t>(bytes[offset]) |
           static_cast<std::uint32_t>(bytes[offset + 1]) << 8 |
           static_cast<std::uint32_t>(bytes[offset + 2]) << 16 |
           static_cast<std::uint32_t>(bytes[offset + 3]) << 24;
}

void putU32(std::span<std::uint8_t> bytes, std::size_t offset, std::uint32_t value) {
    for (std::size_t byte = 0; byte < 4; ++byte) {
        bytes[offset + byte] = static_cast<std::uint8_t>(value >> (8 * byte));
    }
}

}  // namespace if_row

namespace {

void putName(std::span<std::uint8_t> row, const std::u16string& name) {
    const std::size_t units = std::min(name.size(), if_row::kNameUnits - 1);
    for (std::size_t unit = 0; unit < units; ++unit) {
        row[if_row::kName + 2 * unit] = static_cast<std::uint8_t>(name[unit]);
        row[if_row::kName + 2 * unit + 1] = static_cast<std::uint8_t>(name[unit] >> 8);
    }
}

void putRow(std::span<std::uint8_t> row, const IfRow& fields) {
    using namespace if_row;
    putName(row, fields.name);
    putU32(row, kIndex, fields.index);
    putU32(row, kType, fields.type);
    putU32(row, kMtu, fields.mtu);
    putU32(row, kSpeed, fields.speed);
    putU32(row, kPhysAddrLen, fields.physAddrLen);
    std::copy(fields.physAddr.begin(), fields.physAddr.end(), row.begin() + kPhysAddr);
    putU32(row, kAdminStatus, fields.adminStatus);
    putU32(row, kOperStatus, fields.operStatus);
    putU32(row, kLastChange, fields.lastChange);
    putU32(row, kInOctets, fields.inOctets);
    putU32(row, kInUcastPkts, fields.inUcastPkts);
    putU32(row, kInNUcastPkts, fields.inNUcastPkts);
    putU32(row, kInDiscards, fields.inDiscards);
    putU32(row, kInErrors, fields.inErrors);
    putU32(row, kInUnknownProtos, fields.inUnknownProtos);
    putU32(row, kOutOctets, fields.outOctets);
    putU32(row, kOutUcastPkts, fields.outUcastPkts);
    putU32(row, kOutNUcastPkts, fields.outNUcastPkts);
    putU32(row, kOutDiscards, fields.outDiscards);
    putU32(row, kOutErrors, fields.outErrors);
    putU32(row, kOutQLen, fields.outQLen);
    putU32(row, kDescrLen, fields.descrLen);
    const std::size_t descrBytes = std::min(fields.descr.size(), kDescrBytes);
    std::copy_n(fields.descr.begin(), descrBytes, row.begin() + kDescr);
}

}  // namespace

std::vector<std::uint8_t> encodeIfTable(std::span<const IfRow> rows) {
    std::vector<std::uint8_t> table(if_row::rowOffset(rows.size()), 0);
    if_row::putU32(table, 0, static_cast<std::uint32_t>(rows.size()));
    for (std::size_t position = 0; position < rows.size(); ++position) {
        const auto row = std::span(table).subspan(if_row::rowOffset(position), if_row::kRowSize);
        putRow(row, rows[position]);
    }
    return table;
}
