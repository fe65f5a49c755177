#include <windows.h>

#include "platform/running_mark.h"

namespace {

// The mutex lives while any running copy holds a handle to it; no copy needs to own it.
class NamedMutexMark final : public RunningMark {
  public:
    NamedMutexMark() : mutex_(CreateMutexW(nullptr, FALSE, LANHE_RUNNING_MUTEX)) {}
    ~NamedMutexMark() override {
        if (mutex_ != nullptr) {
            CloseHandle(mutex_);
        }
    }

  private:
    HANDLE mutex_;
};

}  // namespace

std::unique_ptr<RunningMark> markProgramRunning() {
    return std::make_unique<NamedMutexMark>();
}
