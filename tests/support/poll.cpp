#include "support/poll.h"

#include <chrono>
#include <thread>

bool pollUntil(const std::function<bool()>& done, int attempts) {
    for (int attempt = 0; attempt < attempts && !done(); ++attempt) {
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    return done();
}
