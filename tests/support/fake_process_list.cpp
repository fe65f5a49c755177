#include "support/fake_process_list.h"

#include <utility>

FakeProcessList::FakeProcessList(std::vector<std::uint32_t> ids) : ids_(std::move(ids)) {}

std::vector<std::uint32_t> FakeProcessList::runningProcessIds() const {
    return ids_;
}

void FakeProcessList::setRunning(std::vector<std::uint32_t> ids) {
    ids_ = std::move(ids);
}
