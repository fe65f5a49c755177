// A launcher that records every command line it is asked to start; it never starts one.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "platform/process_launcher.h"

class RecordingLauncher final : public ProcessLauncher {
  public:
    bool startMinimized(std::string_view commandLine) override;

    // Makes every later start fail, as when the program cannot be found.
    void failStarts(bool fail) { failing_ = fail; }
    const std::vector<std::string>& attempts() const { return attempts_; }

  private:
    std::vector<std::string> attempts_;
    bool failing_ = false;
};
