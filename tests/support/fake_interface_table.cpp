#include "support/fake_interface_table.h"

#include <algorithm>
#include <utility>

std::uint32_t FakeInterfaceTable::GetIfTable(std::uint8_t* table, std::uint32_t& size, bool sort) {
    if (probe) {
        probe();
    }
    ++calls_;
    sortRequested_ = sortRequested_ || sort;
    const std::vector<std::uint8_t> bytes = encodeIfTable(rows_);
    const auto needed = static_cast<std::uint32_t>(bytes.size());
    if (table == nullptr) {
        size = zeroSize_ ? 0 : needed;
        if (growth_) {
            rows_.push_back(*std::exchange(growth_, std::nullopt));
        }
        return sizeQueryResult_;
    }
    if (fillFailure_) {
        return *fillFailure_;
    }
    if (size < needed) {
        size = needed;
        return kIfTableInsufficientBuffer;
    }
    std::copy(bytes.begin(), bytes.end(), table);
    return kIfTableSuccess;
}
