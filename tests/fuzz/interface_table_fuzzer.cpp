// Feeds arbitrary bytes to the conversion of an interface table. Besides the sanitizers'
// findings, it stops on a broken promise of the conversion: more rows than the buffer holds,
// a text that is not well-formed UTF-8, an address of more than eight bytes.
#include <span>
#include <string>

#include "fuzz_contract.h"
#include "netstats/interface_table_reader.h"
#include "platform/if_row_layout.h"
#include "text/unicode_text.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    CInterfaces interfaces;
    appendTableRows(std::span(data, size), interfaces);
    const std::size_t held =
        size < if_row::kTableHeaderSize ? 0 : (size - if_row::kTableHeaderSize) / if_row::kRowSize;
    require(static_cast<std::size_t>(interfaces.Count()) <= held);
    for (const auto& record : interfaces) {
        for (const std::string& text : {record->InterfaceName(), record->InterfaceDescription()}) {
            require(encodeUtf8(decodeUtf8(text)) == text);  // well-formed UTF-8
        }
        require(record->AdapterAddress().size() <= 8 * 3 - 1);
    }
    return 0;
}
