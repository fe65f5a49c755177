// Conversion of table bytes into records: where each field goes and how texts are built.
#include "netstats/interface_table_reader.h"

#include <gtest/gtest.h>

#include <array>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

#include "platform/if_row_layout.h"
#include "support/single_row.h"

namespace {

using Getter = std::int32_t (CInterface::*)() const;

// Distinct values with the top bit set: a field read from the wrong offset, or read as
// unsigned, shows up in its own property.
TEST(InterfaceTableReaderTest, EveryNumberFieldFeedsItsOwnPropertyBitForBit) {
    const std::pair<std::size_t, Getter> fields[] = {
        {if_row::kIndex, &CInterface::InterfaceIndex},
        {if_row::kType, &CInterface::InterfaceType},
        {if_row::kMtu, &CInterface::MaximumTransmissionUnit},
        {if_row::kSpeed, &CInterface::Speed},
        {if_row::kAdminStatus, &CInterface::AdminStatus},
        {if_row::kOperStatus, &CInterface::OperationalStatus},
        {if_row::kInOctets, &CInterface::OctetsReceived},
        {if_row::kInUcastPkts, &CInterface::UnicastPacketsReceived},
        {if_row::kInNUcastPkts, &CInterface::NonunicastPacketsReceived},
        {if_row::kInDiscards, &CInterface::DiscardedIncomingPackets},
        {if_row::kInErrors, &CInterface::IncomingErrors},
        {if_row::kInUnknownProtos, &CInterface::UnknownProtocolPackets},
        {if_row::kOutOctets, &CInterface::OctetsSent},
        {if_row::kOutUcastPkts, &CInterface::UnicastPacketsSent},
        {if_row::kOutNUcastPkts, &CInterface::NonunicastPacketsSent},
        {if_row::kOutDiscards, &CInterface::DiscardedOutgoingPackets},
        {if_row::kOutErrors, &CInterface::OutgoingErrors},
        {if_row::kOutQLen, &CInterface::OutputQueueLength}};
    std::vector<std::uint8_t> table = encodeIfTable(std::vector<IfRow>(1));
    for (const auto& [offset, get] : fields) {
        if_row::putU32(table, if_row::rowOffset(0) + offset, 0x80000000u + offset);
    }
    if_row::putU32(table, if_row::rowOffset(0) + if_row::kLastChange, 150);
    CInterfaces interfaces;
    appendTableRows(table, interfaces);
    const CInterface& record = *interfaces.Item(1);
    for (const auto& [offset, get] : fields) {
        EXPECT_EQ((record.*get)(), static_cast<std::int32_t>(0x80000000u + offset)) << offset;
    }
    EXPECT_EQ(record.LastChange(), 1.0 / 86'400);  // whole seconds of up-time, as days
}

// The name ends at its first zero unit.
TEST(InterfaceTableReaderTest, AdapterAddressFormatsAtMostEightValidBytesAndNameEndsAtAZero) {
    // dwPhysAddrLen, bPhysAddr, the address.
    const std::tuple<std::uint32_t, std::array<std::uint8_t, 8>, const char*> cases[] = {
        {0, {0x00, 0x0C, 0x29}, ""},
        {0xFFFFFFFF, {0x00, 0x0C}, ""},  // reads as -1
        {6, {0x00, 0x0C, 0x29, 0xAB, 0x01, 0xFF}, "00-C-29-AB-1-FF"},
        {9, {0xA, 0xB, 0, 0xD, 0xE, 0xF, 0x10, 0x11}, "A-B-00-D-E-F-10-11"}};
    for (const auto& [length, bytes, expected] : cases) {
        IfRow row;
        row.physAddrLen = length;
        row.physAddr = bytes;
        row.name = std::u16string(u"\u4EE5\u592A\u7F51\0ignored", 11);
        const auto record = readSingleRow(row);
        EXPECT_EQ(record->AdapterAddress(), expected) << "length " << length;
        EXPECT_EQ(record->InterfaceName(), "\u4EE5\u592A\u7F51");
    }
}

TEST(InterfaceTableReaderTest, DescriptionKeepsTheTextUpToItsLength) {
    const std::string adapter = "Realtek PCIe GbE";
    // bDescr, dwDescrLen, the description.
    const std::tuple<std::string, std::uint32_t, std::string> cases[] = {
        {adapter, 0, ""},
        {adapter, 7, "Realtek"},
        {adapter, 0xFFFFFFFF, ""},  // reads as -1
        {std::string("eth0\0junk", 9), 9, "eth0"},
        {std::string(256, 'x'), 256, std::string(256, 'x')}};  // no terminating zero
    for (const auto& [bytes, length, expected] : cases) {
        EXPECT_EQ(readDescription(bytes, length), expected) << "length " << length;
    }
}

// Rows are read while both the row count and the filled bytes allow. That a row cut short is
// never read, the interface-table fuzz target asserts for every input.
TEST(InterfaceTableReaderTest, ReadsOnlyCountedRowsLyingWholeInTheBuffer) {
    const std::vector<std::uint8_t> full = encodeIfTable(std::vector<IfRow>(3));
    const auto rowsRead = [&full](std::int32_t claimed, std::size_t bytes) {
        std::vector<std::uint8_t> table(full.begin(), full.begin() + bytes);
        if_row::putU32(table, 0, static_cast<std::uint32_t>(claimed));
        CInterfaces interfaces;
        appendTableRows(table, interfaces);
        return interfaces.Count();
    };
    EXPECT_EQ(rowsRead(3, if_row::rowOffset(1)), 1);
    EXPECT_EQ(rowsRead(2, full.size()), 2);
    EXPECT_EQ(rowsRead(-1, full.size()), 0);
}

}  // namespace
