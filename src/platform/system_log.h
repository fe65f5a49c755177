// The platform's log for what a user who was away may want to look up later.
#pragma once

#include <string_view>

// Writes one line (UTF-8, without its line end): to standard error on Linux, which the desktop
// session's journal keeps; to the debugger output (OutputDebugString) on Windows.
void writeToSystemLog(std::string_view line);
