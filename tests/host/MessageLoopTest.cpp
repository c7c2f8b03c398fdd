// The windowing system's message loop, timers, z-order and window look-ups.
#include "WindowTestSupport.h"
#include "host/win32/Windows.h"

#include <gtest/gtest.h>

namespace {

using namespace host;

struct Recorder : IWindowProc {
    std::vector<std::string>* log;
    std::string name;
    std::function<void(TMessage&)> onMessage;
    void WindowProc(TMessage& m) override {
        if (m.Msg == WM_CREATE || m.Msg == WM_WINDOWPOSCHANGED)
            return;
        log->push_back(name + ":" + std::to_string(m.Msg) + ":" + std::to_string(m.WParam));
        if (onMessage)
            onMessage(m);
    }
};

class MessageLoopTest : public ::testing::Test {
protected:
    HWND Make(Recorder& r, const std::string& name, HWND parent = 0, TRect bounds = {}) {
        r.log = &log;
        r.name = name;
        return windowtest::MakeWindow(d, r, "T" + name, parent, bounds);
    }
    Desktop d;
    std::vector<std::string> log;
};

TEST_F(MessageLoopTest, PostedBeforeInputBeforeTimersFirstInFirstOut) {
    Recorder r;
    HWND h = Make(r, "W");
    d.SetTimer(h, 7, 10);
    d.Advance(10);
    d.PostInput(h, WM_MOUSEMOVE, 1, 0);
    d.PostMessage(h, WM_USER, 1, 0);
    d.PostMessage(h, WM_USER, 2, 0);
    d.ProcessMessages();
    EXPECT_EQ(log, (std::vector<std::string>{"W:1024:1", "W:1024:2", "W:512:1", "W:275:7"}));
}

TEST_F(MessageLoopTest, PostedAfterInputComesBehindTheWaitingInput) {
    Recorder r;
    HWND h = Make(r, "W");
    // Nothing waits: as any posted message.
    d.PostMessageAfterInput(h, WM_USER, 1, 0);
    d.PostInput(h, WM_MOUSEMOVE, 2, 0);
    d.PostMessage(h, WM_USER, 3, 0);
    // Input waits: behind it, and behind the posted messages too.
    d.PostMessageAfterInput(h, WM_USER, 4, 0);
    d.PostInput(h, WM_MOUSEMOVE, 5, 0);
    d.PostMessage(h, WM_USER, 6, 0);
    EXPECT_FALSE(d.PostMessageAfterInput(0x7fff, WM_USER, 7, 0));
    d.ProcessMessages();
    EXPECT_EQ(log, (std::vector<std::string>{"W:1024:1", "W:1024:3", "W:1024:6", "W:512:2",
                                             "W:1024:4", "W:512:5"}));
}

TEST_F(MessageLoopTest, LateTimerFiresOnceAndKeepsItsRhythm) {
    Recorder r;
    HWND h = Make(r, "W");
    d.SetTimer(h, 1, 200);
    std::vector<uint64_t> times;
    r.onMessage = [&](TMessage&) { times.push_back(d.Now()); };
    d.Advance(650); // due at 200, 400 and 600: one message
    d.ProcessMessages();
    d.RunFor(300);
    EXPECT_EQ(times, (std::vector<uint64_t>{650, 800}));
}

TEST_F(MessageLoopTest, SetTimerAgainResetsAndKillingUnknownIsHarmless) {
    Recorder r;
    HWND h = Make(r, "W");
    d.SetTimer(h, 1, 100);
    d.RunFor(50);
    d.SetTimer(h, 1, 100);
    d.RunFor(60);
    EXPECT_TRUE(log.empty());
    d.RunFor(40);
    EXPECT_EQ(log.size(), 1u);
    EXPECT_FALSE(d.KillTimer(h, 99));
    EXPECT_TRUE(d.KillTimer(h, 1));
}

TEST_F(MessageLoopTest, DestroyedWindowLosesItsMessagesAndTimers) {
    Recorder a, b;
    HWND ha = Make(a, "A");
    HWND hb = Make(b, "B");
    d.SetTimer(ha, 1, 10);
    d.PostMessage(ha, WM_USER, 0, 0);
    d.PostMessage(hb, WM_USER, 0, 0);
    d.DestroyWindow(ha);
    d.RunFor(100);
    EXPECT_EQ(log, (std::vector<std::string>{"A:2:0", "B:1024:0"}));
    EXPECT_FALSE(d.PostMessage(ha, WM_USER, 0, 0));
}

TEST_F(MessageLoopTest, ProcessMessagesNests) {
    Recorder r;
    HWND h = Make(r, "W");
    r.onMessage = [&](TMessage& m) {
        if (m.WParam == 1)
            d.ProcessMessages(); // handles 2 and 3 inside 1
        else if (m.WParam == 2)
            d.PostMessage(h, WM_USER, 3, 0);
    };
    d.PostMessage(h, WM_USER, 1, 0);
    d.PostMessage(h, WM_USER, 2, 0);
    d.ProcessMessages();
    EXPECT_EQ(log, (std::vector<std::string>{"W:1024:1", "W:1024:2", "W:1024:3"}));
}

TEST_F(MessageLoopTest, TickCountWrapsAroundAt32Bits) {
    d.SetTickBase(0xFFFFFFF0u);
    uint32_t t0 = d.GetTickCount();
    uint32_t t1 = d.GetTickCount();
    EXPECT_EQ(t0, 0xFFFFFFFAu);
    EXPECT_EQ(t1, 0x00000004u);
    EXPECT_EQ(static_cast<int32_t>(t1 - t0), 10);
}

TEST_F(MessageLoopTest, ZOrderWalkAndMoves) {
    Recorder p, a, b, c;
    HWND hp = Make(p, "P", 0, Bounds(0, 0, 200, 200));
    HWND ha = Make(a, "A", hp);
    HWND hb = Make(b, "B", hp);
    HWND hc = Make(c, "C", hp); // created last: on top
    EXPECT_EQ(GetWindow(hp, GW_CHILD), hc);
    EXPECT_EQ(GetWindow(hc, GW_HWNDLAST), ha);
    EXPECT_EQ(GetWindow(ha, GW_HWNDPREV), hb);
    EXPECT_EQ(GetWindow(hb, GW_HWNDPREV), hc);
    EXPECT_EQ(GetWindow(hc, GW_HWNDPREV), 0u);
    EXPECT_EQ(GetWindow(hc, GW_HWNDNEXT), hb);
    EXPECT_EQ(GetWindow(hb, GW_HWNDFIRST), hc);
    // Moving without changing the order; then bringing the bottom one to the top.
    SetWindowPos(ha, 0, 30, 40, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
    EXPECT_EQ(GetWindow(hp, GW_CHILD), hc);
    EXPECT_EQ(d.WindowRectInParent(ha), Bounds(30, 40, 0, 0));
    SetWindowPos(ha, HWND_TOP, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOMOVE);
    EXPECT_EQ(d.Children(hp), (std::vector<HWND>{ha, hc, hb}));
    SetWindowPos(ha, HWND_BOTTOM, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOMOVE);
    EXPECT_EQ(d.Children(hp), (std::vector<HWND>{hc, hb, ha}));
    d.DestroyWindow(hb);
    EXPECT_EQ(GetWindow(hc, GW_HWNDNEXT), ha);
    EXPECT_EQ(GetWindow(ha, GW_HWNDPREV), hc);
}

TEST_F(MessageLoopTest, ClassNameIsCutToTheBuffer) {
    Recorder r;
    HWND h = Make(r, "LongClassName");
    char buf[6];
    EXPECT_EQ(GetClassNameA(h, buf, 6), 5);
    EXPECT_STREQ(buf, "TLong");
}

TEST_F(MessageLoopTest, PointLooksUpTheDeepestVisibleWindowClippedByItsParent) {
    Recorder p, a, b;
    HWND hp = Make(p, "P", 0, Bounds(100, 100, 200, 200));
    HWND ha = Make(a, "A", hp, Bounds(10, 10, 50, 50));
    HWND hb = Make(b, "B", hp, Bounds(-20, -20, 40, 40)); // partly outside its parent
    EXPECT_EQ(d.WindowFromPoint({115, 115}), hb);
    EXPECT_EQ(d.WindowFromPoint({125, 125}), ha);
    EXPECT_EQ(d.WindowFromPoint({90, 90}), 0u); // outside the parent: clipped
    EXPECT_EQ(d.WindowFromPoint({250, 250}), hp);
    TRect r;
    GetWindowRect(hb, &r);
    EXPECT_EQ(r, Bounds(80, 80, 40, 40));
    d.ShowWindow(hb, false);
    EXPECT_EQ(d.WindowFromPoint({115, 115}), ha);
}

TEST_F(MessageLoopTest, RectangleEdges) {
    TRect r = Bounds(0, 0, 10, 10);
    EXPECT_TRUE(PtInRect(r, {0, 0}));
    EXPECT_FALSE(PtInRect(r, {10, 5}));
    EXPECT_FALSE(PtInRect(r, {5, 10}));
    InflateRect(r, 40, 40);
    EXPECT_EQ(r, Rect(-40, -40, 50, 50));
}

} // namespace
