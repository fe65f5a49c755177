#include <windows.h>

#include <fstream>
#include <string>
#include <vector>

namespace {

std::string narrow(const std::wstring& wide) {
    const int length = WideCharToMultiByte(CP_UTF8, 0, wide.data(), static_cast<int>(wide.size()),
                                           nullptr, 0, nullptr, nullptr);
    std::string text(static_cast<std::size_t>(length), '\0');
    WideCharToMultiByte(CP_UTF8, 0, wide.data(), static_cast<int>(wide.size()), text.data(), length,
                        nullptr, nullptr);
    return text;
}

std::string ownPath() {
    std::vector<wchar_t> path(32768);
    const DWORD length = GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
    return narrow(std::wstring(path.data(), length));
}

// Written under another name and then renamed, so that the test never reads half a record.
int record(const std::string& file) {
    STARTUPINFOW startup{};
    GetStartupInfoW(&startup);
    const std::string partial = file + ".part";
    {
        std::ofstream out(partial, std::ios::binary);
        out << ownPath() << '\n'
            << ((startup.dwFlags & STARTF_USESHOWWINDOW) != 0) << '\n'
            << startup.wShowWindow << '\n';
        if (!out) {
            return 1;
        }
    }
    return MoveFileExA(partial.c_str(), file.c_str(), MOVEFILE_REPLACE_EXISTING) ? 0 : 1;
}

int hold(const std::string& eventName) {
    HANDLE event = OpenEventA(SYNCHRONIZE, FALSE, eventName.c_str());
    if (event == nullptr) {
        return 1;
    }
    const DWORD waited = WaitForSingleObject(event, 120000);
    CloseHandle(event);
    return waited == WAIT_OBJECT_0 ? 0 : 1;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc == 3 && std::string(argv[1]) == "record") {
        return record(argv[2]);
    }
    if (argc == 3 && std::string(argv[1]) == "hold") {
        return hold(argv[2]);
    }
    return 2;
}
