#pragma once
// Helpers for the heartbeat tests: mouse moves routed as the windowing system routes them, tab
// clicks, and the exact path of the default slide.

#include "support/BarFixture.h"

#include "host/win32/Windows.h"

#include <vector>

namespace stowtest {

class HeartbeatTest : public BarTest {
protected:
    // Moves the cursor to a point of the form's client area; the window under it gets a mouse
    // move in its own client coordinates, and the loop handles it.
    void MoveMouse(int x, int y) {
        host::Desktop& d = env.desktop();
        host::TPoint screen = env.Form()->ClientToScreen({x, y});
        d.SetCursorPos(screen);
        if (host::HWND h = d.WindowFromPoint(screen)) {
            host::TPoint o = d.ClientOriginOnScreen(h);
            d.PostInput(h, host::WM_MOUSEMOVE, 0, host::MakeLParam(screen.X - o.X, screen.Y - o.Y));
        }
        Settle();
    }
    // Puts the cursor somewhere without a mouse move (nothing is told).
    void PlaceCursor(int x, int y) {
        env.desktop().SetCursorPos(env.Form()->ClientToScreen({x, y}));
    }
    // Clicks the tab named name on bar's tab set, as a left press and release at its centre.
    void ClickTab(TStowbar* bar, const std::string& name) {
        host::TTabSet* tabs = bar->TabSet();
        int index = tabs->Tabs().IndexOf(name);
        ASSERT_GE(index, 0) << name;
        host::TRect r = tabs->ItemRect(index);
        int x = (r.Left + r.Right) / 2, y = (r.Top + r.Bottom) / 2;
        host::HWND h = tabs->Handle();
        host::SendMessageA(h, host::WM_LBUTTONDOWN, host::MK_LBUTTON, host::MakeLParam(x, y));
        host::SendMessageA(h, host::WM_LBUTTONUP, 0, host::MakeLParam(x, y));
        Settle();
    }
    // A bar in view, nothing selected, the cursor far from everything.
    void ShowAlone(TStowbar* bar) {
        bar->ShowBar();
        designer().SetSelection({});
        PlaceCursor(2000, 2000);
    }
    // The window handles of the form's children, topmost first.
    std::vector<host::HWND> ZOrder() { return env.desktop().Children(env.Form()->Handle()); }
    bool OnTop(TStowbar* bar) {
        std::vector<host::HWND> z = ZOrder();
        return !z.empty() && z.front() == bar->Handle();
    }

    // The Top of the default top bar (55 high, 3 pixels kept) at each pass of its 400 ms slide
    // out with a tick step of 10 ms: round(e * -52 / 400) for e = 10, 20 ... 400, halves to even
    // (e = 50, 150, 250, 350 give -6.5, -19.5, -32.5, -45.5), then the final position.
    static std::vector<int> HidePath() {
        return {-1,  -3,  -4,  -5,  -6,  -8,  -9,  -10, -12, -13, -14, -16, -17, -18,
                -20, -21, -22, -23, -25, -26, -27, -29, -30, -31, -32, -34, -35, -36,
                -38, -39, -40, -42, -43, -44, -46, -47, -48, -49, -51, -52, -52};
    }
    // The way back in: -52 less each offset of the way out (the last, like the final, is 0).
    static std::vector<int> ShowPath() {
        std::vector<int> path;
        for (int top : HidePath())
            path.push_back(-52 - top);
        return path;
    }
};

// The heartbeat's own tests (AutoHideTest.cpp, AutoHideSlideTest.cpp).
class AutoHideTest : public HeartbeatTest {
protected:
    // The default top bar, collected and placed, then brought into view and left alone.
    TStowbar* ShownTopBar() {
        NewForm();
        TStowbar* bar = DropBar();
        Wait(10);
        ShowAlone(bar);
        return bar;
    }
};

} // namespace stowtest
