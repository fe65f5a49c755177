// Start-up has no recovery of its own: what it throws is shown to the user, and the program ends.
#pragma once

#include <functional>

#include "window/form1_services.h"

// Runs startUp and returns true. An exception escaping it is shown through showMessage, as
// "启动失败：" and the exception's message, and false is returned.
bool startUpOrReport(const std::function<void()>& startUp, const ShowMessage& showMessage);
