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

  private:
    std::vector<std::uint32_t> ids_;
};
