// The record of one row of the interface table at the moment of one snapshot: a plain holder
// of 22 properties, each a get and a set over one member, without checks or side effects.
#pragma once

#include <cstdint>
#include <string>

class CInterface {
  public:
    // "Contains a description of the interface."
    std::string InterfaceDescription() const;
    void InterfaceDescription(std::string strNewValue);

    // "Specifies the output queue length."
    std::int32_t OutputQueueLength() const;
    void OutputQueueLength(std::int32_t lngNewValue);

    // "Specifies the number of outgoing packets that were discarded because of errors."
    std::int32_t OutgoingErrors() const;
    void OutgoingErrors(std::int32_t lngNewValue);

    // "Specifies the number of outgoing packets that were discarded even though they did not have
    // errors."
    std::int32_t DiscardedOutgoingPackets() const;
    void DiscardedOutgoingPackets(std::int32_t lngNewValue);

    // "Specifies the number of non-unicast packets sent through this interface. Broadcast and
    // multicast packets are included."
    std::int32_t NonunicastPacketsSent() const;
    void NonunicastPacketsSent(std::int32_t lngNewValue);

    // "Specifies the number of unicast packets sent through this interface."
    std::int32_t UnicastPacketsSent() const;
    void UnicastPacketsSent(std::int32_t lngNewValue);

    // "Specifies the number of octets of data sent through this interface."
    std::int32_t OctetsSent() const;
    void OctetsSent(std::int32_t lngNewValue);

    // "Specifies the number of incoming packets that were discarded because the protocol was
    // unknown."
    std::int32_t UnknownProtocolPackets() const;
    void UnknownProtocolPackets(std::int32_t lngNewValue);

    // "Specifies the number of incoming packets that were discarded because of errors."
    std::int32_t IncomingErrors() const;
    void IncomingErrors(std::int32_t lngNewValue);

    // "Specifies the number of incoming packets that were discarded even though they did not have
    // errors."
    std::int32_t DiscardedIncomingPackets() const;
    void DiscardedIncomingPackets(std::int32_t lngNewValue);

    // "Specifies the number of non-unicast packets received through this interface. Broadcast and
    // multicast packets are included."
    std::int32_t NonunicastPacketsReceived() const;
    void NonunicastPacketsReceived(std::int32_t lngNewValue);

    // "Specifies the Maximum Transmission Unit (MTU)."
    std::int32_t MaximumTransmissionUnit() const;
    void MaximumTransmissionUnit(std::int32_t lngNewValue);

    // "Specifies the number of unicast packets received through this interface."
    std::int32_t UnicastPacketsReceived() const;
    void UnicastPacketsReceived(std::int32_t lngNewValue);

    // "Specifies the number of octets of data received through this interface."
    std::int32_t OctetsReceived() const;
    void OctetsReceived(std::int32_t lngNewValue);

    // "Specifies the last time the operational status changed."
    // An automation date (days since 30 December 1899); 0 is "not set".
    double LastChange() const;
    void LastChange(double datNewValue);

    // "Specifies the operational status of the interface."
    std::int32_t OperationalStatus() const;
    void OperationalStatus(std::int32_t NewValue);

    // "Specifies the interface is administratively enabled or disabled. "
    std::int32_t AdminStatus() const;
    void AdminStatus(std::int32_t NewValue);

    // "Specifies the physical address of the adapter for this interface."
    std::string AdapterAddress() const;
    void AdapterAddress(std::string strNewValue);

    // "Specifies the speed of the interface in bits per second."
    std::int32_t Speed() const;
    void Speed(std::int32_t lngNewValue);

    // "Specifies the type of interface."
    std::int32_t InterfaceType() const;
    void InterfaceType(std::int32_t NewValue);

    // "Specifies the index that identifies the interface."
    std::int32_t InterfaceIndex() const;
    void InterfaceIndex(std::int32_t lngNewValue);

    // "String that contains the name of the interface. "
    std::string InterfaceName() const;
    void InterfaceName(std::string strNewValue);

  private:
    // Declared in the reverse order of the properties.
    std::string interfaceName_;
    std::int32_t interfaceIndex_ = 0;
    std::int32_t interfaceType_ = 0;
    std::int32_t speed_ = 0;
    std::string adapterAddress_;
    std::int32_t adminStatus_ = 0;
    std::int32_t operationalStatus_ = 0;
    double lastChange_ = 0;
    std::int32_t octetsReceived_ = 0;
    std::int32_t unicastPacketsReceived_ = 0;
    std::int32_t maximumTransmissionUnit_ = 0;
    std::int32_t nonunicastPacketsReceived_ = 0;
    std::int32_t discardedIncomingPackets_ = 0;
    std::int32_t incomingErrors_ = 0;
    std::int32_t unknownProtocolPackets_ = 0;
    std::int32_t octetsSent_ = 0;
    std::int32_t unicastPacketsSent_ = 0;
    std::int32_t nonunicastPacketsSent_ = 0;
    std::int32_t discardedOutgoingPackets_ = 0;
    std::int32_t outgoingErrors_ = 0;
    std::int32_t outputQueueLength_ = 0;
    std::string interfaceDescription_;
};
