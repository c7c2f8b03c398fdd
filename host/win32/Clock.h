#pragma once
// The clock the message loop runs on. Time is told, never taken: the loop is given a clock, and
// a virtual clock moves only when the loop waits on it or a test advances it, so that a session
// runs the same on every machine. A clock that follows real time serves the interactive window.

#include <chrono>
#include <cstdint>

namespace host {

class IClock {
public:
    virtual ~IClock() = default;
    // Milliseconds since the clock started.
    virtual uint64_t Now() const = 0;
    // Returns once Now() has reached time, at once when it already has: a virtual clock moves
    // there, a real one waits.
    virtual void WaitUntil(uint64_t time) = 0;
    // GetTickCount: milliseconds since start, 32 bits, wrapping around.
    virtual uint32_t TickCount() = 0;
};

// Virtual time. Only a busy loop reads the tick count (a slide); each read moves the clock on by
// TickStep first, so that the loop ends and its frames fall on known times.
class VirtualClock final : public IClock {
public:
    uint64_t Now() const override { return FNow; }
    void WaitUntil(uint64_t time) override {
        if (time > FNow)
            FNow = time;
    }
    uint32_t TickCount() override {
        FNow += FTickStep;
        return static_cast<uint32_t>(FTickBase + FNow);
    }
    void Advance(uint64_t ms) { FNow += ms; }
    // The tick count at Now() == 0 (to test the wrap-around).
    void SetTickBase(uint32_t base) { FTickBase = base; }
    void SetTickStep(uint32_t step) { FTickStep = step; }
    uint32_t TickStep() const { return FTickStep; }

private:
    uint64_t FNow = 0;
    uint32_t FTickBase = 0;
    uint32_t FTickStep = 10;
};

// Real time, for the interactive window: Now() follows a steady clock from the moment the clock
// was made, and WaitUntil sleeps. The tick count is Now() in 32 bits, so it wraps as the
// platform's does (after 49.7 days).
class RealClock final : public IClock {
public:
    RealClock() : FStart(std::chrono::steady_clock::now()) {}
    uint64_t Now() const override;
    void WaitUntil(uint64_t time) override;
    uint32_t TickCount() override { return static_cast<uint32_t>(Now()); }

private:
    std::chrono::steady_clock::time_point FStart;
};

} // namespace host
