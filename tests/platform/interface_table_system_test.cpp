// The running system's own interface table, on any system: the parts of the two-call
// contract that every implementation keeps.
#include <gtest/gtest.h>

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

}  // namespace
