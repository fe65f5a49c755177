#include "netstats/CInterface.h"

#include <utility>

std::string CInterface::InterfaceDescription() const {
    return interfaceDescription_;
}
void CInterface::InterfaceDescription(std::string strNewValue) {
    interfaceDescription_ = std::move(strNewValue);
}

std::int32_t CInterface::OutputQueueLength() const {
    return outputQueueLength_;
}
void CInterface::OutputQueueLength(std::int32_t lngNewValue) {
    outputQueueLength_ = lngNewValue;
}

std::int32_t CInterface::OutgoingErrors() const {
    return outgoingErrors_;
}
void CInterface::OutgoingErrors(std::int32_t lngNewValue) {
    outgoingErrors_ = lngNewValue;
}

std::int32_t CInterface::DiscardedOutgoingPackets() const {
    return discardedOutgoingPackets_;
}
void CInterface::DiscardedOutgoingPackets(std::int32_t lngNewValue) {
    discardedOutgoingPackets_ = lngNewValue;
}

std::int32_t CInterface::NonunicastPacketsSent() const {
    return nonunicastPacketsSent_;
}
void CInterface::NonunicastPacketsSent(std::int32_t lngNewValue) {
    nonunicastPacketsSent_ = lngNewValue;
}

std::int32_t CInterface::UnicastPacketsSent() const {
    return unicastPacketsSent_;
}
void CInterface::UnicastPacketsSent(std::int32_t lngNewValue) {
    unicastPacketsSent_ = lngNewValue;
}

std::int32_t CInterface::OctetsSent() const {
    return octetsSent_;
}
void CInterface::OctetsSent(std::int32_t lngNewValue) {
    octetsSent_ = lngNewValue;
}

std::int32_t CInterface::UnknownProtocolPackets() const {
    return unknownProtocolPackets_;
}
void CInterface::UnknownProtocolPackets(std::int32_t lngNewValue) {
    unknownProtocolPackets_ = lngNewValue;
}

std::int32_t CInterface::IncomingErrors() const {
    return incomingErrors_;
}
void CInterface::IncomingErrors(std::int32_t lngNewValue) {
    incomingErrors_ = lngNewValue;
}

std::int32_t CInterface::DiscardedIncomingPackets() const {
    return discardedIncomingPackets_;
}
void CInterface::DiscardedIncomingPackets(std::int32_t lngNewValue) {
    discardedIncomingPackets_ = lngNewValue;
}

std::int32_t CInterface::NonunicastPacketsReceived() const {
    return nonunicastPacketsReceived_;
}
void CInterface::NonunicastPacketsReceived(std::int32_t lngNewValue) {
    nonunicastPacketsReceived_ = lngNewValue;
}

std::int32_t CInterface::MaximumTransmissionUnit() const {
    return maximumTransmissionUnit_;
}
void CInterface::MaximumTransmissionUnit(std::int32_t lngNewValue) {
    maximumTransmissionUnit_ = lngNewValue;
}

std::int32_t CInterface::UnicastPacketsReceived() const {
    return unicastPacketsReceived_;
}
void CInterface::UnicastPacketsReceived(std::int32_t lngNewValue) {
    unicastPacketsReceived_ = lngNewValue;
}

std::int32_t CInterface::OctetsReceived() const {
    return octetsReceived_;
}
void CInterface::OctetsReceived(std::int32_t lngNewValue) {
    octetsReceived_ = lngNewValue;
}

double CInterface::LastChange() const {
    return lastChange_;
}
void CInterface::LastChange(double datNewValue) {
    lastChange_ = datNewValue;
}

std::int32_t CInterface::OperationalStatus() const {
    return operationalStatus_;
}
void CInterface::OperationalStatus(std::int32_t NewValue) {
    operationalStatus_ = NewValue;
}

std::int32_t CInterface::AdminStatus() const {
    return adminStatus_;
}
void CInterface::AdminStatus(std::int32_t NewValue) {
    adminStatus_ = NewValue;
}

std::string CInterface::AdapterAddress() const {
    return adapterAddress_;
}
void CInterface::AdapterAddress(std::string strNewValue) {
    adapterAddress_ = std::move(strNewValue);
}

std::int32_t CInterface::Speed() const {
    return speed_;
}
void CInterface::Speed(std::int32_t lngNewValue) {
    speed_ = lngNewValue;
}

std::int32_t CInterface::InterfaceType() const {
    return interfaceType_;
}
void CInterface::InterfaceType(std::int32_t NewValue) {
    interfaceType_ = NewValue;
}

std::int32_t CInterface::InterfaceIndex() const {
    return interfaceIndex_;
}
void CInterface::InterfaceIndex(std::int32_t lngNewValue) {
    interfaceIndex_ = lngNewValue;
}

std::string CInterface::InterfaceName() const {
    return interfaceName_;
}
void CInterface::InterfaceName(std::string strNewValue) {
    interfaceName_ = std::move(strNewValue);
}
