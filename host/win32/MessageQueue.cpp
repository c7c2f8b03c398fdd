#include "host/win32/MessageQueue.h"

#include "host/rtl/SysUtils.h"

#include <algorithm>

namespace host {

bool MessageQueue::PostMessage(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (!FWindows.IsWindow(hwnd))
        return false;
    FPosted.push_back({hwnd, TMessage{msg, wParam, lParam, 0}});
    return true;
}

bool MessageQueue::PostAfterInput(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (FInput.empty())
        return PostMessage(hwnd, msg, wParam, lParam);
    if (!FWindows.IsWindow(hwnd))
        return false;
    FInput.push_back({hwnd, TMessage{msg, wParam, lParam, 0}});
    return true;
}

void MessageQueue::PostInput(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (FWindows.IsWindow(hwnd))
        FInput.push_back({hwnd, TMessage{msg, wParam, lParam, 0}});
}

bool MessageQueue::Peek(HWND hwnd, UINT first, UINT last) const {
    auto matches = [&](const Posted& p) {
        return (hwnd == 0 || p.Hwnd == hwnd) && p.Msg.Msg >= first && p.Msg.Msg <= last;
    };
    return std::any_of(FPosted.begin(), FPosted.end(), matches) ||
           std::any_of(FInput.begin(), FInput.end(), matches);
}

LRESULT MessageQueue::SendMessage(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (!FWindows.IsWindow(hwnd))
        return 0;
    TMessage m{msg, wParam, lParam, 0};
    dispatch(hwnd, m);
    return m.Result;
}

void MessageQueue::dispatch(HWND hwnd, TMessage& msg) {
    IWindowProc* proc = FWindows.ProcOf(hwnd);
    if (!proc)
        return;
    if (OnDispatch)
        OnDispatch(hwnd, msg);
    ++FDispatchDepth;
    struct Depth {
        int& d;
        ~Depth() { --d; }
    } guard{FDispatchDepth};
    proc->WindowProc(msg);
}

bool MessageQueue::dispatchOneTimer() {
    const uint64_t now = FClock.Now();
    Timer* due = nullptr;
    for (Timer& t : FTimers)
        if (t.NextDue <= now && (!due || t.NextDue < due->NextDue ||
                                 (t.NextDue == due->NextDue && t.Serial < due->Serial)))
            due = &t;
    if (!due)
        return false;
    // One WM_TIMER however often it came due; the next due time keeps the original rhythm.
    uint64_t late = now - due->NextDue;
    due->NextDue += static_cast<uint64_t>(due->Period) * (late / due->Period + 1);
    HWND hwnd = due->Hwnd;
    uintptr_t id = due->Id;
    TMessage m{WM_TIMER, id, 0, 0};
    dispatch(hwnd, m);
    return true;
}

bool MessageQueue::handleOne(bool timersOnly) {
    try {
        if (!timersOnly && !FPosted.empty()) {
            Posted p = FPosted.front();
            FPosted.pop_front();
            dispatch(p.Hwnd, p.Msg);
        } else if (!timersOnly && !FInput.empty()) {
            Posted p = FInput.front();
            FInput.pop_front();
            dispatch(p.Hwnd, p.Msg);
        } else if (!timersOnly && FInvalid && OnPaint) {
            Update();
        } else {
            return dispatchOneTimer();
        }
    } catch (const EAbort&) {
        // the silent exception
    } catch (const std::exception& e) {
        if (!OnException)
            throw;
        OnException(e);
    }
    return true;
}

int MessageQueue::ProcessMessages() {
    int handled = 0;
    while (handleOne(false))
        ++handled;
    return handled;
}

bool MessageQueue::DispatchDueTimer() {
    return handleOne(true);
}

void MessageQueue::Update() {
    if (!FInvalid || !OnPaint)
        return;
    FInvalid = false;
    OnPaint();
}

uint64_t MessageQueue::NextTimerDue() const {
    uint64_t next = IEventSource::NoDeadline;
    for (const Timer& t : FTimers)
        next = std::min(next, t.NextDue);
    return next;
}

void MessageQueue::wait(uint64_t until) {
    if (FSource)
        FSource->WaitForInput(until);
    else if (until != IEventSource::NoDeadline)
        FClock.WaitUntil(until);
}

void MessageQueue::RunFor(uint32_t ms) {
    const uint64_t end = FClock.Now() + ms;
    for (;;) {
        ProcessMessages();
        const uint64_t next = NextTimerDue();
        if (next <= end) {
            wait(next);
            continue;
        }
        // Input may end the wait early: the loop goes on until the end has come.
        wait(end);
        if (FClock.Now() >= end) {
            ProcessMessages();
            return;
        }
    }
}

void MessageQueue::Run(const std::function<bool()>& done) {
    for (;;) {
        ProcessMessages();
        if (done())
            return;
        const uint64_t next = NextTimerDue();
        if (!FSource && next == IEventSource::NoDeadline)
            return;
        wait(next);
    }
}

bool MessageQueue::SetTimer(HWND hwnd, uintptr_t id, UINT period) {
    if (!FWindows.IsWindow(hwnd))
        return false;
    UINT p = std::max<UINT>(period, 1);
    const uint64_t due = FClock.Now() + p;
    for (Timer& t : FTimers)
        if (t.Hwnd == hwnd && t.Id == id) {
            t.Period = p;
            t.NextDue = due;
            return true;
        }
    FTimers.push_back({hwnd, id, p, due, FTimerSerial++});
    return true;
}

bool MessageQueue::KillTimer(HWND hwnd, uintptr_t id) {
    auto it = std::find_if(FTimers.begin(), FTimers.end(),
                           [&](const Timer& t) { return t.Hwnd == hwnd && t.Id == id; });
    if (it == FTimers.end())
        return false;
    FTimers.erase(it);
    return true;
}

std::vector<uintptr_t> MessageQueue::TimersOf(HWND hwnd) const {
    std::vector<uintptr_t> ids;
    for (const Timer& t : FTimers)
        if (t.Hwnd == hwnd)
            ids.push_back(t.Id);
    std::sort(ids.begin(), ids.end());
    return ids;
}

void MessageQueue::Forget(HWND hwnd) {
    std::erase_if(FTimers, [hwnd](const Timer& t) { return t.Hwnd == hwnd; });
    auto dead = [hwnd](const Posted& p) { return p.Hwnd == hwnd; };
    std::erase_if(FPosted, dead);
    std::erase_if(FInput, dead);
}

} // namespace host
