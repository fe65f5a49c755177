#include "netstats/interface_table_reader.h"

#include <algorithm>
#include <limits>
#include <string>

#include "platform/ansi_text.h"
#include "platform/if_row_layout.h"
#include "text/unicode_text.h"

namespace {

using RowBytes = std::span<const std::uint8_t>;

// The platform's unsigned field, bit for bit as a signed number.
std::int32_t field(RowBytes row, std::size_t offset) {
    return static_cast<std::int32_t>(if_row::getU32(row, offset));
}

std::int32_t addUnlessOverflow(std::int32_t total, std::int32_t addend) {
    const std::int64_t sum = std::int64_t{total} + addend;
    if (sum < std::numeric_limits<std::int32_t>::min() ||
        sum > std::numeric_limits<std::int32_t>::max()) {
        return total;
    }
    return static_cast<std::int32_t>(sum);
}

// "00" for a zero byte, else upper-case hexadecimal without a leading zero ("C", "AB").
std::string addressByteText(std::uint8_t value) {
    static constexpr char kDigits[] = "0123456789ABCDEF";
    if (value == 0) {
        return "00";
    }
    std::string text;
    if (value >= 0x10) {
        text.push_back(kDigits[value >> 4]);
    }
    text.push_back(kDigits[value & 0x0F]);
    return text;
}

std::string adapterAddress(RowBytes row) {
    const std::int32_t length = field(row, if_row::kPhysAddrLen);
    std::string text;
    const auto bytes = std::min<std::int64_t>(length, if_row::kPhysAddrBytes);
    for (std::int64_t byte = 0; byte < bytes; ++byte) {
        if (!text.empty()) {
            text.push_back('-');
        }
        text += addressByteText(row[if_row::kPhysAddr + static_cast<std::size_t>(byte)]);
    }
    return text;
}

// The bytes the description is decoded from: dwDescrLen, then bDescr, which ends the row.
RowBytes descriptionBytes(RowBytes row) {
    return row.subspan(if_row::kDescrLen);
}

// The description ends at its first zero character, as the system's own text does, and
// keeps at most dwDescrLen characters.
std::string interfaceDescription(RowBytes lengthAndText) {
    const auto bytes = lengthAndText.subspan(if_row::kDescr - if_row::kDescrLen);
    std::u32string text =
        decodeAnsiText(std::string_view(reinterpret_cast<const char*>(bytes.data()), bytes.size()));
    text.erase(std::min(text.find(U'\0'), text.size()));
    const std::int32_t length = field(lengthAndText, 0);
    text.resize(std::min<std::size_t>(text.size(), length > 0 ? length : 0));
    return encodeUtf8(text);
}

RowBytes nameBytes(RowBytes row) {
    return row.subspan(if_row::kName, 2 * if_row::kNameUnits);
}

std::string interfaceName(RowBytes bytes) {
    std::u16string units;
    for (std::size_t unit = 0; unit < if_row::kNameUnits; ++unit) {
        const std::size_t at = 2 * unit;
        const auto value = static_cast<char16_t>(bytes[at] | bytes[at + 1] << 8);
        if (value == u'\0') {
            break;
        }
        units.push_back(value);
    }
    return encodeUtf8(decodeUtf16(units));
}

std::shared_ptr<CInterface> recordFromRow(RowBytes row, std::size_t position, RowTexts& texts) {
    using namespace if_row;
    auto record = std::make_shared<CInterface>();
    record->InterfaceName(texts.names.text(position, nameBytes(row), interfaceName));
    record->InterfaceIndex(field(row, kIndex));
    record->InterfaceType(field(row, kType));
    record->MaximumTransmissionUnit(field(row, kMtu));
    record->Speed(field(row, kSpeed));
    record->AdapterAddress(adapterAddress(row));
    record->AdminStatus(field(row, kAdminStatus));
    record->OperationalStatus(field(row, kOperStatus));
    record->LastChange(lastChangeDate(field(row, kLastChange)));
    record->OctetsReceived(field(row, kInOctets));
    record->UnicastPacketsReceived(field(row, kInUcastPkts));
    record->NonunicastPacketsReceived(field(row, kInNUcastPkts));
    record->DiscardedIncomingPackets(field(row, kInDiscards));
    record->IncomingErrors(field(row, kInErrors));
    record->UnknownProtocolPackets(field(row, kInUnknownProtos));
    record->OctetsSent(field(row, kOutOctets));
    record->UnicastPacketsSent(field(row, kOutUcastPkts));
    record->NonunicastPacketsSent(field(row, kOutNUcastPkts));
    record->DiscardedOutgoingPackets(field(row, kOutDiscards));
    record->OutgoingErrors(field(row, kOutErrors));
    record->OutputQueueLength(field(row, kOutQLen));
    record->InterfaceDescription(
        texts.descriptions.text(position, descriptionBytes(row), interfaceDescription));
    return record;
}

// How many rows to read: the claimed count, but only as many as lie whole in the buffer.
std::size_t readableRows(std::span<const std::uint8_t> table) {
    if (table.size() < if_row::kTableHeaderSize) {
        return 0;
    }
    const std::int32_t claimed = field(table, 0);
    const std::size_t held = (table.size() - if_row::kTableHeaderSize) / if_row::kRowSize;
    return claimed > 0 ? std::min<std::size_t>(claimed, held) : 0;
}

}  // namespace

TableTotals appendTableRows(std::span<const std::uint8_t> table, CInterfaces& into) {
    RowTexts texts;
    return appendTableRows(table, into, texts);
}

TableTotals appendTableRows(std::span<const std::uint8_t> table, CInterfaces& into,
                            RowTexts& texts) {
    TableTotals totals;
    const std::size_t rows = readableRows(table);
    for (std::size_t position = 0; position < rows; ++position) {
        const RowBytes row = table.subspan(if_row::rowOffset(position), if_row::kRowSize);
        totals.received = addUnlessOverflow(totals.received, field(row, if_row::kInOctets));
        totals.sent = addUnlessOverflow(totals.sent, field(row, if_row::kOutOctets));
        std::shared_ptr<CInterface> record = recordFromRow(row, position, texts);
        into.Add(record);
    }
    return totals;
}

double lastChangeDate(std::int32_t hundredthsSinceStart) {
    constexpr double kSecondsPerDay = 86'400;
    return (hundredthsSinceStart / 100) / kSecondsPerDay;
}
