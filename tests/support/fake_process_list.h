// A process list that tests set by hand; an empty list stands for one that cannot be read.
#pragma once

#include <cstdint>
#include <vector>

#include "platform/process_list.h"

class FakeProcessList final : public ProcessList {
  public:
    explicit FakeProcessList(std::vector<std::uint32_t> ids = {});

    std::vector<std::uint32_t> runningProcessIds() const override;
    void setRunning(std::vector<std::uint32_t> ids);
    // How many times the list has been walked.
    int walks() const { return walks_; }

  private:
    std::vector<std::uint32_t> ids_;
    mutable int walks_ = 0;
};
