#pragma once
// The windowing system's whole state, in parts with their own headers: the window tree
// (WindowTree.h), the message queue with its timers (MessageQueue.h), the clock it runs on
// (Clock.h) and the source of input it is given (EventSource.h), the GDI object table
// (GdiObjects.h) and the module list (ModuleList.h); the desktop adds the cursor and ties the parts
// together where an operation concerns several (creating, moving and destroying windows send
// messages; loading a bitmap reads a module and makes a GDI object). One Desktop is current per
// thread; tests make a fresh one each, so nothing leaks from one test into the next.

#include "host/win32/Clock.h"
#include "host/win32/GdiObjects.h"
#include "host/win32/MessageQueue.h"
#include "host/win32/ModuleList.h"
#include "host/win32/Types.h"
#include "host/win32/WindowTree.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace host {

class Desktop {
    // The parts come first: the public hooks below refer into them.
    std::unique_ptr<IClock> FClock;
    VirtualClock* FVirtualClock = nullptr; // FClock when it is virtual
    WindowTree FWindows;
    MessageQueue FQueue;
    GdiObjects FGdi;
    ModuleList FModules;
    TPoint FCursor{-10000, -10000};
    HWND FCapture = 0;
    Desktop* FPrevious = nullptr;

public:
    // A desktop on virtual time.
    Desktop();
    // A desktop on the given clock; on virtual time when it is null.
    explicit Desktop(std::unique_ptr<IClock> clock);
    ~Desktop();
    Desktop(const Desktop&) = delete;
    Desktop& operator=(const Desktop&) = delete;

    // The desktop of this thread; raises when there is none.
    static Desktop& Current();
    static Desktop* CurrentOrNull();

    // The window tree, for those that only look at windows.
    const WindowTree& Windows() const { return FWindows; }

    // ---- windows
    struct CreateParams : WindowTree::Params {
        std::function<void(HWND)> Bind; // called with the new handle before WM_CREATE
    };
    // A new window on top of its siblings; WM_CREATE reaches its procedure before it returns.
    HWND CreateWindowEx(const CreateParams& params);
    // WM_DESTROY goes to the window, then to its children; then they are gone, with what was
    // posted to them and their timers, and each procedure is told (WindowDestroyed).
    void DestroyWindow(HWND hwnd);
    bool IsWindow(HWND hwnd) const { return FWindows.IsWindow(hwnd); }
    HWND GetParent(HWND hwnd) const { return FWindows.GetParent(hwnd); }
    HWND GetWindow(HWND hwnd, UINT cmd) const { return FWindows.GetWindow(hwnd, cmd); }
    std::string ClassNameOf(HWND hwnd) const { return FWindows.ClassNameOf(hwnd); }
    TRect WindowRectInParent(HWND hwnd) const { return FWindows.WindowRectInParent(hwnd); }
    TRect ClientRect(HWND hwnd) const { return FWindows.ClientRect(hwnd); } // origin 0,0
    TRect WindowRectOnScreen(HWND hwnd) const { return FWindows.WindowRectOnScreen(hwnd); }
    TPoint ClientOriginOnScreen(HWND hwnd) const { return FWindows.ClientOriginOnScreen(hwnd); }
    bool IsVisible(HWND hwnd) const { return FWindows.IsVisible(hwnd); }
    void ShowWindow(HWND hwnd, bool visible);
    // Moves and sizes a window; tells its procedure with WM_WINDOWPOSCHANGED.
    void SetWindowPos(HWND hwnd, HWND insertAfter, int x, int y, int cx, int cy, UINT flags);
    // Children of hwnd, topmost first.
    std::vector<HWND> Children(HWND hwnd) const { return FWindows.Children(hwnd); }
    std::vector<HWND> TopLevelWindows() const { return FWindows.TopLevelWindows(); }
    // The deepest visible window under a screen point, clipped by its parents' client areas.
    HWND WindowFromPoint(TPoint screen) const { return FWindows.WindowFromPoint(screen); }
    IWindowProc* ProcOf(HWND hwnd) const { return FWindows.ProcOf(hwnd); }
    int WindowCount() const { return FWindows.Count(); }
    uint64_t PaintCount(HWND hwnd) const { return FWindows.PaintCount(hwnd); }
    // Counts the paint and, when the screen is invalid and a painter is plugged in, paints now
    // (a slide shows its frames this way while it holds the loop).
    void UpdateWindow(HWND hwnd);
    // Something on the screen changed (a control to repaint, a window moved, shown, made or
    // destroyed, the selection): the painter runs when the loop comes to it.
    void Invalidate() { FQueue.Invalidate(); }
    bool Invalid() const { return FQueue.Invalid(); }
    // The painter: composes the screen and shows it. Without one nothing is painted.
    std::function<void()>& OnPaint = FQueue.OnPaint;

