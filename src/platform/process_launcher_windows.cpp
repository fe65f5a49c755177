#include "platform/process_launcher_windows.h"

#include <windows.h>

#include <string>
#include <utility>
#include <vector>

namespace {

std::wstring widen(std::string_view utf8) {
    if (utf8.empty()) {
        return {};
    }
    const int length =
        MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), nullptr, 0);
    std::wstring wide(static_cast<std::size_t>(length), L'\0');
    MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), wide.data(),
                        length);
    return wide;
}

// Empty when the system cannot say where its directory is.
std::wstring systemDirectory() {
    std::vector<wchar_t> buffer(MAX_PATH);
    UINT length = GetSystemDirectoryW(buffer.data(), static_cast<UINT>(buffer.size()));
    if (length >= buffer.size()) {
        buffer.resize(length);
        length = GetSystemDirectoryW(buffer.data(), static_cast<UINT>(buffer.size()));
    }
    return length < buffer.size() ? std::wstring(buffer.data(), length) : std::wstring();
}

// The program is always named by its full path: a shutdown.exe that happens to lie in the
// current directory, or anywhere on the search path, must never be the one started.
class CreateProcessLauncher final : public ProcessLauncher {
  public:
    explicit CreateProcessLauncher(std::wstring directory) : directory_(std::move(directory)) {}

    bool startMinimized(std::string_view commandLine) override {
        std::wstring line = widen(commandLine);
        if (line.empty() || directory_.empty()) {
            return false;
        }
        const std::wstring program = programPath(line);
        STARTUPINFOW startup{};
        startup.cb = sizeof(startup);
        startup.dwFlags = STARTF_USESHOWWINDOW;
        startup.wShowWindow = SW_SHOWMINIMIZED;
        PROCESS_INFORMATION process{};
        if (!CreateProcessW(program.c_str(), line.data(), nullptr, nullptr, FALSE, 0, nullptr,
                            nullptr, &startup, &process)) {
            return false;
        }
        CloseHandle(process.hThread);
        CloseHandle(process.hProcess);
        return true;
    }

  private:
    std::wstring programPath(const std::wstring& commandLine) const {
        std::wstring program = commandLine.substr(0, commandLine.find(L' '));
        if (program.find(L'.') == std::wstring::npos) {
            program += L".exe";
        }
        return directory_ + L"\\" + program;
    }

    std::wstring directory_;
};

}  // namespace

std::unique_ptr<ProcessLauncher> makeProcessLauncherResolvingIn(std::wstring directory) {
    return std::make_unique<CreateProcessLauncher>(std::move(directory));
}

std::unique_ptr<ProcessLauncher> makeSystemProcessLauncher() {
    return makeProcessLauncherResolvingIn(systemDirectory());
}
