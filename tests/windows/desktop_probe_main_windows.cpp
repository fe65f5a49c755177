// What the Windows checks under Wine ask of the Windows side, where X tools cannot see.
#include <windows.h>

#include <functional>
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

// Read as Windows keeps it, without asking the window: a busy installer page may not answer.
std::wstring windowText(HWND window) {
    std::wstring text(512, L'\0');
    text.resize(static_cast<std::size_t>(
        GetWindowTextW(window, text.data(), static_cast<int>(text.size()))));
    return text;
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

// Calls visit with each control of the visible top-level windows titled title; false when there
// is no such window. An installer keeps hidden windows of the same title, and ends the captions
// of its pages with a blank.
bool forEachControlOf(std::wstring_view title, const std::function<void(HWND)>& visit) {
    struct Search {
        std::wstring_view title;
        const std::function<void(HWND)>& visit;
        bool found = false;
    } search{title, visit};
    EnumWindows(
        [](HWND window, LPARAM context) -> BOOL {
            auto& wanted = *reinterpret_cast<Search*>(context);
            std::wstring caption = windowText(window);
            caption.erase(caption.find_last_not_of(L' ') + 1);
            if (IsWindowVisible(window) && caption == wanted.title) {
                wanted.found = true;
                EnumChildWindows(
                    window,
                    [](HWND child, LPARAM visitor) -> BOOL {
                        (*reinterpret_cast<const std::function<void(HWND)>*>(visitor))(child);
                        return TRUE;
                    },
                    reinterpret_cast<LPARAM>(&wanted.visit));
            }
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&search));
    return search.found;
}

// The texts of a dialog's controls, one a line: its message and its buttons.
int printControlTexts(const wchar_t* title) {
    return forEachControlOf(title,
                            [](HWND control) {
                                if (const std::wstring text = windowText(control); !text.empty()) {
                                    print(utf8(text) + "\n");
                                }
                            })
               ? 0
               : 1;
}

// The middle of the visible, enabled button labelled label on the screen, for a click there.
int printButtonMiddle(const wchar_t* title, std::wstring_view label) {
    bool found = false;
    forEachControlOf(title, [&](HWND control) {
        RECT place{};
        if (!found && IsWindowVisible(control) && IsWindowEnabled(control) &&
            windowText(control) == label && GetWindowRect(control, &place)) {
            print(std::to_string((place.left + place.right) / 2) + " " +
                  std::to_string((place.top + place.bottom) / 2) + "\n");
            found = true;
        }
    });
    return found ? 0 : 1;
}

int printWhetherMutexExists(const wchar_t* name) {
    const HANDLE mutex = OpenMutexW(SYNCHRONIZE, FALSE, name);
    if (mutex == nullptr) {
        return 1;
    }
    CloseHandle(mutex);
    print("running\n");
    return 0;
}

// With a file to lock, that file is held open without sharing first: no one may delete it.
int holdWhileFileExists(const wchar_t* path, const wchar_t* locked) {
    const HANDLE lock = locked == nullptr
                            ? nullptr
                            : CreateFileW(locked, GENERIC_READ, 0, nullptr, OPEN_EXISTING,
                                          FILE_ATTRIBUTE_NORMAL, nullptr);
    if (lock == INVALID_HANDLE_VALUE) {
        return 1;
    }
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
    if (lock != nullptr) {
        CloseHandle(lock);
    }
    return 0;
}

}  // namespace

// client TITLE: the client area of the visible top-level window TITLE, as its width, height and
// the screen position of its top-left corner; clipboard: the clipboard's text (a message box
// copies its own on Ctrl+C); texts TITLE: the texts of window TITLE's controls; button TITLE
// LABEL: the screen position of the middle of that button; running NAME: whether a mutex NAME
// exists; hold FILE [LOCKED]: writes its process id to FILE and runs until FILE is deleted,
// holding LOCKED open without sharing. Prints as UTF-8; ends with 1 when it finds nothing to
// report.
int wmain(int argc, wchar_t** argv) {
    const std::wstring_view mode = argc > 1 ? argv[1] : L"";
    if (mode == L"client" && argc == 3) {
        return printClientArea(argv[2]);
    }
    if (mode == L"clipboard" && argc == 2) {
        return printClipboard();
    }
    if (mode == L"texts" && argc == 3) {
        return printControlTexts(argv[2]);
    }
    if (mode == L"button" && argc == 4) {
        return printButtonMiddle(argv[2], argv[3]);
    }
    if (mode == L"running" && argc == 3) {
        return printWhetherMutexExists(argv[2]);
    }
    if (mode == L"hold" && (argc == 3 || argc == 4)) {
        return holdWhileFileExists(argv[2], argc == 4 ? argv[3] : nullptr);
    }
    print(
        "usage: client TITLE | clipboard | texts TITLE | button TITLE LABEL | running NAME | "
        "hold FILE [LOCKED]\n");
    return 2;
}
