// The snapshot: the two-call read, its failure paths, the totals and shared ownership.
#include "netstats/CIpHelper.h"

#include <gtest/gtest.h>

#include <ostream>
#include <string>
#include <vector>

#include "support/fake_interface_table.h"

namespace {

IfRow trafficRow(std::u16string name, std::uint32_t inOctets, std::uint32_t outOctets) {
    IfRow row;
    row.name = std::move(name);
    row.inOctets = inOctets;
    row.outOctets = outOctets;
    return row;
}

std::vector<std::string> namesOf(const CInterfaces& interfaces) {
    std::vector<std::string> names;
    for (const auto& record : interfaces) {
        names.push_back(record->InterfaceName());
    }
    return names;
}

TEST(CIpHelperTest, TotalsAreZeroBeforeAnyRead) {
    FakeInterfaceTable table({trafficRow(u"eth0", 100, 200)});
    const CIpHelper helper(table);
    EXPECT_EQ(helper.BytesReceived(), 0);
    EXPECT_EQ(helper.BytesSent(), 0);
    EXPECT_EQ(table.calls(), 0);
}

TEST(CIpHelperTest, TableWithoutRowsGivesEmptyCollectionAndZeroTotals) {
    FakeInterfaceTable table;
    CIpHelper helper(table);
    const auto interfaces = helper.Interfaces();
    ASSERT_NE(interfaces, nullptr);
    EXPECT_EQ(interfaces->Count(), 0);
    EXPECT_EQ(helper.BytesReceived(), 0);
    EXPECT_EQ(helper.BytesSent(), 0);
}

TEST(CIpHelperTest, ReadsEveryRowInTableOrderWithUnsortedRequest) {
    FakeInterfaceTable table({trafficRow(u"b", 1, 2), trafficRow(u"a", 3, 4)});
    CIpHelper helper(table);
    const auto interfaces = helper.Interfaces();
    EXPECT_EQ(namesOf(*interfaces), (std::vector<std::string>{"b", "a"}));
    EXPECT_EQ(helper.BytesReceived(), 4);
    EXPECT_EQ(helper.BytesSent(), 6);
    EXPECT_EQ(table.calls(), 2);
    EXPECT_FALSE(table.sortRequested());
}

TEST(CIpHelperTest, AddendThatWouldOverflowIsDroppedAndLaterOnesStillCount) {
    FakeInterfaceTable table({trafficRow(u"a", 2'000'000'000, 0),
                              trafficRow(u"b", 2'000'000'000, 0), trafficRow(u"c", 5, 0)});
    CIpHelper helper(table);
    const auto interfaces = helper.Interfaces();
    EXPECT_EQ(helper.BytesReceived(), 2'000'000'005);
    EXPECT_EQ(interfaces->Count(), 3);
    EXPECT_EQ(interfaces->Item(2)->OctetsReceived(), 2'000'000'000);
}

TEST(CIpHelperTest, SentOverflowIsDroppedIndependentlyOfReceived) {
    FakeInterfaceTable table({trafficRow(u"a", 1, 0x7FFFFFFF), trafficRow(u"b", 1, 1)});
    CIpHelper helper(table);
    helper.Interfaces();
    EXPECT_EQ(helper.BytesReceived(), 2);
    EXPECT_EQ(helper.BytesSent(), 2147483647.0);
}

TEST(CIpHelperTest, CounterOfTwoToTheThirtyFirstOrMoreReadsNegative) {
    FakeInterfaceTable table({trafficRow(u"a", 0x80000000u, 0xFFFFFFFFu), trafficRow(u"b", 10, 1)});
    CIpHelper helper(table);
    const auto interfaces = helper.Interfaces();
    EXPECT_EQ(interfaces->Item(1)->OctetsReceived(), -2147483647 - 1);
    EXPECT_EQ(interfaces->Item(1)->OctetsSent(), -1);
    EXPECT_EQ(helper.BytesReceived(), -2147483638.0);
    EXPECT_EQ(helper.BytesSent(), 0);
}

TEST(CIpHelperTest, LoopbackAndDownInterfacesAreSummedLikeTheOthers) {
    IfRow loopback = trafficRow(u"lo", 1000, 1000);
    loopback.type = kIfTypeLoopback;
    IfRow down = trafficRow(u"eth1", 30, 40);
    down.adminStatus = kIfAdminDown;
    down.operStatus = kIfOperNonOperational;
    FakeInterfaceTable table({loopback, trafficRow(u"eth0", 7, 8), down});
    CIpHelper helper(table);
    helper.Interfaces();
    EXPECT_EQ(helper.BytesReceived(), 1037);
    EXPECT_EQ(helper.BytesSent(), 1048);
}

TEST(CIpHelperTest, TwoReadsGiveIndependentCollections) {
    FakeInterfaceTable table({trafficRow(u"eth0", 100, 200)});
    CIpHelper helper(table);
    const auto first = helper.Interfaces();
    table.setRows({trafficRow(u"eth0", 500, 600), trafficRow(u"wlan0", 1, 1)});
    const auto second = helper.Interfaces();

    ASSERT_NE(first, second);
    EXPECT_NE(first->Item(1), second->Item(1));
    EXPECT_EQ(first->Count(), 1);
    EXPECT_EQ(first->Item(1)->OctetsReceived(), 100);
    EXPECT_EQ(second->Count(), 2);
    EXPECT_EQ(second->Item(1)->OctetsReceived(), 500);
    EXPECT_EQ(helper.BytesReceived(), 501);
}

TEST(CIpHelperTest, SetCollectionIsReplacedByTheNextReadAndKeepsTheTotals) {
    FakeInterfaceTable table({trafficRow(u"eth0", 100, 200)});
    CIpHelper helper(table);
    helper.Interfaces();
    auto replacement = std::make_shared<CInterfaces>();
    auto record = std::make_shared<CInterface>();
    record->InterfaceName("set by hand");
    replacement->Add(record);

    helper.Interfaces(replacement);
    EXPECT_EQ(helper.BytesReceived(), 100);
    EXPECT_EQ(table.calls(), 2);

    const auto fresh = helper.Interfaces();
    EXPECT_NE(fresh, replacement);
    EXPECT_EQ(namesOf(*fresh), std::vector<std::string>{"eth0"});
    EXPECT_EQ(namesOf(*replacement), std::vector<std::string>{"set by hand"});
}

// Every failure of the two calls gives an empty snapshot with totals reset from a good one.
struct FailureCase {
    const char* name;
    void (*arrange)(FakeInterfaceTable&);
    int expectedCalls;
};

void PrintTo(const FailureCase& failure, std::ostream* out) {
    *out << failure.name;
}

class CIpHelperFailureTest : public testing::TestWithParam<FailureCase> {};

TEST_P(CIpHelperFailureTest, GivesEmptyCollectionAndZeroTotals) {
    FakeInterfaceTable table({trafficRow(u"eth0", 100, 200)});
    CIpHelper helper(table);
    ASSERT_EQ(helper.Interfaces()->Count(), 1);
    ASSERT_EQ(helper.BytesReceived(), 100);
    const int callsBefore = table.calls();

    GetParam().arrange(table);
    const auto interfaces = helper.Interfaces();

    ASSERT_NE(interfaces, nullptr);
    EXPECT_EQ(interfaces->Count(), 0);
    EXPECT_EQ(helper.BytesReceived(), 0);
    EXPECT_EQ(helper.BytesSent(), 0);
    EXPECT_EQ(table.calls() - callsBefore, GetParam().expectedCalls);
}

const FailureCase kFailures[] = {
    {"NotSupported",
     [](FakeInterfaceTable& table) { table.answerSizeQueryWith(kIfTableNotSupported); }, 1},
    {"ZeroSize", [](FakeInterfaceTable& table) { table.reportZeroSize(); }, 1},
    {"SecondCallFails",
     [](FakeInterfaceTable& table) { table.failFillWith(kIfTableGeneralFailure); }, 2},
    {"TableGrewBetweenTheCalls",
     [](FakeInterfaceTable& table) { table.growAfterSizeQuery(trafficRow(u"new", 1, 1)); }, 2},
};

std::string failureName(const testing::TestParamInfo<FailureCase>& failure) {
    return failure.param.name;
}

INSTANTIATE_TEST_SUITE_P(TwoCallContract, CIpHelperFailureTest, testing::ValuesIn(kFailures),
                         failureName);

TEST(CIpHelperTest, ReadAfterTheTableGrewSeesTheNewRow) {
    FakeInterfaceTable table({trafficRow(u"eth0", 1, 1)});
    table.growAfterSizeQuery(trafficRow(u"usb0", 2, 2));
    CIpHelper helper(table);
    ASSERT_EQ(helper.Interfaces()->Count(), 0);
    EXPECT_EQ(namesOf(*helper.Interfaces()), (std::vector<std::string>{"eth0", "usb0"}));
}

TEST(CIpHelperTest, SizeQueryAnsweringAnotherCodeStillCountsAsTheSize) {
    FakeInterfaceTable table({trafficRow(u"eth0", 9, 9)});
    table.answerSizeQueryWith(kIfTableSuccess);
    CIpHelper helper(table);
    EXPECT_EQ(helper.Interfaces()->Count(), 1);
    EXPECT_EQ(helper.BytesReceived(), 9);
}

TEST(CIpHelperTest, RowCountClaimingMoreRowsThanTheBufferHoldsReadsOnlyWholeRows) {
    FakeInterfaceTable table({trafficRow(u"a", 1, 1), trafficRow(u"b", 2, 2)});
    table.claimRowCount(1000);
    CIpHelper helper(table);
    EXPECT_EQ(namesOf(*helper.Interfaces()), (std::vector<std::string>{"a", "b"}));
    EXPECT_EQ(helper.BytesReceived(), 3);
}

TEST(CIpHelperTest, NegativeRowCountReadsNothing) {
    FakeInterfaceTable table({trafficRow(u"a", 1, 1)});
    table.claimRowCount(-1);
    CIpHelper helper(table);
    EXPECT_EQ(helper.Interfaces()->Count(), 0);
    EXPECT_EQ(helper.BytesReceived(), 0);
}

}  // namespace
