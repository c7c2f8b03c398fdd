#pragma once
// The message loop of a desktop's thread: messages posted to windows, input, timers, and their
// dispatch to the windows' procedures. The loop takes, in this order of priority: posted messages
// (first in, first out), then input, then timers; WM_TIMER is made only when nothing else waits,
// once for a timer that came due several times, whose next due time keeps its rhythm. It runs on
// the clock it is given and, while nothing waits, asks the event source it is given for input
// (with none, it waits on the clock). When a painter is plugged in, a screen that something
// invalidated is repainted once the posted messages and the input are handled, before the timers.

#include "host/win32/Clock.h"
#include "host/win32/EventSource.h"
#include "host/win32/WindowTree.h"

#include <cstddef>
#include <cstdint>
#include <deque>
#include <exception>
#include <functional>
#include <vector>

namespace host {

class MessageQueue {
public:
    // The windows are looked up when a message is posted or dispatched; both must outlive the
    // queue.
    MessageQueue(const WindowTree& windows, IClock& clock) : FWindows(windows), FClock(clock) {}
    MessageQueue(const MessageQueue&) = delete;
    MessageQueue& operator=(const MessageQueue&) = delete;

    // False (and nothing queued) for a window that does not exist.
    bool PostMessage(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
    // Posts behind everything that waits now: behind the input when input waits.
    bool PostAfterInput(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
    // Queues input (mouse and keys): handled after the posted messages.
    void PostInput(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
    // Runs the window's procedure at once and returns its result; 0 for no window.
    LRESULT SendMessage(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
    // Handles everything waiting (posted messages, input, due timers) until nothing is left.
    // Returns the number of messages handled. May nest.
    int ProcessMessages();
    // Handles one due timer, the earliest, as ProcessMessages would; false when none is due.
    bool DispatchDueTimer();
    // Runs the loop for ms milliseconds of the clock, waiting for input and for each timer as it
    // comes due.
    void RunFor(uint32_t ms);
    // Runs the loop until done() says so (asked after each round of handling what waits),
    // waiting for input and timers in between. Without an event source, it also returns when
    // nothing could ever arrive (no timer is running).
    void Run(const std::function<bool()>& done);
    // When the next timer is due on the clock; IEventSource::NoDeadline when none runs.
    uint64_t NextTimerDue() const;
    // The source of input while the loop waits; null: the loop waits on the clock alone.
    void SetEventSource(IEventSource* source) { FSource = source; }
    size_t PendingCount() const { return FPosted.size() + FInput.size(); }
    // Whether a posted message or input for hwnd (any window when 0) with a number from first to
    // last waits, as PeekMessage with PM_NOREMOVE tells.
    bool Peek(HWND hwnd, UINT first, UINT last) const;
    int DispatchDepth() const { return FDispatchDepth; }

    // A timer of the window; setting an existing id again restarts it with the new period.
    bool SetTimer(HWND hwnd, uintptr_t id, UINT period);
    bool KillTimer(HWND hwnd, uintptr_t id);
    // The window's timer ids in increasing order.
    std::vector<uintptr_t> TimersOf(HWND hwnd) const;
    // Drops what waits for a window that is gone: its posted messages, its input, its timers.
    void Forget(HWND hwnd);

    // ---- painting
    // Something on the screen changed: the painter runs when the loop comes to it.
    void Invalidate() { FInvalid = true; }
    bool Invalid() const { return FInvalid; }
    // Paints now when something is invalid and a painter is plugged in (UpdateWindow).
    void Update();
    // The painter (the interactive window's screen); without one, nothing is painted.
    std::function<void()> OnPaint;

    // Called for every message dispatched (a trace for tests and the transcript).
    std::function<void(HWND, const TMessage&)> OnDispatch;
    // Exceptions that escape a handler during ProcessMessages land here (the application shows
    // them); EAbort is swallowed before. Without a handler they propagate.
    std::function<void(const std::exception&)> OnException;

private:
    struct Posted {
        HWND Hwnd;
        TMessage Msg;
    };
    struct Timer {
        HWND Hwnd;
        uintptr_t Id;
        UINT Period;
        uint64_t NextDue;
        uint64_t Serial;
    };
    void dispatch(HWND hwnd, TMessage& msg);
    bool dispatchOneTimer();
    // Handles the next message (or only the next due timer); false when there was none.
    bool handleOne(bool timersOnly);
    // Waits for input or the clock up to until.
    void wait(uint64_t until);

    const WindowTree& FWindows;
    IClock& FClock;
    IEventSource* FSource = nullptr;
    bool FInvalid = false;
    std::deque<Posted> FPosted;
    std::deque<Posted> FInput;
    std::vector<Timer> FTimers;
    uint64_t FTimerSerial = 0;
    int FDispatchDepth = 0;
};

} // namespace host
