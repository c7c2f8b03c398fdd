#include "host/win32/Desktop.h"

#include "host/rtl/SysUtils.h"

#include <utility>

namespace host {

namespace {
thread_local Desktop* gCurrent = nullptr;
} // namespace

Desktop::Desktop() : Desktop(nullptr) {}

Desktop::Desktop(std::unique_ptr<IClock> clock)
    : FClock(clock ? std::move(clock) : std::make_unique<VirtualClock>()),
      FVirtualClock(dynamic_cast<VirtualClock*>(FClock.get())), FQueue(FWindows, *FClock),
      FPrevious(gCurrent) {
    gCurrent = this;
}

Desktop::~Desktop() {
    // Whatever windows are left die with the desktop, without messages.
    FWindows.Clear();
    if (gCurrent == this)
        gCurrent = FPrevious;
}

Desktop& Desktop::Current() {
    if (!gCurrent)
        throw EInvalidOperation("No desktop");
    return *gCurrent;
}

Desktop* Desktop::CurrentOrNull() {
    return gCurrent;
}

VirtualClock& Desktop::virtualClock() const {
    if (!FVirtualClock)
        throw EInvalidOperation("The desktop's clock is not virtual");
    return *FVirtualClock;
}

HWND Desktop::CreateWindowEx(const CreateParams& params) {
    HWND h = FWindows.Create(params);
    Invalidate();
    if (params.Bind)
        params.Bind(h);
    SendMessage(h, WM_CREATE, 0, 0);
    return h;
}

void Desktop::DestroyWindow(HWND hwnd) {
    if (!IsWindow(hwnd))
        return;
    // WM_DESTROY goes to the window first, then to its children, as the windowing system does.
    std::function<void(HWND)> tell = [&](HWND h) {
        if (!IsWindow(h))
            return;
        SendMessage(h, WM_DESTROY, 0, 0);
        for (HWND c : Children(h))
            tell(c);
    };
    tell(hwnd);
    Invalidate();
    FWindows.Destroy(hwnd, [this](HWND gone, IWindowProc* proc) {
        FQueue.Forget(gone);
        if (FCapture == gone)
            FCapture = 0;
        if (proc)
            proc->WindowDestroyed(gone);
    });
}

void Desktop::SetWindowPos(HWND hwnd, HWND insertAfter, int x, int y, int cx, int cy, UINT flags) {
    if ((flags & SWP_NOZORDER) == 0)
        Invalidate();
    if (FWindows.SetWindowPos(hwnd, insertAfter, x, y, cx, cy, flags)) {
        Invalidate();
        SendMessage(hwnd, WM_WINDOWPOSCHANGED, 0, 0);
    }
}

void Desktop::ShowWindow(HWND hwnd, bool visible) {
    if (FWindows.IsWindow(hwnd) && FWindows.IsVisible(hwnd) != visible)
        Invalidate();
    FWindows.ShowWindow(hwnd, visible);
}

void Desktop::UpdateWindow(HWND hwnd) {
    FWindows.CountPaint(hwnd);
    FQueue.Update();
}

void Desktop::MouseInput(TPoint screen, UINT msg, WPARAM keys) {
    FCursor = screen;
    HWND target = FCapture ? FCapture : FWindows.WindowFromPoint(screen);
    if (!target)
        return;
    TPoint o = FWindows.ClientOriginOnScreen(target);
    FQueue.PostInput(target, msg, keys, MakeLParam(screen.X - o.X, screen.Y - o.Y));
}

void Desktop::SetCapture(HWND hwnd) {
    if (hwnd && !IsWindow(hwnd))
        return;
    HWND old = std::exchange(FCapture, hwnd);
    if (old && old != hwnd)
        SendMessage(old, WM_CAPTURECHANGED, 0, static_cast<LPARAM>(hwnd));
}

HBITMAP Desktop::LoadBitmap(HINSTANCE instance, std::string_view name) {
    ModuleList::FoundBitmap found = FModules.FindBitmap(instance, name);
    return found.Dib ? FGdi.AddDib(*found.Dib, *found.Name, found.Module->Name) : 0;
}

} // namespace host
