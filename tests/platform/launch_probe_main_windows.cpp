#include <windows.h>

#include <cstdio>
#include <fstream>
#include <string>

#include "launch_probe_windows.h"

int main(int argc, char** argv) {
    if (argc == 3 && std::string(argv[1]) == "record") {
        // Next to the probe, so that where the record lands tells which copy ran.
        STARTUPINFOW startup{};
        GetStartupInfoW(&startup);
        std::ofstream out(launchProbeProgram().parent_path() / argv[2]);
        out << ((startup.dwFlags & STARTF_USESHOWWINDOW) != 0) << ' ' << startup.wShowWindow;
        return out ? 0 : 1;
    }
    if (argc == 3 && std::string(argv[1]) == "hold") {
        HANDLE event = OpenEventA(SYNCHRONIZE, FALSE, argv[2]);
        const bool set = event != nullptr && WaitForSingleObject(event, 120000) == WAIT_OBJECT_0;
        CloseHandle(event);
        return set ? 0 : 1;
    }
    if (argc == 3 && std::string(argv[1]) == "fail") {
        std::fprintf(stderr, "\n%s\nmore\n", argv[2]);
        return 3;
    }
    return 2;
}
