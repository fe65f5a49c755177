#include "support/single_row.h"

#include <span>
#include <utility>

#include "netstats/interface_table_reader.h"

std::shared_ptr<CInterface> readSingleRow(const IfRow& row) {
    CInterfaces interfaces;
    appendTableRows(encodeIfTable(std::span(&row, 1)), interfaces);
    return interfaces.Item(1);
}

std::string readDescription(std::string bytes, std::uint32_t length) {
    IfRow row;
    row.descr = std::move(bytes);
    row.descrLen = length;
    return readSingleRow(row)->InterfaceDescription();
}
