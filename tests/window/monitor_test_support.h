// Interface rows and a watched interface table for the tests of start-up and the monitor tick.
#pragma once

#include <cstdint>
#include <functional>
#include <new>
#include <string>

#include "platform/if_row_layout.h"
#include "platform/interface_table.h"

// A row with a description and the two counters the monitor sums.
inline IfRow interfaceRow(const std::string& description, std::uint32_t received = 0,
                          std::uint32_t sent = 0) {
    IfRow row;
    row.descr = description;
    row.descrLen = static_cast<std::uint32_t>(description.size());
    row.inOctets = received;
    row.outOctets = sent;
    return row;
}

// Passes every read on to another table, after calling the probe; with `throwing` set, every
// read throws as an exhausted allocator would.
class ProbedTable final : public InterfaceTable {
  public:
    explicit ProbedTable(InterfaceTable& inner) : inner_(inner) {}
    std::uint32_t GetIfTable(std::uint8_t* table, std::uint32_t& size, bool sort) override {
        if (probe) {
            probe();
        }
        if (throwing) {
            throw std::bad_alloc();
        }
        return inner_.GetIfTable(table, size, sort);
    }

    std::function<void()> probe;
    bool throwing = false;

  private:
    InterfaceTable& inner_;
};
