// The interface table straight from iphlpapi's GetIfTable, whose MIB_IFTABLE is the layout
// that if_row_layout.h describes.

// winsock2.h must come before windows.h, and both before iphlpapi.h.
#include <winsock2.h>

#include <windows.h>

#include <iphlpapi.h>

#include <cstddef>

#include "platform/if_row_layout.h"
#include "platform/interface_table.h"

static_assert(sizeof(MIB_IFROW) == if_row::kRowSize);
static_assert(offsetof(MIB_IFTABLE, table) == if_row::kTableHeaderSize);
static_assert(offsetof(MIB_IFROW, dwIndex) == if_row::kIndex);
static_assert(offsetof(MIB_IFROW, dwPhysAddrLen) == if_row::kPhysAddrLen);
static_assert(offsetof(MIB_IFROW, bPhysAddr) == if_row::kPhysAddr);
static_assert(offsetof(MIB_IFROW, dwLastChange) == if_row::kLastChange);
static_assert(offsetof(MIB_IFROW, dwInOctets) == if_row::kInOctets);
static_assert(offsetof(MIB_IFROW, dwOutOctets) == if_row::kOutOctets);
static_assert(offsetof(MIB_IFROW, dwDescrLen) == if_row::kDescrLen);
static_assert(offsetof(MIB_IFROW, bDescr) == if_row::kDescr);
static_assert(MIB_IF_OPER_STATUS_OPERATIONAL == kIfOperOperational);
static_assert(ERROR_INSUFFICIENT_BUFFER == kIfTableInsufficientBuffer);
static_assert(ERROR_NOT_SUPPORTED == kIfTableNotSupported);

namespace {

class IpHelperInterfaceTable final : public InterfaceTable {
  public:
    std::uint32_t GetIfTable(std::uint8_t* table, std::uint32_t& size, bool sort) override {
        ULONG systemSize = size;
        const DWORD result =
            ::GetIfTable(reinterpret_cast<PMIB_IFTABLE>(table), &systemSize, sort ? TRUE : FALSE);
        size = systemSize;
        return result;
    }

    // MIB_IFROW holds 32-bit counters only.
    std::span<const Octets64> octets64() const override { return {}; }
};

}  // namespace

std::unique_ptr<InterfaceTable> makeSystemInterfaceTable() {
    return std::make_unique<IpHelperInterfaceTable>();
}
