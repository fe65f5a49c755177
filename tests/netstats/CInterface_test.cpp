// The record: initial values, and that each property keeps its own value.
#include "netstats/CInterface.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

struct NumberProperty {
    const char* name;
    std::int32_t (CInterface::*get)() const;
    void (CInterface::*set)(std::int32_t);
};

const std::vector<NumberProperty>& numberProperties() {
    static const std::vector<NumberProperty> properties = {
        {"OutputQueueLength", &CInterface::OutputQueueLength, &CInterface::OutputQueueLength},
        {"OutgoingErrors", &CInterface::OutgoingErrors, &CInterface::OutgoingErrors},
        {"DiscardedOutgoingPackets", &CInterface::DiscardedOutgoingPackets,
         &CInterface::DiscardedOutgoingPackets},
        {"NonunicastPacketsSent", &CInterface::NonunicastPacketsSent,
         &CInterface::NonunicastPacketsSent},
        {"UnicastPacketsSent", &CInterface::UnicastPacketsSent, &CInterface::UnicastPacketsSent},
        {"OctetsSent", &CInterface::OctetsSent, &CInterface::OctetsSent},
        {"UnknownProtocolPackets", &CInterface::UnknownProtocolPackets,
         &CInterface::UnknownProtocolPackets},
        {"IncomingErrors", &CInterface::IncomingErrors, &CInterface::IncomingErrors},
        {"DiscardedIncomingPackets", &CInterface::DiscardedIncomingPackets,
         &CInterface::DiscardedIncomingPackets},
        {"NonunicastPacketsReceived", &CInterface::NonunicastPacketsReceived,
         &CInterface::NonunicastPacketsReceived},
        {"MaximumTransmissionUnit", &CInterface::MaximumTransmissionUnit,
         &CInterface::MaximumTransmissionUnit},
        {"UnicastPacketsReceived", &CInterface::UnicastPacketsReceived,
         &CInterface::UnicastPacketsReceived},
        {"OctetsReceived", &CInterface::OctetsReceived, &CInterface::OctetsReceived},
        {"OperationalStatus", &CInterface::OperationalStatus, &CInterface::OperationalStatus},
        {"AdminStatus", &CInterface::AdminStatus, &CInterface::AdminStatus},
        {"Speed", &CInterface::Speed, &CInterface::Speed},
        {"InterfaceType", &CInterface::InterfaceType, &CInterface::InterfaceType},
        {"InterfaceIndex", &CInterface::InterfaceIndex, &CInterface::InterfaceIndex},
    };
    return properties;
}

TEST(CInterfaceTest, NewRecordIsEmptyAndZero) {
    const CInterface record;
    EXPECT_EQ(record.InterfaceDescription(), "");
    EXPECT_EQ(record.AdapterAddress(), "");
    EXPECT_EQ(record.InterfaceName(), "");
    EXPECT_EQ(record.LastChange(), 0.0);
    for (const auto& property : numberProperties()) {
        EXPECT_EQ((record.*property.get)(), 0) << property.name;
    }
}

// Distinct negative values in every property at once: a setter wired to another property's
// member shows up as a wrong value somewhere.
TEST(CInterfaceTest, EachNumberPropertyKeepsItsOwnNegativeValue) {
    CInterface record;
    const auto& properties = numberProperties();
    for (std::size_t i = 0; i < properties.size(); ++i) {
        (record.*properties[i].set)(-1000 - static_cast<std::int32_t>(i));
    }
    record.LastChange(-2.5);
    for (std::size_t i = 0; i < properties.size(); ++i) {
        EXPECT_EQ((record.*properties[i].get)(), -1000 - static_cast<std::int32_t>(i))
            << properties[i].name;
    }
    EXPECT_EQ(record.LastChange(), -2.5);
}

TEST(CInterfaceTest, TextsAreCopiesOfTheCallersStrings) {
    CInterface record;
    std::string text = "Intel(R) Ethernet";
    record.InterfaceDescription(text);
    record.AdapterAddress("00-C-29");
    record.InterfaceName("eth0");
    text += " changed";
    std::string fetched = record.InterfaceDescription();
    fetched.clear();
    EXPECT_EQ(record.InterfaceDescription(), "Intel(R) Ethernet");
    EXPECT_EQ(record.AdapterAddress(), "00-C-29");
    EXPECT_EQ(record.InterfaceName(), "eth0");
}

}  // namespace
