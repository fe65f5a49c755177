// The conversion of a table that holds one row, for tests of what becomes of each field.
#pragma once

#include <cstdint>
#include <memory>
#include <span>
#include <string>
#include <utility>

#include "netstats/CInterface.h"
#include "netstats/interface_table_reader.h"
#include "platform/if_row_layout.h"

inline std::shared_ptr<CInterface> readSingleRow(const IfRow& row) {
    CInterfaces interfaces;
    appendTableRows(encodeIfTable(std::span(&row, 1)), interfaces);
    return interfaces.Item(1);
}

// The description read from bDescr `bytes` with dwDescrLen `length`.
inline std::string readDescription(std::string bytes, std::uint32_t length) {
    IfRow row;
    row.descr = std::move(bytes);
    row.descrLen = length;
    return readSingleRow(row)->InterfaceDescription();
}
