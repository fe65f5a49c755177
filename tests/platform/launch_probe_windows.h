// The harmless program that the Windows tests start in place of a real command, built next
// to the test programs from launch_probe_main_windows.cpp.
//   lanhe_launch_probe hold <event>    runs until the named event is set
//   lanhe_launch_probe                 writes an empty line, "<directory name> <uses ShowWindow>
//                                      <ShowWindow>" and "more" to its error output, exits with 3
#pragma once

#include <windows.h>

#include <filesystem>
#include <string>

inline std::filesystem::path launchProbeProgram() {
    std::wstring path(32768, L'\0');
    path.resize(GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size())));
    return std::filesystem::path(path).parent_path() / L"lanhe_launch_probe.exe";
}
