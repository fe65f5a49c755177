// The system's own GetIfTable through the two-call contract.
#include "platform/interface_table.h"

#include <gtest/gtest.h>

#include <vector>

#include "platform/if_row_layout.h"

namespace {

TEST(InterfaceTableWindowsTest, SizeQueryThenFillGivesWholeRows) {
    const auto table = makeSystemInterfaceTable();
    std::uint32_t size = 0;
    ASSERT_EQ(table->GetIfTable(nullptr, size, false), kIfTableInsufficientBuffer);
    ASSERT_GE(size, if_row::kTableHeaderSize);
    std::vector<std::uint8_t> buffer(size);
    ASSERT_EQ(table->GetIfTable(buffer.data(), size, false), kIfTableSuccess);
    const std::uint32_t rows = if_row::getU32(buffer, 0);
    EXPECT_GE(rows, 1u);
    EXPECT_LE(if_row::rowOffset(rows), buffer.size());
}

}  // namespace
