// Takes shutdown.exe's place in a throwaway Wine prefix: appends its command line (UTF-8) to
// shutdown.calls beside itself and ends with 0, as an accepted shutdown does. Nothing shuts down.
#include <windows.h>

#include <string>

namespace {

std::wstring callsFile() {
    std::wstring path(MAX_PATH, L'\0');
    const DWORD length = GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
    path.resize(length);
    return path.substr(0, path.find_last_of(L'\\') + 1) + L"shutdown.calls";
}

std::string utf8(const wchar_t* text) {
    const int length = WideCharToMultiByte(CP_UTF8, 0, text, -1, nullptr, 0, nullptr, nullptr);
    std::string bytes(static_cast<std::size_t>(length), '\0');
    WideCharToMultiByte(CP_UTF8, 0, text, -1, bytes.data(), length, nullptr, nullptr);
    bytes.resize(bytes.size() - 1);
    return bytes + "\n";
}

}  // namespace

int main() {
    const std::string line = utf8(GetCommandLineW());
    HANDLE file = CreateFileW(callsFile().c_str(), FILE_APPEND_DATA, FILE_SHARE_READ, nullptr,
                              OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        return 1;
    }
    DWORD written = 0;
    const bool recorded =
        WriteFile(file, line.data(), static_cast<DWORD>(line.size()), &written, nullptr) != FALSE &&
        written == line.size();
    CloseHandle(file);
    return recorded ? 0 : 1;
}
