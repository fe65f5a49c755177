// The system's network-interface table, read with GetIfTable's two-call contract into the
// byte layout of if_row_layout.h.
#pragma once

#include <cstdint>
#include <memory>
#include <span>

// Result codes of GetIfTable (the Windows error numbers).
inline constexpr std::uint32_t kIfTableSuccess = 0;
inline constexpr std::uint32_t kIfTableNotSupported = 50;         // ERROR_NOT_SUPPORTED
inline constexpr std::uint32_t kIfTableInsufficientBuffer = 122;  // ERROR_INSUFFICIENT_BUFFER
inline constexpr std::uint32_t kIfTableGeneralFailure = 31;       // ERROR_GEN_FAILURE

// dwType: the IANA ifType numbers that Windows reports.
inline constexpr std::uint32_t kIfTypeOther = 1;
inline constexpr std::uint32_t kIfTypeEthernet = 6;
inline constexpr std::uint32_t kIfTypePpp = 23;
inline constexpr std::uint32_t kIfTypeLoopback = 24;
inline constexpr std::uint32_t kIfTypeWireless = 71;
inline constexpr std::uint32_t kIfTypeTunnel = 131;

// dwAdminStatus.
inline constexpr std::uint32_t kIfAdminUp = 1;
inline constexpr std::uint32_t kIfAdminDown = 2;

// dwOperStatus: the MIB_IF_OPER_STATUS_* values of Windows' ipifcons.h.
inline constexpr std::uint32_t kIfOperNonOperational = 0;
inline constexpr std::uint32_t kIfOperUnreachable = 1;
inline constexpr std::uint32_t kIfOperDisconnected = 2;
inline constexpr std::uint32_t kIfOperConnecting = 3;
inline constexpr std::uint32_t kIfOperConnected = 4;
inline constexpr std::uint32_t kIfOperOperational = 5;

// A row's received and sent octets as 64-bit counters. No link wraps one in centuries, so one
// that went down started again from zero.
struct Octets64 {
    std::uint64_t received = 0;
    std::uint64_t sent = 0;
};

class InterfaceTable {
  public:
    InterfaceTable() = default;
    InterfaceTable(const InterfaceTable&) = delete;
    InterfaceTable& operator=(const InterfaceTable&) = delete;
    virtual ~InterfaceTable() = default;

    // With table == nullptr, or size smaller than the table needs: stores the needed size in
    // `size` and returns a size-needed code. Otherwise fills `table` (`size` bytes long) and
    // returns 0. Returns 50 where the system has no table, another code on other failures.
    // `sort` asks for the rows in ascending interface index.
    virtual std::uint32_t GetIfTable(std::uint8_t* table, std::uint32_t& size, bool sort) = 0;
    // The 64-bit counters behind the rows the last successful fill wrote, in row order, valid
    // until the next call; empty where the system keeps only the rows' 32-bit ones.
    virtual std::span<const Octets64> octets64() const = 0;
};

// The running system's table (netlink on Linux, iphlpapi on Windows).
std::unique_ptr<InterfaceTable> makeSystemInterfaceTable();
