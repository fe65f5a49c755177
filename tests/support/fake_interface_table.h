// An interface table that tests build from rows, with switches for each way the system's
// two-call read can go wrong.
#pragma once

#include <algorithm>
#include <cstdint>
#include <functional>
#include <optional>
#include <span>
#include <string>
#include <utility>
#include <vector>

#include "platform/if_row_layout.h"
#include "platform/interface_table.h"

// A row with a description and its two byte counters.
inline IfRow interfaceRow(const std::string& description, std::uint32_t received = 0,
                          std::uint32_t sent = 0) {
    IfRow row;
    row.descr = description;
    row.descrLen = static_cast<std::uint32_t>(description.size());
    row.inOctets = received;
    row.outOctets = sent;
    return row;
}

class FakeInterfaceTable final : public InterfaceTable {
  public:
    explicit FakeInterfaceTable(std::vector<IfRow> start = {}) : rows(std::move(start)) {}

    std::uint32_t GetIfTable(std::uint8_t* table, std::uint32_t& size, bool sort) override {
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

    std::span<const Octets64> octets64() const override { return rowOctets64; }

    std::vector<IfRow> rows;
    // The rows' 64-bit counters, in row order; none by default, as on Windows.
    std::vector<Octets64> rowOctets64;
    // What the size query returns (50: not supported) where the size-needed code belongs.
    std::uint32_t sizeQueryResult = kIfTableInsufficientBuffer;
    // The size query reports a size of 0.
    bool zeroSize = false;
    // What the call that fills the buffer fails with.
    std::optional<std::uint32_t> fillFailure;
    // A row that joins the table right after the next size query: an adapter appearing between
    // the two calls.
    std::optional<IfRow> growth;
    // Runs first in every call; it may throw, as an exhausted allocator would.
    std::function<void()> probe;
    // The calls so far, and whether any of them asked for sorted rows.
    int calls = 0;
    bool sortRequested = false;
};
