// Handing what was started to the thread that waits for it, that thread run by the test.
#include "platform/waiting_thread.h"

#include <gtest/gtest.h>

#include <new>
#include <tuple>
#include <vector>

namespace {

using Start = std::function<std::optional<int>()>;

// Mended: a start that throws (no memory left for the argument list) has started nothing: the
// caller hears false, as for a program that cannot be started, and the waiting thread ends
// without waiting, where it used to end the whole program.
TEST(StartWithWaiter, TheWaitingThreadGetsWhatWasStartedAndEndsQuietlyWhenNothingWas) {
    const std::tuple<Start, bool, std::vector<int>> cases[] = {
        {[] { return std::optional(7); }, true, {7}},
        {[] { return std::optional<int>(); }, false, {}},
        {[]() -> std::optional<int> { throw std::bad_alloc(); }, false, {}},
    };
    for (const auto& [start, started, waitedFor] : cases) {
        std::function<void()> waitingThread;
        std::vector<int> waited;
        const auto keep = [&waitingThread](std::function<void()> work) {
            waitingThread = std::move(work);
            return true;
        };
        EXPECT_EQ(
            startWithWaiter<int>(keep, start, [&waited](int child) { waited.push_back(child); }),
            started);
        ASSERT_TRUE(waitingThread);
        EXPECT_NO_THROW(waitingThread());
        EXPECT_EQ(waited, waitedFor);
    }
}

}  // namespace
