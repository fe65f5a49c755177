#include <windows.h>

#include <cstdio>
#include <string>

#include "launch_probe_windows.h"

int main(int argc, char** argv) {
    if (argc == 3 && std::string(argv[1]) == "hold") {
        HANDLE event = OpenEventA(SYNCHRONIZE, FALSE, argv[2]);
        const bool set = event != nullptr && WaitForSingleObject(event, 120000) == WAIT_OBJECT_0;
        CloseHandle(event);
        return set ? 0 : 1;
    }
    STARTUPINFOW startup{};
    GetStartupInfoW(&startup);
    std::fprintf(stderr, "\n%s %d %d\nmore\n",
                 launchProbeProgram().parent_path().filename().string().c_str(),
                 (startup.dwFlags & STARTF_USESHOWWINDOW) != 0, startup.wShowWindow);
    return 3;
}