    // ---- messages
    bool PostMessage(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
        return FQueue.PostMessage(hwnd, msg, wParam, lParam);
    }
    bool PostMessageAfterInput(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
        return FQueue.PostAfterInput(hwnd, msg, wParam, lParam);
    }
    LRESULT SendMessage(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
        return FQueue.SendMessage(hwnd, msg, wParam, lParam);
    }
    // Queues input (mouse and keys): handled after the posted messages.
    void PostInput(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
        FQueue.PostInput(hwnd, msg, wParam, lParam);
    }
    // Handles everything waiting (posted messages, input, due timers) until nothing is left.
    // Returns the number of messages handled. May nest.
    int ProcessMessages() { return FQueue.ProcessMessages(); }
    bool DispatchDueTimer() { return FQueue.DispatchDueTimer(); }
    // Runs the loop for ms milliseconds of the clock, firing timers as they come due.
    void RunFor(uint32_t ms) { FQueue.RunFor(ms); }
    // Runs the loop until done() says so; see MessageQueue::Run.
    void Run(const std::function<bool()>& done) { FQueue.Run(done); }
    uint64_t NextTimerDue() const { return FQueue.NextTimerDue(); }
    // The source of input while the loop waits (the interactive window's); null for none.
    void SetEventSource(IEventSource* source) { FQueue.SetEventSource(source); }
    size_t PendingCount() const { return FQueue.PendingCount(); }
    bool PeekMessage(HWND hwnd, UINT first, UINT last) const {
        return FQueue.Peek(hwnd, first, last);
    }
    int DispatchDepth() const { return FQueue.DispatchDepth(); }
    // Called for every message dispatched (a trace for tests and the transcript).
    std::function<void(HWND, const TMessage&)>& OnDispatch = FQueue.OnDispatch;
    // Exceptions that escape a handler land here (the application shows them); EAbort is
    // swallowed before.
    std::function<void(const std::exception&)>& OnException = FQueue.OnException;

    // ---- timers
    bool SetTimer(HWND hwnd, uintptr_t id, UINT period) {
        return FQueue.SetTimer(hwnd, id, period);
    }
    bool KillTimer(HWND hwnd, uintptr_t id) { return FQueue.KillTimer(hwnd, id); }
    std::vector<uintptr_t> TimersOf(HWND hwnd) const { return FQueue.TimersOf(hwnd); }

    // ---- the clock
    uint64_t Now() const { return FClock->Now(); }
    void Advance(uint64_t ms) { FClock->WaitUntil(FClock->Now() + ms); }
    // Milliseconds since start, 32 bits, wrapping. On virtual time each read moves the clock on
    // by TickStep first, so that a busy loop on the tick count ends.
    uint32_t GetTickCount() { return FClock->TickCount(); }
    // The virtual clock's settings; raise EInvalidOperation on another clock.
    void SetTickBase(uint32_t base) { virtualClock().SetTickBase(base); }
    void SetTickStep(uint32_t step) { virtualClock().SetTickStep(step); }
    uint32_t TickStep() const { return virtualClock().TickStep(); }

    // ---- the cursor and the mouse
    TPoint CursorPos() const { return FCursor; }
    void SetCursorPos(TPoint p) { FCursor = p; }
    // Mouse input as a person makes it: the cursor goes to the screen point, and the message
    // (WM_MOUSEMOVE, WM_LBUTTONDOWN...) with its key flags is queued as input for the window
    // holding the capture, else the window under the point, in that window's client
    // coordinates. Nothing is queued where no window is.
    void MouseInput(TPoint screen, UINT msg, WPARAM keys);
    // The window that gets the mouse whatever lies under it (a press being dragged); 0 for none.
    // A window that loses the capture is told with WM_CAPTURECHANGED.
    HWND GetCapture() const { return FCapture; }
    void SetCapture(HWND hwnd);
    void ReleaseCapture() { SetCapture(0); }

    // ---- GDI objects
    HGDIOBJ AddBitmap(GdiBitmap bitmap) { return FGdi.AddBitmap(std::move(bitmap)); }
    const GdiBitmap* Bitmap(HGDIOBJ handle) const { return FGdi.Bitmap(handle); }
    bool DeleteObject(HGDIOBJ handle) { return FGdi.DeleteObject(handle); }
    int GdiObjectCount() const { return FGdi.Count(); }
    int GdiDeleteFailures() const { return FGdi.DeleteFailures(); }
    // How many times a bitmap resource was decoded (handles on the same resource share one).
    int BitmapDecodeCount() const { return FGdi.DecodeCount(); }

    // ---- modules
    TLibModule* LibModuleList() const { return FModules.First(); }
    // Changes whenever a module joins or leaves the list.
    uint64_t ModulesVersion() const { return FModules.Version(); }
    // Adds a module at the end of the list; the desktop owns it.
    TLibModule* AddModule(const std::string& name) { return FModules.Add(name); }
    void RemoveModule(TLibModule* module) { FModules.Remove(module); }
    // A new bitmap from a module's resource, found by name ignoring case; 0 when there is none.
    // A miss allocates nothing (the layout step asks again for glyphs that have no picture).
    HBITMAP LoadBitmap(HINSTANCE instance, std::string_view name);
    // Turns DIB bytes into a bitmap; the graphics layer installs it.
    std::function<bool(const std::vector<uint8_t>&, GdiBitmap&)>& DecodeDib = FGdi.DecodeDib;

private:
    VirtualClock& virtualClock() const;
};

} // namespace host
