// The system's own GetIfTable through the two-call contract.
#include "platform/interface_table.h"

#include <gtest/gtest.h>

#include <span>
#include <vector>

#include "platform/if_row_layout.h"

namespace {

std::vector<std::uint8_t> readSystemTable(bool sort) {
    const auto table = makeSystemInterfaceTable();
    std::uint32_t size = 0;
    EXPECT_EQ(table->GetIfTable(nullptr, size, sort), kIfTableInsufficientBuffer);
    std::vector<std::uint8_t> buffer(size);
    EXPECT_EQ(table->GetIfTable(buffer.data(), size, sort), kIfTableSuccess);
    return buffer;
}

TEST(InterfaceTableWindowsTest, SizeQueryThenFillGivesWholeRows) {
    const std::vector<std::uint8_t> buffer = readSystemTable(false);
    ASSERT_GE(buffer.size(), if_row::kTableHeaderSize);
    const std::uint32_t rows = if_row::getU32(buffer, 0);
    EXPECT_GE(rows, 1u);
    EXPECT_LE(if_row::rowOffset(rows), buffer.size());
}

TEST(InterfaceTableWindowsTest, BufferTooSmallReportsTheNeededSize) {
    const auto table = makeSystemInterfaceTable();
    std::uint32_t needed = 0;
    table->GetIfTable(nullptr, needed, false);
    std::vector<std::uint8_t> buffer(if_row::kTableHeaderSize);
    std::uint32_t size = if_row::kTableHeaderSize;
    EXPECT_EQ(table->GetIfTable(buffer.data(), size, false), kIfTableInsufficientBuffer);
    EXPECT_EQ(size, needed);
}

TEST(InterfaceTableWindowsTest, BufferOneByteShortIsLeftAlone) {
    const auto table = makeSystemInterfaceTable();
    std::uint32_t needed = 0;
    table->GetIfTable(nullptr, needed, false);
    ASSERT_GT(needed, if_row::kTableHeaderSize);
    std::vector<std::uint8_t> buffer(needed - 1, 0xAA);
    std::uint32_t size = needed - 1;
    EXPECT_EQ(table->GetIfTable(buffer.data(), size, false), kIfTableInsufficientBuffer);
    EXPECT_EQ(size, needed);
    EXPECT_EQ(buffer.front(), 0xAA);
}

TEST(InterfaceTableWindowsTest, SortedReadListsAscendingIndexes) {
    const std::vector<std::uint8_t> buffer = readSystemTable(true);
    ASSERT_GE(buffer.size(), if_row::kTableHeaderSize);
    std::uint32_t previous = 0;
    for (std::uint32_t position = 0; position < if_row::getU32(buffer, 0); ++position) {
        const std::uint32_t index =
            if_row::getU32(std::span(buffer).subspan(if_row::rowOffset(position)), if_row::kIndex);
        EXPECT_GT(index, previous);
        previous = index;
    }
}

}  // namespace
