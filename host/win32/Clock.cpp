#include "host/win32/Clock.h"

#include <thread>

namespace host {

uint64_t RealClock::Now() const {
    auto elapsed = std::chrono::steady_clock::now() - FStart;
    return static_cast<uint64_t>(
        std::chrono::duration_cast<std::chrono::milliseconds>(elapsed).count());
}

void RealClock::WaitUntil(uint64_t time) {
    if (time > Now())
        std::this_thread::sleep_until(FStart + std::chrono::milliseconds(time));
}

} // namespace host
