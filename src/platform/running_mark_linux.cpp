#include "platform/running_mark.h"

std::unique_ptr<RunningMark> markProgramRunning() {
    return std::make_unique<RunningMark>();
}
