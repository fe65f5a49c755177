#include "platform/process_launcher_windows.h"

#include <windows.h>

#include <powrprof.h>

#include <algorithm>
#include <array>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace {

// Enough for any one-line message a power command writes; the rest is read and dropped.
constexpr std::size_t kLongestErrorLine = 1024;

std::wstring widen(std::string_view text, UINT codePage) {
    if (text.empty()) {
        return {};
    }
    const int length =
        MultiByteToWideChar(codePage, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
    std::wstring wide(static_cast<std::size_t>(length), L'\0');
    MultiByteToWideChar(codePage, 0, text.data(), static_cast<int>(text.size()), wide.data(),
                        length);
    return wide;
}

std::string toUtf8(std::wstring_view wide) {
    if (wide.empty()) {
        return {};
    }
    const int length = WideCharToMultiByte(CP_UTF8, 0, wide.data(), static_cast<int>(wide.size()),
                                           nullptr, 0, nullptr, nullptr);
    std::string text(static_cast<std::size_t>(length), '\0');
    WideCharToMultiByte(CP_UTF8, 0, wide.data(), static_cast<int>(wide.size()), text.data(), length,
                        nullptr, nullptr);
    return text;
}

std::string firstLine(std::wstring_view text) {
    const std::size_t begin = std::min(text.find_first_not_of(L"\r\n"), text.size());
    const std::size_t end = std::min(text.find_first_of(L"\r\n", begin), text.size());
    return toUtf8(text.substr(begin, end - begin));
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

// The system's own text for an error code, on one line. A failure that left no code behind
// still failed, for a reason unknown: the text for no code says that all went well.
CommandEnd systemError(DWORD code) {
    if (code == ERROR_SUCCESS) {
        return {std::nullopt, ""};
    }
    wchar_t* text = nullptr;
    const DWORD length = FormatMessageW(
        FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
        nullptr, code, 0, reinterpret_cast<wchar_t*>(&text), 0, nullptr);
    CommandEnd end{static_cast<int>(code), length > 0 ? firstLine({text, length}) : std::string()};
    LocalFree(text);
    return end;
}

// The privilege has to be enabled in the token before the system lets a program suspend it.
bool enableShutdownPrivilege() {
    HANDLE token = nullptr;
    if (!OpenProcessToken(GetCurrentProcess(), TOKEN_ADJUST_PRIVILEGES | TOKEN_QUERY, &token)) {
        return false;
    }
    TOKEN_PRIVILEGES privileges{};
    privileges.PrivilegeCount = 1;
    privileges.Privileges[0].Attributes = SE_PRIVILEGE_ENABLED;
    const bool enabled =
        LookupPrivilegeValueW(nullptr, L"SeShutdownPrivilege", &privileges.Privileges[0].Luid) &&
        AdjustTokenPrivileges(token, FALSE, &privileges, 0, nullptr, nullptr) &&
        GetLastError() == ERROR_SUCCESS;
    const DWORD error = GetLastError();
    CloseHandle(token);
    SetLastError(error);
    return enabled;
}

// Returns once the machine has woken again, or at once when the system refused.
CommandEnd suspendNow(const SuspendCall& suspend, SuspendState state) {
    if (!enableShutdownPrivilege() || !suspend(state == SuspendState::Hibernate, false, false)) {
        return systemError(GetLastError());
    }
    return {};
}

// Reads the command's error output to its end, so that the command never blocks on a full
// pipe. Console programs write in the OEM code page.
std::string firstLineOf(HANDLE errorOutput) {
    std::string text;
    std::array<char, 4096> chunk{};
    DWORD count = 0;
    while (ReadFile(errorOutput, chunk.data(), static_cast<DWORD>(chunk.size()), &count, nullptr) &&
           count > 0) {
        if (text.size() < kLongestErrorLine) {
            text.append(chunk.data(), count);
        }
    }
    return firstLine(widen(text.substr(0, kLongestErrorLine), CP_OEMCP));
}

// A started command: its process, and the read end of the pipe that is its error output.
struct StartedChild {
    HANDLE process = nullptr;
    HANDLE errorOutput = nullptr;
};

CommandEnd waitForEnd(const StartedChild& child) {
    std::string firstErrorLine = firstLineOf(child.errorOutput);
    CloseHandle(child.errorOutput);
    WaitForSingleObject(child.process, INFINITE);
    DWORD status = 0;
    const bool known = GetExitCodeProcess(child.process, &status) != FALSE;
    CloseHandle(child.process);
    if (!known) {
        return {std::nullopt, std::move(firstErrorLine), false};
    }
    return {static_cast<int>(status), std::move(firstErrorLine)};
}

// The child inherits the write end as its error output; the read end stays with this program.
struct ErrorPipe {
    HANDLE readEnd = nullptr;
    HANDLE writeEnd = nullptr;
};

bool openErrorPipe(ErrorPipe& pipe) {
    SECURITY_ATTRIBUTES inheritable{sizeof(SECURITY_ATTRIBUTES), nullptr, TRUE};
    if (!CreatePipe(&pipe.readEnd, &pipe.writeEnd, &inheritable, 0)) {
        return false;
    }
    SetHandleInformation(pipe.readEnd, HANDLE_FLAG_INHERIT, 0);
    return true;
}

// The program is always named by its full path: a shutdown.exe that happens to lie in the
// current directory, or anywhere on the search path, must never be the one started. Nothing is
// started, nor suspended, without a thread to wait for it.
class CreateProcessLauncher final : public ProcessLauncher {
  public:
    CreateProcessLauncher(std::wstring directory, SuspendCall suspend, StartThread startThread,
                          CommandEnded ended)
        : directory_(std::move(directory)),
          suspend_(std::move(suspend)),
          startThread_(std::move(startThread)),
          ended_(std::move(ended)) {}

    bool startMinimized(std::string_view commandLine) override {
        std::wstring line = widen(commandLine, CP_UTF8);
        if (line.empty() || directory_.empty()) {
            return false;
        }
        return startWithWaiter<StartedChild>(
            startThread_, [this, &line] { return createMinimized(line); },
            [reported = std::string(commandLine), ended = ended_](StartedChild child) {
                const CommandEnd end = waitForEnd(child);
                if (ended) {
                    ended(reported, end);
                }
            });
    }

    bool startSuspend(SuspendState state, std::string_view commandLine) override {
        return startThread_(
            [state, suspend = suspend_, line = std::string(commandLine), ended = ended_] {
                const CommandEnd end = suspendNow(suspend, state);
                if (ended) {
                    ended(line, end);
                }
            });
    }

    std::unique_ptr<ProcessLauncher> reportingTo(CommandEnded ended) const override {
        return std::make_unique<CreateProcessLauncher>(directory_, suspend_, startThread_,
                                                       std::move(ended));
    }

  private:
    // The program's path is built before the pipe is opened: running out of memory for it then
    // leaves no pipe open.
    std::optional<StartedChild> createMinimized(std::wstring& line) const {
        const std::wstring program = programPath(line);
        ErrorPipe errors;
        if (!openErrorPipe(errors)) {
            return std::nullopt;
        }
        STARTUPINFOW startup{};
        startup.cb = sizeof(startup);
        startup.dwFlags = STARTF_USESHOWWINDOW | STARTF_USESTDHANDLES;
        startup.wShowWindow = SW_SHOWMINIMIZED;
        startup.hStdInput = GetStdHandle(STD_INPUT_HANDLE);
        startup.hStdOutput = GetStdHandle(STD_OUTPUT_HANDLE);
        startup.hStdError = errors.writeEnd;
        PROCESS_INFORMATION process{};
        const bool started = CreateProcessW(program.c_str(), line.data(), nullptr, nullptr, TRUE, 0,
                                            nullptr, nullptr, &startup, &process) != FALSE;
        CloseHandle(errors.writeEnd);
        if (!started) {
            CloseHandle(errors.readEnd);
            return std::nullopt;
        }
        CloseHandle(process.hThread);
        return StartedChild{process.hProcess, errors.readEnd};
    }

    std::wstring programPath(const std::wstring& commandLine) const {
        std::wstring program = commandLine.substr(0, commandLine.find(L' '));
        if (program.find(L'.') == std::wstring::npos) {
            program += L".exe";
        }
        return directory_ + L"\\" + program;
    }

    std::wstring directory_;
    SuspendCall suspend_;
    StartThread startThread_;
    CommandEnded ended_;
};

}  // namespace

std::unique_ptr<ProcessLauncher> makeProcessLauncherResolvingIn(std::wstring directory,
                                                                SuspendCall suspend,
                                                                StartThread startThread) {
    return std::make_unique<CreateProcessLauncher>(std::move(directory), std::move(suspend),
                                                   std::move(startThread), nullptr);
}

std::unique_ptr<ProcessLauncher> makeSystemProcessLauncher() {
    return makeProcessLauncherResolvingIn(
        systemDirectory(), [](bool hibernate, bool force, bool wakeEventsDisabled) {
            return SetSuspendState(hibernate, force, wakeEventsDisabled) != FALSE;
        });
}
