// What the end-to-end run under Wine asks of the Windows side, where X tools cannot see.
#include <windows.h>

#include <string>
#include <string_view>

namespace {

std::string utf8(std::wstring_view text) {
    const int length = WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()),
                                           nullptr, 0, nullptr, nullptr);
    std::string bytes(static_cast<std::size_t>(length), '\0');
    WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), bytes.data(),
                        length, nullptr, nullptr);
    return bytes;
}

void print(const std::string& text) {
    DWORD written = 0;
    WriteFile(GetStdHandle(STD_OUTPUT_HANDLE), text.data(), static_cast<DWORD>(text.size()),
              &written, nullptr);
}

int printClientArea(const wchar_t* title) {
    const HWND window = FindWindowW(nullptr, title);
    RECT client{};
    POINT origin{};
    if (window == nullptr || !IsWindowVisible(window) || !GetClientRect(window, &client) ||
        !ClientToScreen(window, &origin)) {
        return 1;
    }
    print(std::to_string(client.right - client.left) + " " +
          std::to_string(client.bottom - client.top) + " " + std::to_string(origin.x) + " " +
          std::to_string(origin.y) + "\n");
    return 0;
}

int printClipboard() {
    if (!OpenClipboard(nullptr)) {
        return 1;
    }
    int status = 1;
    if (const HANDLE data = GetClipboardData(CF_UNICODETEXT); data != nullptr) {
        if (const auto* text = static_cast<const wchar_t*>(GlobalLock(data)); text != nullptr) {
            print(utf8(text));
            GlobalUnlock(data);
            status = 0;
        }
    }
    CloseClipboard();
    return status;
}

int holdWhileFileExists(const wchar_t* path) {
    const HANDLE file =
        CreateFileW(path, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        return 1;
    }
    const std::string id = std::to_string(GetCurrentProcessId());
    DWORD written = 0;
    WriteFile(file, id.data(), static_cast<DWORD>(id.size()), &written, nullptr);
    CloseHandle(file);
    while (GetFileAttributesW(path) != INVALID_FILE_ATTRIBUTES) {
        Sleep(100);
    }
    return 0;
}

}  // namespace

// client TITLE: the client area of the visible top-level window TITLE, as its width, height and
// the screen position of its top-left corner; clipboard: the clipboard's text (a message box
// copies its own on Ctrl+C); hold FILE: writes its process id to FILE and runs until FILE is
// deleted. Prints as UTF-8; ends with 1 when it finds nothing to report.
int wmain(int argc, wchar_t** argv) {
    const std::wstring_view mode = argc > 1 ? argv[1] : L"";
    if (mode == L"client" && argc == 3) {
        return printClientArea(argv[2]);
    }
    if (mode == L"clipboard" && argc == 2) {
        return printClipboard();
    }
    if (mode == L"hold" && argc == 3) {
        return holdWhileFileExists(argv[2]);
    }
    print("usage: client TITLE | clipboard | hold FILE\n");
    return 2;
}
