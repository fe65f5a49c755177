#include <windows.h>

#include "platform/ansi_text.h"
#include "text/unicode_text.h"

std::u32string decodeAnsiText(std::string_view bytes) {
    if (bytes.empty()) {
        return {};
    }
    const int byteCount = static_cast<int>(bytes.size());
    const int unitCount = MultiByteToWideChar(CP_ACP, 0, bytes.data(), byteCount, nullptr, 0);
    if (unitCount <= 0) {
        return {};
    }
    std::u16string units(static_cast<std::size_t>(unitCount), u'\0');
    MultiByteToWideChar(CP_ACP, 0, bytes.data(), byteCount,
                        reinterpret_cast<wchar_t*>(units.data()), unitCount);
    return decodeUtf16(units);
}
