// The collection: 1-based positions, Add emptying the caller's reference, failures.
#include "netstats/CInterfaces.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

std::shared_ptr<CInterface> named(const std::string& name) {
    auto record = std::make_shared<CInterface>();
    record->InterfaceName(name);
    return record;
}

// A collection of records "a", "b", "c" and the records themselves.
struct ThreeRecords {
    CInterfaces interfaces;
    std::vector<std::shared_ptr<CInterface>> records;

    ThreeRecords() {
        for (const char* name : {"a", "b", "c"}) {
            auto record = named(name);
            records.push_back(record);
            interfaces.Add(record);
        }
    }
};

std::vector<CInterface*> contents(const CInterfaces& interfaces) {
    std::vector<CInterface*> all;
    for (const auto& record : interfaces) {
        all.push_back(record.get());
    }
    return all;
}

TEST(CInterfacesTest, NewCollectionIsEmpty) {
    const CInterfaces interfaces;
    EXPECT_EQ(interfaces.Count(), 0);
    EXPECT_EQ(interfaces.begin(), interfaces.end());
    EXPECT_EQ(interfaces.Item(1), nullptr);
}

TEST(CInterfacesTest, AddReturnsTheVeryRecordAndEmptiesTheCallersReference) {
    CInterfaces interfaces;
    auto record = named("eth0");
    CInterface* const original = record.get();
    const auto returned = interfaces.Add(record);
    EXPECT_EQ(record, nullptr);
    EXPECT_EQ(returned.get(), original);
    EXPECT_EQ(interfaces.Item(1).get(), original);
}

TEST(CInterfacesTest, AddOfAnEmptyReferenceAddsNothing) {
    CInterfaces interfaces;
    std::shared_ptr<CInterface> nothing;
    EXPECT_EQ(interfaces.Add(nothing), nullptr);
    EXPECT_EQ(interfaces.Count(), 0);
}

TEST(CInterfacesTest, ItemsAndIterationFollowTheOrderAdded) {
    const ThreeRecords three;
    ASSERT_EQ(three.interfaces.Count(), 3);
    for (std::int32_t position = 1; position <= 3; ++position) {
        EXPECT_EQ(three.interfaces.Item(position), three.records[position - 1]);
    }
    EXPECT_EQ(contents(three.interfaces),
              (std::vector<CInterface*>{three.records[0].get(), three.records[1].get(),
                                        three.records[2].get()}));
}

TEST(CInterfacesTest, ItemOutsideThePositionsOrByTextFailsWithoutChange) {
    ThreeRecords three;
    const auto before = contents(three.interfaces);
    for (std::int32_t position : {0, -1, 4, 2147483647, -2147483647 - 1}) {
        EXPECT_EQ(three.interfaces.Item(position), nullptr) << position;
    }
    for (const char* key : {"", "1", "a"}) {
        EXPECT_EQ(three.interfaces.Item(key), nullptr) << key;
    }
    EXPECT_EQ(contents(three.interfaces), before);
}

TEST(CInterfacesTest, RemoveMovesLaterEntriesUp) {
    ThreeRecords three;
    EXPECT_TRUE(three.interfaces.Remove(1));
    EXPECT_EQ(three.interfaces.Count(), 2);
    EXPECT_EQ(three.interfaces.Item(1), three.records[1]);
    EXPECT_EQ(three.interfaces.Item(2), three.records[2]);
    EXPECT_TRUE(three.interfaces.Remove(2));
    EXPECT_EQ(contents(three.interfaces), std::vector<CInterface*>{three.records[1].get()});
}

TEST(CInterfacesTest, RemoveOutsideThePositionsOrByTextFailsWithoutChange) {
    ThreeRecords three;
    const auto before = contents(three.interfaces);
    EXPECT_FALSE(three.interfaces.Remove(0));
    EXPECT_FALSE(three.interfaces.Remove(4));
    EXPECT_FALSE(three.interfaces.Remove(-1));
    EXPECT_FALSE(three.interfaces.Remove("a"));
    EXPECT_EQ(contents(three.interfaces), before);
}

}  // namespace
