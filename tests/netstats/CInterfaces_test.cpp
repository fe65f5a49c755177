// The collection: 1-based positions, Add emptying the caller's reference, failures.
#include "netstats/CInterfaces.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

// The records in iteration order, each checked to be the Item at its position.
std::vector<CInterface*> contents(const CInterfaces& interfaces) {
    std::vector<CInterface*> all;
    for (const auto& record : interfaces) {
        all.push_back(record.get());
        EXPECT_EQ(interfaces.Item(static_cast<std::int32_t>(all.size())), record);
    }
    EXPECT_EQ(interfaces.Count(), static_cast<std::int32_t>(all.size()));
    return all;
}

TEST(CInterfacesTest, BadPositionsKeysOrReferencesFailWithoutChangeAndRemoveMovesLaterEntriesUp) {
    CInterfaces interfaces;
    std::vector<CInterface*> records;
    for (int i = 0; i < 3; ++i) {
        auto record = std::make_shared<CInterface>();
        records.push_back(record.get());
        EXPECT_EQ(interfaces.Add(record).get(), records.back());
        EXPECT_EQ(record, nullptr);
    }
    std::shared_ptr<CInterface> nothing;
    EXPECT_EQ(interfaces.Add(nothing), nullptr);
    for (std::int32_t position : {0, -1, 4, -2147483647 - 1}) {
        EXPECT_EQ(interfaces.Item(position), nullptr) << position;
        EXPECT_FALSE(interfaces.Remove(position)) << position;
    }
    EXPECT_EQ(interfaces.Item("a"), nullptr);
    EXPECT_FALSE(interfaces.Remove("1"));
    EXPECT_EQ(contents(interfaces), records);
    EXPECT_TRUE(interfaces.Remove(1));
    EXPECT_EQ(contents(interfaces), (std::vector<CInterface*>{records[1], records[2]}));
    EXPECT_TRUE(interfaces.Remove(2));
    EXPECT_EQ(contents(interfaces), std::vector<CInterface*>{records[1]});
}

}  // namespace
