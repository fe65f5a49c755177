// An interface table that tests build from rows, with switches for each way the system's
// two-call read can go wrong.
#pragma once

#include <cstdint>
#include <functional>
#include <optional>
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
    explicit FakeInterfaceTable(std::vector<IfRow> rows = {}) : rows_(std::move(rows)) {}

    std::uint32_t GetIfTable(std::uint8_t* table, std::uint32_t& size, bool sort) override;

    void setRows(std::vector<IfRow> rows) { rows_ = std::move(rows); }
    // The size query returns `result` (50: not supported) instead of the size-needed code.
    void answerSizeQueryWith(std::uint32_t result) { sizeQueryResult_ = result; }
    // The size query reports a size of 0.
    void reportZeroSize() { zeroSize_ = true; }
    // The call that fills the buffer fails with `result`.
    void failFillWith(std::uint32_t result) { fillFailure_ = result; }
    // `row` joins the table right after the next size query: an adapter appearing between
    // the two calls.
    void growAfterSizeQuery(IfRow row) { growth_ = std::move(row); }

    int calls() const { return calls_; }
    // Whether any call asked for sorted rows.
    bool sortRequested() const { return sortRequested_; }

    // Runs first in every call; it may throw, as an exhausted allocator would.
    std::function<void()> probe;

  private:
    std::vector<IfRow> rows_;
    std::uint32_t sizeQueryResult_ = kIfTableInsufficientBuffer;
    bool zeroSize_ = false;
    std::optional<std::uint32_t> fillFailure_;
    std::optional<IfRow> growth_;
    int calls_ = 0;
    bool sortRequested_ = false;
};
