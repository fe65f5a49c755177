// The harmless program that the Windows tests start in place of a real command, built next
// to the test programs from launch_probe_main_windows.cpp.
//   lanhe_launch_probe record <file>   writes its own path and how it was asked to show its
//                                      window into file (relative to its current directory)
//   lanhe_launch_probe hold <event>    runs until the named event is set
#pragma once

#include <windows.h>

#include <filesystem>
#include <vector>

inline std::filesystem::path launchProbeProgram() {
    std::vector<wchar_t> path(32768);
    const DWORD length = GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
    return std::filesystem::path(std::wstring(path.data(), length)).parent_path() /
           L"lanhe_launch_probe.exe";
}
