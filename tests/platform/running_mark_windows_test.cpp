// The mark of the running program as the installer and the uninstaller look for it: a mutex of
// that name that can be opened while any running copy holds the mark.
#include <windows.h>

#include <gtest/gtest.h>

#include "platform/running_mark.h"

namespace {

bool markIsSeen() {
    const HANDLE mutex = OpenMutexW(SYNCHRONIZE, FALSE, LANHE_RUNNING_MUTEX);
    if (mutex == nullptr) {
        return false;
    }
    CloseHandle(mutex);
    return true;
}

TEST(RunningMarkTest, IsSeenWhileAnyCopyHoldsItAndGoneWithTheLast) {
    ASSERT_FALSE(markIsSeen());
    auto first = markProgramRunning();
    EXPECT_TRUE(markIsSeen());
    {
        const auto second = markProgramRunning();
        EXPECT_TRUE(markIsSeen());
    }
    EXPECT_TRUE(markIsSeen());
    first.reset();
    EXPECT_FALSE(markIsSeen());
}

}  // namespace
