// The snapshot: the two-call read, its failure paths, the totals and shared ownership. Which
// rows are read from the bytes is pinned in interface_table_reader_test.cpp.
#include "netstats/CIpHelper.h"

#include <gtest/gtest.h>

#include <tuple>
#include <vector>

#include "support/fake_interface_table.h"

namespace {

class CIpHelperTest : public testing::Test {
  protected:
    FakeInterfaceTable table{{interfaceRow("eth0", 100, 200)}};
    CIpHelper helper{table};
};

// The sums are signed 32-bit: a counter of 2^31 or more counts as negative, and an addend
// that would overflow a sum is dropped while later ones still count.
TEST_F(CIpHelperTest, TotalsSumEveryRowSigned) {
    IfRow loopback = interfaceRow("lo", 1000, 1000);
    loopback.type = kIfTypeLoopback;
    // The rows, the bytes received and sent.
    const std::tuple<std::vector<IfRow>, double, double> cases[] = {
        {{interfaceRow("a", 2'000'000'000, 0x7FFFFFFF), interfaceRow("b", 2'000'000'000, 1),
          interfaceRow("c", 5, 1)},
         2'000'000'005,
         2'147'483'647},
        {{interfaceRow("a", 0x80000000u, ~0u), interfaceRow("b", 10, 1)}, -2'147'483'638, 0},
        {{loopback, interfaceRow("eth0", 7, 8)}, 1007, 1008}};
    for (const auto& [rows, received, sent] : cases) {
        table.rows = rows;
        EXPECT_EQ(helper.Interfaces()->Count(), static_cast<std::int32_t>(rows.size()));
        EXPECT_EQ(helper.BytesReceived(), received) << rows.size() << " rows";
        EXPECT_EQ(helper.BytesSent(), sent) << rows.size() << " rows";
    }
    EXPECT_FALSE(table.sortRequested) << "the rows stay in the table's order";
}

// Texts are decoded again whenever their bytes change, a shorter length over the same bytes too.
TEST_F(CIpHelperTest, TwoReadsGiveIndependentCollections) {
    const auto first = helper.Interfaces();
    table.rows = {interfaceRow("eth1", 500, 600)};
    const auto second = helper.Interfaces();
    IfRow shorter = interfaceRow("eth1");
    shorter.descrLen = 3;
    table.rows = {shorter};
    EXPECT_EQ(first->Item(1)->OctetsReceived(), 100);
    EXPECT_EQ(first->Item(1)->InterfaceDescription(), "eth0");
    EXPECT_EQ(second->Item(1)->OctetsReceived(), 500);
    EXPECT_EQ(second->Item(1)->InterfaceDescription(), "eth1");
    EXPECT_EQ(helper.Interfaces()->Item(1)->InterfaceDescription(), "eth");
}

// Every failure of the two calls gives an empty snapshot, with the totals and 64-bit counters
// of a good one reset.
TEST(CIpHelperFailureTest, GivesEmptyCollectionAndZeroTotals) {
    // What goes wrong, and the calls it takes.
    const std::tuple<const char*, void (*)(FakeInterfaceTable&), int> failures[] = {
        {"first call answers 50", [](auto& t) { t.sizeQueryResult = kIfTableNotSupported; }, 1},
        {"size of 0", [](auto& t) { t.zeroSize = true; }, 1},
        {"second call fails", [](auto& t) { t.fillFailure = kIfTableGeneralFailure; }, 2},
        {"table grew between the calls", [](auto& t) { t.growth = IfRow{}; }, 2},
    };
    for (const auto& [what, arrange, calls] : failures) {
        SCOPED_TRACE(what);
        FakeInterfaceTable table({interfaceRow("eth0", 100, 200)});
        table.rowOctets64 = {{1ull << 32 | 100, 200}};
        CIpHelper helper(table);
        ASSERT_EQ(helper.Interfaces()->Count(), 1);
        ASSERT_EQ(helper.octets64().size(), 1u);
        EXPECT_EQ(helper.octets64()[0].received, 1ull << 32 | 100);
        arrange(table);
        const auto interfaces = helper.Interfaces();
        ASSERT_NE(interfaces, nullptr);
        EXPECT_EQ(interfaces->Count(), 0);
        EXPECT_EQ(helper.BytesReceived(), 0);
        EXPECT_EQ(helper.BytesSent(), 0);
        EXPECT_TRUE(helper.octets64().empty());
        EXPECT_EQ(table.calls, 2 + calls);
    }
}

}  // namespace
