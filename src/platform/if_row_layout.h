// The byte layout of the interface table (MIB_IFTABLE of MIB_IFROW rows), little-endian, as
// the system's GetIfTable writes it: the one place that knows where each field lies.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <vector>

namespace if_row {

inline constexpr std::size_t kTableHeaderSize = 4;  // dwNumEntries
inline constexpr std::size_t kRowSize = 860;

inline constexpr std::size_t kNameUnits = 256;
inline constexpr std::size_t kPhysAddrBytes = 8;
inline constexpr std::size_t kDescrBytes = 256;

// Offsets inside one row.
inline constexpr std::size_t kName = 0;
inline constexpr std::size_t kIndex = 512;
inline constexpr std::size_t kType = 516;
inline constexpr std::size_t kMtu = 520;
inline constexpr std::size_t kSpeed = 524;
inline constexpr std::size_t kPhysAddrLen = 528;
inline constexpr std::size_t kPhysAddr = 532;
inline constexpr std::size_t kAdminStatus = 540;
inline constexpr std::size_t kOperStatus = 544;
inline constexpr std::size_t kLastChange = 548;
inline constexpr std::size_t kInOctets = 552;
inline constexpr std::size_t kInUcastPkts = 556;
inline constexpr std::size_t kInNUcastPkts = 560;
inline constexpr std::size_t kInDiscards = 564;
inline constexpr std::size_t kInErrors = 568;
inline constexpr std::size_t kInUnknownProtos = 572;
inline constexpr std::size_t kOutOctets = 576;
inline constexpr std::size_t kOutUcastPkts = 580;
inline constexpr std::size_t kOutNUcastPkts = 584;
inline constexpr std::size_t kOutDiscards = 588;
inline constexpr std::size_t kOutErrors = 592;
inline constexpr std::size_t kOutQLen = 596;
inline constexpr std::size_t kDescrLen = 600;
inline constexpr std::size_t kDescr = 604;

static_assert(kDescr + kDescrBytes == kRowSize);

// Where row `position` (0-based) starts in a table buffer.
constexpr std::size_t rowOffset(std::size_t position) {
    return kTableHeaderSize + position * kRowSize;
}

std::uint32_t getU32(std::span<const std::uint8_t> bytes, std::size_t offset);
void putU32(std::span<std::uint8_t> bytes, std::size_t offset, std::uint32_t value);

}  // namespace if_row

// One row's fields as plain values, for writing a table: the platform's field names, its
// unsigned 32-bit counters. Texts longer than their field are cut.
struct IfRow {
    std::u16string name;  // wszName; at most 255 units are kept, so a zero always ends it
    std::uint32_t index = 0;
    std::uint32_t type = 0;
    std::uint32_t mtu = 0;
    std::uint32_t speed = 0;
    std::uint32_t physAddrLen = 0;
    std::array<std::uint8_t, if_row::kPhysAddrBytes> physAddr{};
    std::uint32_t adminStatus = 0;
    std::uint32_t operStatus = 0;
    std::uint32_t lastChange = 0;
    std::uint32_t inOctets = 0;
    std::uint32_t inUcastPkts = 0;
    std::uint32_t inNUcastPkts = 0;
    std::uint32_t inDiscards = 0;
    std::uint32_t inErrors = 0;
    std::uint32_t inUnknownProtos = 0;
    std::uint32_t outOctets = 0;
    std::uint32_t outUcastPkts = 0;
    std::uint32_t outNUcastPkts = 0;
    std::uint32_t outDiscards = 0;
    std::uint32_t outErrors = 0;
    std::uint32_t outQLen = 0;
    std::uint32_t descrLen = 0;
    std::string descr;  // bDescr: bytes in the system's code page; at most 256 are kept
};

// A whole table: the row count, then every row in the given order.
std::vector<std::uint8_t> encodeIfTable(std::span<const IfRow> rows);
