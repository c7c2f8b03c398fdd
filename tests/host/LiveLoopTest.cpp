// The message loop with its exchangeable parts: an event source that feeds input while the loop
// waits, a painter that runs when the screen is invalid, the mouse capture, the real clock.
#include "WindowTestSupport.h"
#include "host/win32/Windows.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <deque>
#include <functional>

namespace {

using namespace host;

struct Logger : IWindowProc {
    std::vector<std::string>* log = nullptr;
    void WindowProc(TMessage& m) override {
        if (m.Msg == WM_CREATE || m.Msg == WM_WINDOWPOSCHANGED)
            return;
        log->push_back(std::to_string(m.Msg) + "@" + std::to_string(LParamX(m.LParam)) + "," +
                       std::to_string(LParamY(m.LParam)));
    }
};

struct Steps : IEventSource {
    Desktop* d = nullptr;
    std::deque<std::function<void()>> steps;
    std::vector<uint64_t> waits;
    void WaitForInput(uint64_t until) override {
        waits.push_back(until);
        if (!steps.empty()) {
            auto s = std::move(steps.front());
            steps.pop_front();
            s();
        } else if (until != NoDeadline) {
            d->Advance(until - d->Now());
        }
    }
};

class LiveLoopTest : public ::testing::Test {
protected:
    HWND make(Logger& l, HWND parent, TRect bounds) {
        l.log = &log;
        return windowtest::MakeWindow(d, l, "TLogger", parent, bounds);
    }
    Desktop d;
    std::vector<std::string> log;
};

TEST_F(LiveLoopTest, PaintComesAfterInputAndBeforeTimersAndOnlyWhenSomethingIsInvalid) {
    Logger w;
    HWND h = make(w, 0, Bounds(0, 0, 100, 100));
    d.OnPaint = [&] { log.push_back("paint"); };
    d.ProcessMessages(); // the new window was invalid
    ASSERT_EQ(log, (std::vector<std::string>{"paint"}));
    log.clear();
    d.SetTimer(h, 1, 10);
    d.Advance(10);
    d.PostInput(h, WM_MOUSEMOVE, 0, MakeLParam(1, 1));
    d.Invalidate();
    d.ProcessMessages();
    EXPECT_EQ(log, (std::vector<std::string>{"512@1,1", "paint", "275@0,0"}));
    log.clear();
    d.RunFor(100); // ten timer ticks, nothing invalid
    EXPECT_EQ(std::count(log.begin(), log.end(), "paint"), 0);
    d.Invalidate();
    d.UpdateWindow(h); // paints at once, inside a handler that holds the loop
    EXPECT_EQ(log.back(), "paint");
    EXPECT_FALSE(d.Invalid());
}

TEST_F(LiveLoopTest, TheLoopWaitsOnItsSourceUntilTheNextTimerAndStopsWhenDone) {
    Logger w;
    HWND h = make(w, 0, Bounds(0, 0, 100, 100));
    Steps source;
    source.d = &d;
    d.SetEventSource(&source);
    d.SetTimer(h, 1, 200);
    source.steps.push_back([&] { d.MouseInput({5, 6}, WM_LBUTTONDOWN, MK_LBUTTON); });
    bool quit = false;
    source.steps.push_back([&] { quit = true; });
    d.Run([&] { return quit; });
    EXPECT_EQ(log, (std::vector<std::string>{"513@5,6"}));
    ASSERT_GE(source.waits.size(), 2u);
    EXPECT_EQ(source.waits[0], 200u); // asked for input until the timer is due
    // Without a source and without timers nothing can arrive: Run returns.
    d.SetEventSource(nullptr);
    d.KillTimer(h, 1);
    d.Run([] { return false; });
}

TEST_F(LiveLoopTest, TheCaptureTakesTheMouseWhereverItIsAndTheLoserIsTold) {
    Logger a, b;
    HWND ha = make(a, 0, Bounds(0, 0, 50, 50));
    HWND hb = make(b, 0, Bounds(100, 0, 50, 50));
    d.SetCapture(ha);
    d.MouseInput({120, 10}, WM_MOUSEMOVE, 0); // over b, but a holds the mouse
    d.ProcessMessages();
    EXPECT_EQ(log, (std::vector<std::string>{"512@120,10"}));
    log.clear();
    d.SetCapture(hb);
    ASSERT_EQ(log.size(), 1u);
    EXPECT_EQ(log[0].rfind("533@", 0), 0u); // WM_CAPTURECHANGED to a
    d.DestroyWindow(hb);
    EXPECT_EQ(d.GetCapture(), 0u);
    log.clear();
    d.MouseInput({10, 10}, WM_MOUSEMOVE, 0);
    d.ProcessMessages();
    EXPECT_EQ(log, (std::vector<std::string>{"512@10,10"}));
}

TEST(RealClockTest, FollowsRealTimeAndWaits) {
    RealClock clock;
    const uint64_t start = clock.Now();
    clock.WaitUntil(start + 20);
    EXPECT_GE(clock.Now(), start + 20);
    EXPECT_LT(clock.Now(), start + 60000);
}

} // namespace
