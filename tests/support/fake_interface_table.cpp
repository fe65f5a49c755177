#include "support/fake_interface_table.h"

#include <algorithm>
#include <utility>

std::uint32_t FakeInterfaceTable::GetIfTable(std::uint8_t* table, std::uint32_t& size, bool sort) {
    if (probe) {
        probe();
    }
    ++calls;
    sortRequested = sortRequested || sort;
    const std::vector<std::uint8_t> bytes = encodeIfTable(rows);
    const auto needed = static_cast<std::uint32_t>(bytes.size());
    if (table == nullptr) {
        size = zeroSize ? 0 : needed;
        if (growth) {
            rows.push_back(*std::exchange(growth, std::nullopt));
        }
        return sizeQueryResult;
    }
    if (fillFailure) {
        return *fillFailure;
    }
    if (size < needed) {
        size = needed;
        return kIfTableInsufficientBuffer;
    }
    std::copy(bytes.begin(), bytes.end(), table);
    return kIfTableSuccess;
}
