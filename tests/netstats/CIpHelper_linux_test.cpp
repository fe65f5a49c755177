// The description read as UTF-8, the system's code page on Linux. Loopback traffic in the
// system's table is checked against the kernel's own count in interface_table_linux_test.cpp.
#include <gtest/gtest.h>

#include "support/single_row.h"

namespace {

TEST(CIpHelperLinuxTest, DescriptionIsUtf8CutByCharacters) {
    EXPECT_EQ(readDescription("\u4EE5\u592A\u7F51 \u9002\u914D\u5668", 2), "\u4EE5\u592A");
}

}  // namespace
