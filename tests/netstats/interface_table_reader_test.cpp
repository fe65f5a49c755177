// Conversion of table bytes into records: where each field goes and how texts are built.
#include "netstats/interface_table_reader.h"

#include <gtest/gtest.h>

#include <array>
#include <string>
#include <vector>

#include "platform/if_row_layout.h"
#include "support/single_row.h"

namespace {

TEST(InterfaceTableReaderTest, EveryFieldFeedsItsOwnProperty) {
    IfRow row;
    row.name = u"eth0";
    row.index = 1;
    row.type = 2;
    row.mtu = 3;
    row.speed = 4;
    row.adminStatus = 5;
    row.operStatus = 6;
    row.lastChange = 8'640'000;
    row.inOctets = 7;
    row.inUcastPkts = 8;
    row.inNUcastPkts = 9;
    row.inDiscards = 10;
    row.inErrors = 11;
    row.inUnknownProtos = 12;
    row.outOctets = 13;
    row.outUcastPkts = 14;
    row.outNUcastPkts = 15;
    row.outDiscards = 16;
    row.outErrors = 17;
    row.outQLen = 18;
    row.physAddrLen = 2;
    row.physAddr = {0x12, 0x34};
    row.descr = "Adapter";
    row.descrLen = 7;

    const auto record = readSingleRow(row);
    EXPECT_EQ(record->InterfaceName(), "eth0");
    EXPECT_EQ(record->InterfaceIndex(), 1);
    EXPECT_EQ(record->InterfaceType(), 2);
    EXPECT_EQ(record->MaximumTransmissionUnit(), 3);
    EXPECT_EQ(record->Speed(), 4);
    EXPECT_EQ(record->AdminStatus(), 5);
    EXPECT_EQ(record->OperationalStatus(), 6);
    EXPECT_EQ(record->LastChange(), 1.0);
    EXPECT_EQ(record->OctetsReceived(), 7);
    EXPECT_EQ(record->UnicastPacketsReceived(), 8);
    EXPECT_EQ(record->NonunicastPacketsReceived(), 9);
    EXPECT_EQ(record->DiscardedIncomingPackets(), 10);
    EXPECT_EQ(record->IncomingErrors(), 11);
    EXPECT_EQ(record->UnknownProtocolPackets(), 12);
    EXPECT_EQ(record->OctetsSent(), 13);
    EXPECT_EQ(record->UnicastPacketsSent(), 14);
    EXPECT_EQ(record->NonunicastPacketsSent(), 15);
    EXPECT_EQ(record->DiscardedOutgoingPackets(), 16);
    EXPECT_EQ(record->OutgoingErrors(), 17);
    EXPECT_EQ(record->OutputQueueLength(), 18);
    EXPECT_EQ(record->AdapterAddress(), "12-34");
    EXPECT_EQ(record->InterfaceDescription(), "Adapter");
}

TEST(InterfaceTableReaderTest, AdapterAddressFormatsAtMostEightValidBytes) {
    struct {
        std::uint32_t length;
        std::array<std::uint8_t, 8> bytes;
        const char* expected;
    } cases[] = {
        {0, {0x00, 0x0C, 0x29}, ""},
        {0xFFFFFFFF, {0x00, 0x0C}, ""},  // reads as -1
        {1, {0x10}, "10"},
        {6, {0x00, 0x0C, 0x29, 0xAB, 0x01, 0xFF}, "00-C-29-AB-1-FF"},
        {8, {1, 2, 3, 4, 5, 6, 7, 0xF0}, "1-2-3-4-5-6-7-F0"},
        {9, {0xA, 0xB, 0, 0xD, 0xE, 0xF, 0x10, 0x11}, "A-B-00-D-E-F-10-11"},
        {0x7FFFFFFF, {0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF}, "FF-FF-FF-FF-FF-FF-FF-FF"},
    };
    for (const auto& c : cases) {
        IfRow row;
        row.physAddrLen = c.length;
        row.physAddr = c.bytes;
        EXPECT_EQ(readSingleRow(row)->AdapterAddress(), c.expected) << "length " << c.length;
    }
}

TEST(InterfaceTableReaderTest, DescriptionKeepsTheTextUpToItsLength) {
    const std::string adapter = "Realtek PCIe GbE";
    struct {
        std::string bytes;
        std::uint32_t length;
        const char* expected;
    } cases[] = {
        {adapter, 0, ""},
        {adapter, 7, "Realtek"},
        {adapter, 16, "Realtek PCIe GbE"},
        {adapter, 17, "Realtek PCIe GbE"},  // the length counting the terminating zero
        {adapter, 200, "Realtek PCIe GbE"},
        {adapter, 0xFFFFFFFF, ""},  // reads as -1
        {std::string("eth0\0junk", 9), 9, "eth0"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(readDescription(c.bytes, c.length), c.expected) << "length " << c.length;
    }
}

TEST(InterfaceTableReaderTest, DescriptionWithoutZeroUsesAll256Bytes) {
    EXPECT_EQ(readDescription(std::string(256, 'x'), 256), std::string(256, 'x'));
}

TEST(InterfaceTableReaderTest, NameEndsAtTheFirstZeroUnit) {
    IfRow row;
    row.name = std::u16string(u"\u4EE5\u592A\u7F51\0ignored", 11);
    EXPECT_EQ(readSingleRow(row)->InterfaceName(), "\u4EE5\u592A\u7F51");
}

TEST(InterfaceTableReaderTest, NameWithoutZeroUsesAll256Units) {
    IfRow row;
    std::vector<std::uint8_t> table = encodeIfTable(std::span(&row, 1));
    for (std::size_t unit = 0; unit < if_row::kNameUnits; ++unit) {
        table[if_row::rowOffset(0) + 2 * unit] = 'n';
    }
    CInterfaces interfaces;
    appendTableRows(table, interfaces);
    EXPECT_EQ(interfaces.Item(1)->InterfaceName(), std::string(256, 'n'));
}

TEST(InterfaceTableReaderTest, NameWithLoneSurrogateGetsReplacementCharacter) {
    IfRow row;
    row.name = u"a\xD800z";
    EXPECT_EQ(readSingleRow(row)->InterfaceName(), "a\uFFFDz");
}

TEST(InterfaceTableReaderTest, ReadsOnlyRowsLyingWholeInTheBuffer) {
    const std::vector<IfRow> rows(2);
    const std::vector<std::uint8_t> table = encodeIfTable(rows);
    struct {
        std::size_t bytes;
        std::int32_t expectedRows;
    } cases[] = {{0, 0},
                 {3, 0},
                 {4, 0},
                 {4 + if_row::kRowSize - 1, 0},
                 {4 + if_row::kRowSize, 1},
                 {4 + 2 * if_row::kRowSize - 1, 1},
                 {table.size(), 2}};
    for (const auto& c : cases) {
        CInterfaces interfaces;
        appendTableRows(std::span(table).first(c.bytes), interfaces);
        EXPECT_EQ(interfaces.Count(), c.expectedRows) << c.bytes << " bytes";
    }
}

TEST(InterfaceTableReaderTest, RowCountBelowTheRowsHeldReadsOnlyThatMany) {
    std::vector<IfRow> rows(3);
    rows[2].inOctets = 99;
    std::vector<std::uint8_t> table = encodeIfTable(rows);
    if_row::putU32(table, 0, 2);
    CInterfaces interfaces;
    const TableTotals totals = appendTableRows(table, interfaces);
    EXPECT_EQ(interfaces.Count(), 2);
    EXPECT_EQ(totals.received, 0);
}

TEST(InterfaceTableReaderTest, LastChangeIsTheUpTimeInWholeSecondsAsDays) {
    EXPECT_EQ(lastChangeDate(0), 0.0);
    EXPECT_EQ(lastChangeDate(99), 0.0);
    EXPECT_EQ(lastChangeDate(150), 1.0 / 86'400);
    EXPECT_EQ(lastChangeDate(8'640'000), 1.0);
    EXPECT_EQ(lastChangeDate(-8'640'000), -1.0);
    EXPECT_EQ(lastChangeDate(2'147'483'647), 21'474'836 / 86'400.0);
}

}  // namespace
