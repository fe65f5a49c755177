#include <windows.h>

#include <string>

#include "platform/system_log.h"

void writeToSystemLog(std::string_view line) {
    const std::string whole = std::string(line) + '\n';
    const int length =
        MultiByteToWideChar(CP_UTF8, 0, whole.data(), static_cast<int>(whole.size()), nullptr, 0);
    std::wstring wide(static_cast<std::size_t>(length), L'\0');
    MultiByteToWideChar(CP_UTF8, 0, whole.data(), static_cast<int>(whole.size()), wide.data(),
                        length);
    OutputDebugStringW(wide.c_str());
}
