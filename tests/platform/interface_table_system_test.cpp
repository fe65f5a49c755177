// The running system's own interface table, on any system: the parts of the two-call
// contract that every implementation keeps.
#include <gtest/gtest.h>

#include <span>
#include <vector>

#include "platform/if_row_layout.h"
#include "platform/interface_table.h"

namespace {

TEST(SystemInterfaceTableTest, BufferOneByteShortIsLeftAloneAndTheNeededSizeReported) {
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

TEST(SystemInterfaceTableTest, SortedReadListsAscendingIndexes) {
    const auto table = makeSystemInterfaceTable();
    std::uint32_t size = 0;
    ASSERT_EQ(table->GetIfTable(nullptr, size, true), kIfTableInsufficientBuffer);
    std::vector<std::uint8_t> buffer(size);
    ASSERT_EQ(table->GetIfTable(buffer.data(), size, true), kIfTableSuccess);
    std::uint32_t previous = 0;
    for (std::uint32_t position = 0; position < if_row::getU32(buffer, 0); ++position) {
        const std::uint32_t index =
            if_row::getU32(std::span(buffer).subspan(if_row::rowOffset(position)), if_row::kIndex);
        EXPECT_GT(index, previous);
        previous = index;
    }
}

}  // namespace
